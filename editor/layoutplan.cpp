#include "layoutplan.h"

#include <algorithm>
#include <cmath>
#include <set>

QPointF LayoutPlan::centre(int i) const {
    if (const auto found = centres_.find(i); found != centres_.end()) return found->second;
    const Element& e = doc_.element(i);
    return {e.Left + e.Width / 2.0, e.Top + e.Height / 2.0};
}

QRectF LayoutPlan::box(int i) const {
    const Element& e = doc_.element(i);
    const QPointF c = centre(i);
    return {c.x() - e.Width / 2.0, c.y() - e.Height / 2.0, e.Width, e.Height};
}

void LayoutPlan::moveCentre(int i, QPointF centre) {
    if (centres_.insert_or_assign(i, centre).second) moved_.push_back(i);
}

bool joinsClasses(const Connector& c) {
    return c.isRelationship() || c.isClassLink();
}

int attributeOwner(const Document& doc, int a) {
    if (!doc.isLiveElement(a) || !doc.element(a).isAttributeKind()) return 0;
    const std::optional<qint16> owner = doc.element(a).RelativeEntityList.item(1);
    if (!owner || !doc.isLiveElement(*owner)) return 0;
    return doc.element(*owner).AttributeList.containsItem(qint16(a)) ? *owner : 0;
}

std::vector<int> ownedAttributes(const Document& doc, int i) {
    std::vector<int> owned;
    for (qint16 a : doc.element(i).AttributeList.items())
        if (a != i && attributeOwner(doc, a) == i) owned.push_back(a);
    return owned;
}

int topOwner(const Document& doc, int i) {
    // A chain of owners that comes back on itself ends where it would repeat.
    std::set<int> seen{i};
    for (int owner = attributeOwner(doc, i); owner && seen.insert(owner).second;
         owner = attributeOwner(doc, owner))
        i = owner;
    return i;
}

std::vector<int> linkedNeighbours(const Document& doc, int i) {
    std::vector<int> neighbours;
    for (int k : doc.connectorsOf(i)) {
        if (!doc.isLiveConnector(k) || !joinsClasses(doc.connector(k))) continue;
        const Connector& c = doc.connector(k);
        const int other = c.first == i ? c.second : c.first;
        if (other != i && doc.isLiveElement(other) &&
            std::find(neighbours.begin(), neighbours.end(), other) == neighbours.end())
            neighbours.push_back(other);
    }
    return neighbours;
}

template <typename Visit>
void TakenBoxes::forCells(const QRectF& box, Visit visit) {
    const auto cell = [](double v) { return qint64(std::floor(v / kCell)); };
    for (qint64 x = cell(box.left()); x <= cell(box.right()); ++x)
        for (qint64 y = cell(box.top()); y <= cell(box.bottom()); ++y)
            if (visit((x << 32) ^ (y & 0xffffffff))) return;
}

void TakenBoxes::insert(const QRectF& box) {
    const int n = int(boxes_.size());
    boxes_.push_back(box);
    forCells(box, [&](qint64 key) {
        cells_[key].push_back(n);
        return false;
    });
}

bool TakenBoxes::hits(const QRectF& box, double clearance) const {
    const QRectF wide = box.adjusted(-clearance, -clearance, clearance, clearance);
    bool hit = false;
    forCells(wide, [&](qint64 key) {
        const auto found = cells_.find(key);
        if (found == cells_.end()) return false;
        for (int n : found->second)
            if (boxes_[size_t(n)].intersects(wide)) return hit = true;
        return false;
    });
    return hit;
}
