#include "commandscope.h"
#include "history.h"

void Editor::nameStep(const QString& label) {
    if (stepLabel_.isEmpty()) stepLabel_ = label;
}

void Editor::undo() {
    if (d_.state.ConnectMode != 0) {
        cancel();
        return;
    }
    if (history_) history_->stack().undo();
}

void Editor::redo() {
    if (d_.state.ConnectMode != 0) {
        cancel();
        return;
    }
    if (history_) history_->stack().redo();
}
