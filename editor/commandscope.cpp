#include "commandscope.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <set>
#include <utility>

#include "history.h"
#include "invariants.h"

#ifndef NDEBUG
namespace {

// The connectors that may stand with no relation behind them.
std::set<int> unrelatedConnectors(const Diagram& d, const std::vector<int>& abandoned) {
    std::set<int> unrelated(abandoned.begin(), abandoned.end());
    if (d.state.ConnectMode == ConnectMode::SecondEntity) unrelated.insert(d.state.PendingLine);
    return unrelated;
}

}  // namespace
#endif

CommandScope::CommandScope(Editor& editor)
    : editor_(editor),
      outermost_(!editor.diagram().changeOpen()),
      modeBefore_(editor.diagram().state.ConnectMode),
      pendingBefore_(editor.diagram().state.PendingLine) {
#ifndef NDEBUG
    // Only a command that breaks a consistent diagram is reported, not one that runs on a
    // diagram some other code left inconsistent.
    if (outermost_)
        consistentBefore_ =
            findInconsistency(editor.diagram(),
                              unrelatedConnectors(editor.diagram(), editor.abandoned_))
                .isEmpty();
#endif
    if (outermost_ && editor.history_ && !editor.history_->applying())
        editor.diagram().startRecording();
    editor_.diagram().beginChange();
}

CommandScope::~CommandScope() {
    Diagram& d = editor_.diagram();
    if (outermost_) {
        const Diagram& model = d;
        // A connection left waiting for its second entity other than by its completing click leaves
        // its first connector drawn; unless the relationship gained the entity since, nothing
        // stands behind it.
        const bool waited = modeBefore_ == ConnectMode::SecondEntity;
        if (waited && model.state.ConnectMode != ConnectMode::SecondEntity &&
            model.isConnector(pendingBefore_)) {
            const Connector& c = model.connector(pendingBefore_);
            if (model.isElement(c.second) &&
                !model.element(c.second).RelativeEntityList.containsItem(c.first))
                editor_.abandoned_.push_back(pendingBefore_);
        }
#ifndef NDEBUG
        // A replaced document is the loader's data, not a command's doing.
        if (consistentBefore_ && !editor_.replaced_) {
            const QString problem =
                findInconsistency(model, unrelatedConnectors(model, editor_.abandoned_));
            if (!problem.isEmpty())
                qCritical("Editor: a command left the diagram inconsistent: %s",
                          qUtf8Printable(problem));
        }
#endif
    }
    if (outermost_) {
        editor_.replaced_ = false;
        QString label = std::exchange(editor_.stepLabel_, QString());
        if (d.recording())
            editor_.history_->record(
                d.finishRecording(),
                label.isEmpty() ? QCoreApplication::translate("CommandScope", "編輯") : label);
    }
    d.endChange();
}
