// Automatic arrangement: the attributes around their owners, or the whole diagram. The places are
// worked out first as plain data (attributerings.h, diagramlayout.h) and then written into the
// diagram as one step, so that one Undo puts every element back.
#include <QCoreApplication>
#include <cmath>
#include <set>
#include <utility>

#include "arrangement.h"
#include "attributerings.h"
#include "commandscope.h"
#include "diagramlayout.h"

QString arrangeAttributesName() {
    return QCoreApplication::translate("Arranging", "排列屬性");
}

QString arrangeDiagramName() {
    return QCoreApplication::translate("Arranging", "排列全圖");
}

void Editor::arrangeAttributes() {
    if (d_.state.ConnectMode != ConnectMode::None) cancel();
    const CommandScope scope(*this);
    nameStep(arrangeAttributesName());
    const std::set<int>& selection = d_.view.selection;
    applyLayoutPlan(arrangeAttributesAround(d_.document(), {selection.begin(), selection.end()}));
}

void Editor::arrangeDiagram() {
    if (d_.state.ConnectMode != ConnectMode::None) cancel();
    const CommandScope scope(*this);
    nameStep(arrangeDiagramName());
    // A single selected element is what the last click left, not a choice of what to arrange.
    const std::set<int>& selection = d_.view.selection;
    std::vector<int> chosen;
    if (selection.size() >= 2) chosen.assign(selection.begin(), selection.end());
    applyLayoutPlan(layOutDiagram(d_.document(), chosen));
}

void Editor::applyLayoutPlan(const LayoutPlan& plan) {
    std::vector<int> moved;
    for (int i : plan.moved()) {
        // Whole units, as elements dragged by hand land.
        const QRectF box = plan.box(i);
        const float left = float(std::round(box.left())), top = float(std::round(box.top()));
        const Element& now = std::as_const(d_).element(i);
        if (now.Left == left && now.Top == top) continue;
        Element& e = d_.element(i);
        e.Left = left;
        e.Top = top;
        moved.push_back(i);
    }
    layoutConnectorsOfAll(moved);
}
