// The 排列 menu: the selected elements lined up along one edge or centre line of their bounding
// box, or spread so that the gaps between them are equal. Each is one step; connectors follow the
// moved elements as they do after a drag.
#include <QCoreApplication>
#include <algorithm>
#include <utility>

#include "arrangement.h"
#include "commandscope.h"

namespace {

bool horizontal(Editor::Alignment alignment) {
    return alignment == Editor::Alignment::Left || alignment == Editor::Alignment::Centre ||
           alignment == Editor::Alignment::Right;
}

}  // namespace

QString alignmentName(Editor::Alignment alignment) {
    switch (alignment) {
        case Editor::Alignment::Left:
            return QCoreApplication::translate("Arrangement", "靠左對齊");
        case Editor::Alignment::Centre:
            return QCoreApplication::translate("Arrangement", "水平置中對齊");
        case Editor::Alignment::Right:
            return QCoreApplication::translate("Arrangement", "靠右對齊");
        case Editor::Alignment::Top:
            return QCoreApplication::translate("Arrangement", "靠上對齊");
        case Editor::Alignment::Middle:
            return QCoreApplication::translate("Arrangement", "垂直置中對齊");
        case Editor::Alignment::Bottom:
            return QCoreApplication::translate("Arrangement", "靠下對齊");
    }
    return {};
}

QString distributionName(Qt::Orientation orientation) {
    return orientation == Qt::Horizontal ? QCoreApplication::translate("Arrangement", "水平均分")
                                         : QCoreApplication::translate("Arrangement", "垂直均分");
}

std::vector<int> Editor::liveSelection() const {
    std::vector<int> live;
    for (int i : d_.view.selection)
        if (d_.isLiveElement(i)) live.push_back(i);
    return live;
}

bool Editor::canAlignSelection() const {
    return d_.state.ConnectMode == ConnectMode::None && liveSelection().size() >= 2;
}

bool Editor::canDistributeSelection() const {
    return d_.state.ConnectMode == ConnectMode::None && liveSelection().size() >= 3;
}

void Editor::alignSelection(Alignment alignment) {
    const CommandScope scope(*this);
    if (!canAlignSelection()) return;
    const std::vector<int> group = liveSelection();
    const Diagram& model = d_;
    // The bounding box of the selection gives the line every element is put on.
    float left = model.element(group.front()).Left, top = model.element(group.front()).Top;
    float right = left + model.element(group.front()).Width;
    float bottom = top + model.element(group.front()).Height;
    for (int i : group) {
        const Element& e = model.element(i);
        left = std::min(left, e.Left);
        top = std::min(top, e.Top);
        right = std::max(right, e.Left + e.Width);
        bottom = std::max(bottom, e.Top + e.Height);
    }
    nameStep(alignmentName(alignment));
    std::vector<int> moved;
    for (int i : group) {
        const Element& e = model.element(i);
        float place = 0;
        switch (alignment) {
            case Alignment::Left:
                place = left;
                break;
            case Alignment::Centre:
                place = (left + right) / 2 - e.Width / 2;
                break;
            case Alignment::Right:
                place = right - e.Width;
                break;
            case Alignment::Top:
                place = top;
                break;
            case Alignment::Middle:
                place = (top + bottom) / 2 - e.Height / 2;
                break;
            case Alignment::Bottom:
                place = bottom - e.Height;
                break;
        }
        // An element already in line is not touched, so its connectors keep their layout.
        if ((horizontal(alignment) ? e.Left : e.Top) == place) continue;
        (horizontal(alignment) ? d_.element(i).Left : d_.element(i).Top) = place;
        moved.push_back(i);
    }
    layoutConnectorsOfAll(moved);
}

void Editor::distributeSelection(Qt::Orientation orientation) {
    const CommandScope scope(*this);
    if (!canDistributeSelection()) return;
    const bool across = orientation == Qt::Horizontal;
    const Diagram& model = d_;
    const auto start = [&](int i) { return across ? model.element(i).Left : model.element(i).Top; };
    const auto extent = [&](int i) {
        return across ? model.element(i).Width : model.element(i).Height;
    };
    // In order of their centres; the first and the last stay where they are.
    std::vector<int> order = liveSelection();
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return start(a) + extent(a) / 2 < start(b) + extent(b) / 2;
    });
    const int first = order.front(), last = order.back();
    float occupied = 0;
    for (int i : order) occupied += extent(i);
    const float span = start(last) + extent(last) - start(first);
    const float gap = (span - occupied) / float(order.size() - 1);

    nameStep(distributionName(orientation));
    std::vector<int> moved;
    float next = start(first) + extent(first) + gap;
    for (size_t n = 1; n + 1 < order.size(); ++n) {
        const int i = order[n];
        const float place = next;
        next += extent(i) + gap;
        if (start(i) == place) continue;
        (across ? d_.element(i).Left : d_.element(i).Top) = place;
        moved.push_back(i);
    }
    layoutConnectorsOfAll(moved);
}

void Editor::layoutConnectorsOfAll(const std::vector<int>& elements) {
    // A connector between two moved elements is laid out once, after both have moved.
    std::set<int> connectors;
    for (int j : elements)
        for (int k : d_.connectorsOf(j))
            if (d_.isLiveConnector(k)) connectors.insert(k);
    for (int k : connectors) layoutConnector(k);
}
