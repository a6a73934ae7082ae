#pragma once

#include "editor.h"

// Every Editor command runs inside one: the model collects what the command changes and
// announces it once when the outermost scope closes. Debug builds then check that a command which
// found a consistent diagram leaves one (findInconsistency).
class CommandScope {
public:
    explicit CommandScope(Editor& editor);
    ~CommandScope();
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    Editor& editor_;
    bool outermost_;
    ConnectMode modeBefore_;
    int pendingBefore_;
    bool consistentBefore_ = false;
};
