#include "attributerings.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace {

// Half the diagonal of element i's box: the disc around it.
double discOf(const Document& doc, int i) {
    const Element& e = doc.element(i);
    return std::hypot(double(e.Width), double(e.Height)) / 2;
}

QPointF along(QPointF from, double angle, double distance) {
    return from + QPointF(std::cos(angle), std::sin(angle)) * distance;
}

// How far two angles lie apart around the circle, from 0 to pi.
double angleBetween(double a, double b) {
    const double d = std::remainder(a - b, 2 * std::numbers::pi);
    return std::abs(d);
}

}  // namespace

AttributeRings::AttributeRings(const Document& doc)
    : doc_(doc), reach_(size_t(doc.elementCount()), -1) {}

double AttributeRings::reach(int i) const {
    double& known = reach_[size_t(i)];
    if (known >= 0) return known;
    // An owner found again below itself (a chain of owners that loops) counts as its box alone.
    known = discOf(doc_, i);
    const std::vector<int> items = ownedAttributes(doc_, i);
    if (items.empty()) return known;
    const int lines = attributeOwner(doc_, i) ? 1 : int(linkedNeighbours(doc_, i).size());
    double item = 0;
    for (int a : items) item = std::max(item, reach(a));
    known = ringRadius(i, int(items.size()) + lines) + item;
    return known;
}

double AttributeRings::ringRadius(int i, int slotCount) const {
    const std::vector<int> items = ownedAttributes(doc_, i);
    std::vector<double> reaches;
    for (int a : items) reaches.push_back(reach(a));
    double radius = 0;
    for (double item : reaches) radius = std::max(radius, discOf(doc_, i) + kGap + item);
    // Attributes follow each other around the ring in their order, at least one slot apart: the
    // chord between neighbouring slots must hold both their discs and the gap.
    const double chord = 2 * std::sin(std::numbers::pi / std::max(slotCount, 2));
    for (size_t n = 0; reaches.size() >= 2 && n < reaches.size(); ++n)
        radius = std::max(radius, (reaches[n] + reaches[(n + 1) % reaches.size()] + kGap) / chord);
    return radius;
}

void AttributeRings::place(LayoutPlan& plan, int i, const std::vector<double>& lines,
                           TakenBoxes* taken) const {
    const std::vector<int> items = ownedAttributes(doc_, i);
    if (items.empty()) return;
    const double radius = ringRadius(i, int(items.size() + lines.size()));
    const std::vector<double> angles = ringAngles(int(items.size()), lines);
    const QPointF centre = plan.centre(i);
    for (size_t n = 0; n < items.size(); ++n) {
        const double angle = angles[n];
        std::vector<int> placed;
        placeTree(plan, items[n], along(centre, angle, radius), angle + std::numbers::pi, placed);
        if (!taken) continue;
        // Outward along its own direction it clears the ring's other attributes as well, and
        // far enough out, everything.
        const auto clear = [&] {
            return std::none_of(placed.begin(), placed.end(),
                                [&](int a) { return taken->hits(plan.box(a), kClearance); });
        };
        for (int tries = 1; !clear() && tries < 1000; ++tries) {
            placed.clear();
            placeTree(plan, items[n], along(centre, angle, radius + tries * 2 * kGap),
                      angle + std::numbers::pi, placed);
        }
        for (int a : placed) taken->insert(plan.box(a));
    }
}

void AttributeRings::placeTree(LayoutPlan& plan, int a, QPointF centre, double towardOwner,
                               std::vector<int>& placed) const {
    if (std::find(placed.begin(), placed.end(), a) != placed.end()) return;
    plan.moveCentre(a, centre);
    placed.push_back(a);
    const std::vector<int> parts = ownedAttributes(doc_, a);
    if (parts.empty()) return;
    const double radius = ringRadius(a, int(parts.size()) + 1);
    const std::vector<double> angles = ringAngles(int(parts.size()), {towardOwner});
    for (size_t n = 0; n < parts.size(); ++n)
        placeTree(plan, parts[n], along(centre, angles[n], radius), angles[n] + std::numbers::pi,
                  placed);
}

