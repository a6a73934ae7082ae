#include "history.h"

#include <QUndoCommand>
#include <algorithm>
#include <map>
#include <utility>

namespace {

// One step on the stack. The command that made it has already done it, so the first redo,
// which QUndoStack::push runs, does nothing.
class StepCommand : public QUndoCommand {
public:
    StepCommand(History& history, DiagramStep step, const QString& label)
        : QUndoCommand(label), history_(history), step_(std::move(step)) {}

    void undo() override { history_.apply(step_.before); }
    void redo() override {
        if (done_) {
            done_ = false;
            return;
        }
        history_.apply(step_.after);
    }

private:
    History& history_;
    DiagramStep step_;
    bool done_ = true;
};

// Joins two lists of images by index: `first`'s images, and `second`'s for the indices `first`
// lacks (or the other way round when `secondWins`).
template <typename T>
std::vector<std::pair<int, T>> joined(const std::vector<std::pair<int, T>>& first,
                                      const std::vector<std::pair<int, T>>& second,
                                      bool secondWins) {
    std::map<int, const T*> byIndex;
    for (const auto& [i, value] : first) byIndex[i] = &value;
    for (const auto& [i, value] : second)
        if (secondWins || !byIndex.count(i)) byIndex[i] = &value;
    std::vector<std::pair<int, T>> result;
    result.reserve(byIndex.size());
    for (const auto& [i, value] : byIndex) result.emplace_back(i, *value);
    return result;
}

// `earlier` then `later` as one step. An entry `earlier` did not touch was, when `later` began,
// as it was before `earlier`; an entry `later` did not touch is still as `earlier` left it.
DiagramStep merged(const DiagramStep& earlier, const DiagramStep& later) {
    DiagramStep step;
    step.before = earlier.before;
    step.before.elements.clear();
    step.before.connectors.clear();
    for (const auto& [i, e] : joined(earlier.before.elements, later.before.elements, false))
        if (i < earlier.before.elementCount) step.before.elements.emplace_back(i, e);
    for (const auto& [k, c] : joined(earlier.before.connectors, later.before.connectors, false))
        if (k < earlier.before.connectorCount) step.before.connectors.emplace_back(k, c);
    step.after = later.after;
    step.after.elements = joined(earlier.after.elements, later.after.elements, true);
    step.after.connectors = joined(earlier.after.connectors, later.after.connectors, true);
    return step;
}

}  // namespace

History::History(Diagram& diagram) : d_(diagram) {
    stack_.setUndoLimit(kDefaultLimit);
}

void History::apply(const DiagramStep::Images& images) {
    applying_ = true;
    d_.applyImages(images);
    applying_ = false;
}

void History::push(DiagramStep step, const QString& label) {
    if (!step.changesDiagram()) return;
    step.dropUnchanged();
    stack_.push(new StepCommand(*this, std::move(step), label));
}

void History::closeOpenStep() {
    if (!open_) return;
    DiagramStep step = std::move(*open_);
    open_.reset();
    push(std::move(step), openLabel_);
}

void History::record(DiagramStep step, const QString& label) {
    // A document put in place is a step of its own.
    if (step.before.document) {
        closeOpenStep();
        push(std::move(step), label);
        return;
    }
    const bool modeRunning = d_.state.ConnectMode != ConnectMode::None;
    if (open_) {
        open_ = merged(*open_, step);
        if (!label.isEmpty()) openLabel_ = label;
    } else if (modeRunning) {
        open_ = std::move(step);
        openLabel_ = label;
    } else {
        push(std::move(step), label);
        return;
    }
    if (!modeRunning) closeOpenStep();
}
