#pragma once

#include <vector>

#include "layoutplan.h"

// Attributes placed evenly on a ring around their owner, and a composite attribute's parts on a
// ring around it in turn (on the side away from its owner). A ring has one slot more for every
// line that leaves its centre element: to the owner's relationships or entities, or from a
// composite back to its owner. Those slots stay empty, so that the lines run between the
// attributes rather than through them. Every element counts as the disc around its box, and the
// discs of a ring do not meet: the boxes cannot overlap, whichever way the ring is turned, and
// the room a ring needs is known before the diagram around it is laid out.
class AttributeRings {
public:
    // Room between two discs of a ring, and between the ring and its centre element's disc.
    static constexpr double kGap = 16;
    // Room kept to other elements when attributes are arranged among them.
    static constexpr double kClearance = 8;

    explicit AttributeRings(const Document& doc);

    // The radius, from i's centre, of the disc that holds i with everything arranged around it.
    double reach(int i) const;
    // Places i's attributes, and their parts, around i's centre in `plan`, leaving the
    // slots nearest to `lines` empty (directions in radians, the y axis pointing down). With
    // `taken`, an attribute (with its parts) that would come too near a taken box moves outward
    // along its direction until it is clear; what is placed is then taken too.
    void place(LayoutPlan& plan, int i, const std::vector<double>& lines,
               TakenBoxes* taken = nullptr) const;

private:
    // The distance from the centre element's centre to the centres on its ring.
    double ringRadius(int i, int slotCount) const;
    void placeTree(LayoutPlan& plan, int a, QPointF centre, double towardOwner,
                   std::vector<int>& placed) const;

    const Document& doc_;
    mutable std::vector<double> reach_;  // by element; below 0 while unknown
};

// The directions from i's centre to the elements its relationship lines and class links lead to.
std::vector<double> lineDirections(const LayoutPlan& plan, int i);

// Angles for `items` among items + lines.size() slots spread evenly over a full turn, with the
// slots nearest to the lines' directions left free; the turn of the ring that brings the free
// slots nearest to the lines wins. Without lines the first item sits on top.
std::vector<double> ringAngles(int items, const std::vector<double>& lines);

// "Attributes around their owner": for each of the chosen elements, the owner at the top of its
// chain of owners gets its attributes, with their parts, placed around it, clear of every other
// element. With none chosen, every owner does.
LayoutPlan arrangeAttributesAround(const Document& doc, const std::vector<int>& chosen);