std::vector<double> lineDirections(const LayoutPlan& plan, int i) {
    const QPointF from = plan.centre(i);
    std::vector<double> directions;
    for (int other : linkedNeighbours(plan.document(), i)) {
        const QPointF to = plan.centre(other) - from;
        // An element right on top of i gives no direction; any will do.
        directions.push_back(std::atan2(to.y(), to.x()));
    }
    return directions;
}

std::vector<double> ringAngles(int items, const std::vector<double>& lines) {
    if (items <= 0) return {};
    const int slotCount = items + int(lines.size());
    const double step = 2 * std::numbers::pi / slotCount;
    std::vector<double> starts{-std::numbers::pi / 2};
    // The turns tried: the first slot on top; exactly on one of the first lines; halfway between
    // two of them, so that neither misses its slot by more than half the difference.
    const size_t tried = std::min<size_t>(lines.size(), 8);
    for (size_t n = 0; n < tried; ++n) {
        starts.push_back(lines[n]);
        for (size_t m = n + 1; m < tried; ++m)
            starts.push_back(lines[n] + std::remainder(lines[m] - lines[n], step) / 2);
    }
    double bestCost = INFINITY, bestStart = starts.front();
    std::vector<bool> bestFree;
    for (double start : starts) {
        std::vector<bool> free(size_t(slotCount), false);
        double cost = 0;
        for (double line : lines) {
            const double turns = std::remainder(line - start, 2 * std::numbers::pi);
            const int nearest =
                (int(std::lround(turns / step)) % slotCount + slotCount) % slotCount;
            // The nearest slot not yet left free, looking to both sides in turn.
            for (int off = 0; off < slotCount; ++off) {
                const int side[] = {(nearest + off) % slotCount,
                                    (nearest - off + slotCount) % slotCount};
                const auto open = std::find_if(std::begin(side), std::end(side),
                                               [&](int s) { return !free[size_t(s)]; });
                if (open == std::end(side)) continue;
                free[size_t(*open)] = true;
                cost += std::pow(angleBetween(line, start + *open * step), 2);
                break;
            }
        }
        if (cost < bestCost - 1e-9) {
            bestCost = cost;
            bestStart = start;
            bestFree = std::move(free);
        }
    }
    std::vector<double> angles;
    for (int s = 0; s < slotCount; ++s)
        if (!bestFree[size_t(s)]) angles.push_back(bestStart + s * step);
    return angles;
}

namespace {

void collectTree(const Document& doc, int i, std::vector<bool>& into) {
    for (int a : ownedAttributes(doc, i))
        if (!into[size_t(a)]) {
            into[size_t(a)] = true;
            collectTree(doc, a, into);
        }
}

}  // namespace

LayoutPlan arrangeAttributesAround(const Document& doc, const std::vector<int>& chosen) {
    std::vector<int> owners;
    std::set<int> seen;
    const auto consider = [&](int i) {
        if (!doc.isLiveElement(i)) return;
        const int owner = topOwner(doc, i);
        if (seen.insert(owner).second && !ownedAttributes(doc, owner).empty())
            owners.push_back(owner);
    };
    if (chosen.empty())
        for (int i = 1; i < doc.elementCount(); ++i) consider(i);
    for (int i : chosen) consider(i);

    // Everything but the attributes about to be placed stays and is kept clear of.
    std::vector<bool> moving(size_t(doc.elementCount()), false);
    for (int owner : owners) collectTree(doc, owner, moving);
    LayoutPlan plan(doc);
    TakenBoxes taken;
    for (int i = 1; i < doc.elementCount(); ++i)
        if (doc.isLiveElement(i) && !moving[size_t(i)]) taken.insert(plan.box(i));
    const AttributeRings rings(doc);
    for (int owner : owners) rings.place(plan, owner, lineDirections(plan, owner), &taken);
    return plan;
}
