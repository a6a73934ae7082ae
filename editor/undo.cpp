#include "commandscope.h"

#include <QCoreApplication>

#include "history.h"

void Editor::nameStep(const QString& label) {
    if (stepLabel_.isEmpty()) stepLabel_ = label;
}

bool Editor::hasUnsavedChanges() const {
    return history_ && !history_->stack().isClean();
}

void Editor::markSaved() {
    if (history_) history_->stack().setClean();
}

void Editor::newDiagram() {
    {
        const CommandScope scope(*this);
        nameStep(QCoreApplication::translate("Undo", "開新圖形"));
        replaceDiagram(d_.document().emptyCopy());
    }
    // An empty diagram has nothing to lose.
    markSaved();
}

void Editor::undo() {
    if (d_.state.ConnectMode != ConnectMode::None) {
        cancel();
        return;
    }
    if (history_) history_->stack().undo();
}

void Editor::redo() {
    if (d_.state.ConnectMode != ConnectMode::None) {
        cancel();
        return;
    }
    if (history_) history_->stack().redo();
}
