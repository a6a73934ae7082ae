#pragma once

#include "diagram.h"
#include "editor.h"
#include "history.h"

// The open diagram, the editor every change goes through and the history of its steps, owned by
// the application for as long as it runs; windows are views of it.
class Workspace {
public:
    explicit Workspace(Prompts& prompts) : editor_(diagram_, prompts), history_(diagram_) {
        editor_.setHistory(&history_);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Diagram& diagram() { return diagram_; }
    const Diagram& diagram() const { return diagram_; }
    Editor& editor() { return editor_; }
    History& history() { return history_; }
    Prompts& prompts() { return editor_.prompts(); }

private:
    Diagram diagram_;
    Editor editor_;
    History history_;
};
