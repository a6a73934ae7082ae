#pragma once

#include <QString>
#include <QUndoStack>
#include <optional>

#include "diagram.h"
#include "diagramstep.h"

// The steps a user can take back and do again, one per command that changed the diagram. The
// commands of a connect mode gather into one step, kept when the mode ends with a change (a
// completed connection). Steps live on a QUndoStack, which gives undo and redo their texts and
// the clean state.
class History {
public:
    static constexpr int kDefaultLimit = 100;

    explicit History(Diagram& diagram);

    QUndoStack& stack() { return stack_; }
    // Whether a step is being taken back or done again right now (then nothing is recorded).
    bool applying() const { return applying_; }

    // A command has ended; `step` is what it did, `label` names it.
    void record(DiagramStep step, const QString& label);
    // Puts one side of a recorded step in place.
    void apply(const DiagramStep::Images& images);

private:
    void push(DiagramStep step, const QString& label);
    // The step gathered while a connect mode ran, if it changed anything, goes on the stack.
    void closeOpenStep();

    Diagram& d_;
    QUndoStack stack_;
    std::optional<DiagramStep> open_;
    QString openLabel_;
    bool applying_ = false;
};
