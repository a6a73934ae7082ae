#pragma once

#include <QPointF>
#include <QRectF>
#include <unordered_map>
#include <vector>

#include "document.h"

// New places for some elements of a document, worked out as plain data before anything changes:
// every other element is read where it stands. The editor writes the result into the diagram as
// one step (Editor::arrangeDiagram, Editor::arrangeAttributes).
class LayoutPlan {
public:
    explicit LayoutPlan(const Document& document) : doc_(document) {}

    const Document& document() const { return doc_; }
    // Element i's centre and box: where it goes, or where it stands when it is not moved.
    QPointF centre(int i) const;
    QRectF box(int i) const;
    void moveCentre(int i, QPointF centre);
    // The elements given a place, in the order first placed.
    const std::vector<int>& moved() const { return moved_; }
    bool isMoved(int i) const { return centres_.contains(i); }

private:
    const Document& doc_;
    std::unordered_map<int, QPointF> centres_;
    std::vector<int> moved_;
};

// Who owns what, as the attribute connections recorded it.
// The live owner of attribute a (an entity, a relationship or a composite attribute); 0 when it
// has none.
int attributeOwner(const Document& doc, int a);
// The live attributes element i owns, in the order they were attached.
std::vector<int> ownedAttributes(const Document& doc, int i);
// The element at the top of i's chain of owners (i itself when it is owned by none).
int topOwner(const Document& doc, int i);
// Whether connector c joins an entity to a relationship or to a specialization or category
// circle: the lines the diagram is laid out along.
bool joinsClasses(const Connector& c);
// The live elements joined to i by such live lines, each once.
std::vector<int> linkedNeighbours(const Document& doc, int i);

// Boxes already taken, for finding free room quickly in large diagrams: a uniform grid of cells,
// each listing the boxes that reach into it.
class TakenBoxes {
public:
    void insert(const QRectF& box);
    // Whether `box`, widened by `clearance` on every side, overlaps a box inserted.
    bool hits(const QRectF& box, double clearance) const;

private:
    static constexpr double kCell = 256;
    template <typename Visit>
    static void forCells(const QRectF& box, Visit visit);

    std::unordered_map<qint64, std::vector<int>> cells_;
    std::vector<QRectF> boxes_;
};
