#pragma once

#include "diagram.h"
#include "editor.h"

// The open diagram and the editor every change goes through, owned by the application for as
// long as it runs; windows are views of it.
class Workspace {
public:
    explicit Workspace(Prompts& prompts) : editor_(diagram_, prompts) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Diagram& diagram() { return diagram_; }
    const Diagram& diagram() const { return diagram_; }
    Editor& editor() { return editor_; }
    Prompts& prompts() { return editor_.prompts(); }

private:
    Diagram diagram_;
    Editor editor_;
};
