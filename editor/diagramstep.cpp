#include "diagramstep.h"

namespace {

// Whether two lists of images by ascending index hold the same entries with the same values.
template <typename T>
bool sameImages(const std::vector<std::pair<int, T>>& a, const std::vector<std::pair<int, T>>& b) {
    return a == b;
}

}  // namespace

namespace {

// Removes the index pairs whose images are equal on both sides; both lists ascend by index.
template <typename T>
void dropEqual(std::vector<std::pair<int, T>>& before, std::vector<std::pair<int, T>>& after) {
    std::vector<std::pair<int, T>> keptBefore, keptAfter;
    size_t b = 0, a = 0;
    while (b < before.size() || a < after.size()) {
        if (a == after.size() || (b < before.size() && before[b].first < after[a].first)) {
            keptBefore.push_back(std::move(before[b++]));
        } else if (b == before.size() || after[a].first < before[b].first) {
            keptAfter.push_back(std::move(after[a++]));
        } else {
            if (!(before[b].second == after[a].second)) {
                keptBefore.push_back(std::move(before[b]));
                keptAfter.push_back(std::move(after[a]));
            }
            ++b;
            ++a;
        }
    }
    before = std::move(keptBefore);
    after = std::move(keptAfter);
}

}  // namespace

void DiagramStep::dropUnchanged() {
    dropEqual(before.elements, after.elements);
    dropEqual(before.connectors, after.connectors);
    if (before.session.project == after.session.project) {
        before.session.project.reset();
        after.session.project.reset();
    }
}

bool DiagramStep::changesDiagram() const {
    if (before.document || after.document) return true;
    if (before.elementCount != after.elementCount ||
        before.connectorCount != after.connectorCount || !(before.settings == after.settings))
        return true;
    // The same entries on both sides, since the counts agree; touched but given back as they
    // were is no change.
    return !sameImages(before.elements, after.elements) ||
           !sameImages(before.connectors, after.connectors);
}
