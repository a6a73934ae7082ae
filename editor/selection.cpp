// The selection beyond a single click: Ctrl+click, a rubber band, Select All, and dragging several
// selected elements at once. The selection is what the window shows, not part of the diagram, so
// changing it makes no step of the history.
#include <algorithm>
#include <utility>

#include "commandscope.h"

namespace {

// A connect mode picks by clicks; nothing is selected while it runs.
bool connectModeRuns(const Diagram& d) {
    return d.state.ConnectMode != ConnectMode::None;
}

}  // namespace

void Editor::toggleSelected(int i) {
    const CommandScope scope(*this);
    if (connectModeRuns(d_) || !d_.isLiveElement(i)) return;
    std::set<int>& selection = d_.view.selection;
    if (!selection.erase(i)) selection.insert(i);
}

void Editor::selectElements(const std::vector<int>& elements) {
    const CommandScope scope(*this);
    if (connectModeRuns(d_)) return;
    std::set<int> chosen;
    for (int i : elements)
        if (d_.isLiveElement(i)) chosen.insert(i);
    d_.view.selection = std::move(chosen);
}

void Editor::selectAll() {
    const CommandScope scope(*this);
    if (connectModeRuns(d_)) return;
    std::set<int> all;
    for (int i = 1; i < d_.elementCount(); ++i)
        if (d_.isLiveElement(i)) all.insert(i);
    d_.view.selection = std::move(all);
}

std::vector<int> Editor::groupOf(int i) const {
    const std::set<int>& selection = d_.view.selection;
    if (!d_.isLiveElement(i) || !selection.contains(i)) return {};
    std::vector<int> group;
    for (int j : selection)
        if (d_.isLiveElement(j)) group.push_back(j);
    if (group.size() < 2) return {};
    return group;
}

void Editor::moveGroup(const std::vector<int>& group, int anchor, float left, float top) {
    const CommandScope scope(*this);
    const float dx = left - std::as_const(d_).element(anchor).Left;
    const float dy = top - std::as_const(d_).element(anchor).Top;
    for (int j : group) {
        Element& e = d_.element(j);
        // The dragged element lands exactly where a single drop would put it.
        e.Left = j == anchor ? left : e.Left + dx;
        e.Top = j == anchor ? top : e.Top + dy;
    }
    layoutConnectorsOfAll(group);
}
