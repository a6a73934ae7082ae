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
    newDiagram(QCoreApplication::translate("Undo", "開新圖形"),
               [](Document empty) { return empty; });
}

void Editor::newDiagram(const QString& label,
                        const std::function<Document(Document empty)>& build) {
    {
        const CommandScope scope(*this);
        nameStep(label);
        replaceDiagram(build);
    }
    // A new diagram has nothing to lose: it is empty, or made again as easily.
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
