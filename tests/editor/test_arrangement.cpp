#include <gtest/gtest.h>

#include <QRectF>
#include <cmath>
#include <tuple>
#include <vector>

#include "diagrambuilder.h"
#include "finding.h"
#include "history.h"
#include "sameentries.h"

// Aligning and distributing the selection, snapping to the grid, and finding elements by name.

namespace {

struct Recorded {
    Recorded() { b.editor.setHistory(&history); }
    DiagramBuilder b;
    History history{b.d};
};

// Puts element i at a known box, as a fixture outside any command.
void place(DiagramBuilder& b, int i, QRectF box) {
    Element& e = b.d.element(i);
    e.Left = float(box.left());
    e.Top = float(box.top());
    e.Width = float(box.width());
    e.Height = float(box.height());
    b.d.notifyElement(i);
}

// Every connector already lies where a fresh layout puts it.
void expectConnectorsFollow(DiagramBuilder& b) {
    const Document now = b.d.document();
    b.editor.layoutAllConnectors();
    expectSameEntries(b.d, now);
}

// Three entities A, B, C at known boxes, an attribute of A outside the selection and a
// relationship between A and B, all laid out.
struct Arrangeable {
    explicit Arrangeable(const std::vector<QRectF>& boxes) {
        for (size_t n = 0; n < boxes.size(); ++n)
            elements.push_back(b.entity(QStringLiteral("E%1").arg(n)));
        attribute = b.attribute(elements[0], "id");
        relationship = b.relationship("R");
        b.binary(elements[0], relationship, elements[1]);
        for (size_t n = 0; n < boxes.size(); ++n) place(b, elements[n], boxes[n]);
        place(b, attribute, {600, 600, 60, 30});
        place(b, relationship, {600, 20, 70, 40});
        b.editor.layoutAllConnectors();
        b.editor.selectElements(elements);
        b.editor.markSaved();
    }
    Recorded rec;
    DiagramBuilder& b = rec.b;
    std::vector<int> elements;
    int attribute = 0, relationship = 0;
};

const std::vector<QRectF> kThree{{10, 20, 80, 40}, {200, 100, 60, 30}, {50, 300, 100, 50}};

struct AlignCase {
    Editor::Alignment alignment;
    const char* step;
    bool horizontal;              // which coordinate moves
    std::vector<float> expected;  // Left or Top of A, B, C afterwards
};

class Align : public ::testing::TestWithParam<AlignCase> {};

TEST_P(Align, PutsEveryElementOnTheSelectionsEdgeOrCentreAsOneStep) {
    const AlignCase& c = GetParam();
    Arrangeable a(kThree);
    const Document before = a.b.d.document();
    const int steps = a.rec.history.stack().count();

    a.b.editor.alignSelection(c.alignment);

    for (size_t n = 0; n < 3; ++n) {
        const Element& e = a.b.d.element(a.elements[n]);
        const Element& was = before.element(a.elements[n]);
        EXPECT_EQ(c.horizontal ? e.Left : e.Top, c.expected[n]) << "element " << n;
        EXPECT_EQ(c.horizontal ? e.Top : e.Left, c.horizontal ? was.Top : was.Left)
            << "the other coordinate stays";
        EXPECT_EQ(e.Width, was.Width);
    }
    EXPECT_EQ(a.b.d.element(a.attribute), before.element(a.attribute)) << "not selected";
    expectConnectorsFollow(a.b);
    EXPECT_EQ(a.rec.history.stack().count(), steps + 1);
    EXPECT_EQ(a.rec.history.stack().undoText(), QString::fromUtf8(c.step));

    a.b.editor.undo();
    expectSameEntries(a.b.d, before);
    EXPECT_FALSE(a.b.editor.hasUnsavedChanges());
}

// The selection's box runs from 10 to 260 across and from 20 to 350 down.
INSTANTIATE_TEST_SUITE_P(
    SixWays, Align,
    ::testing::Values(AlignCase{Editor::Alignment::Left, "靠左對齊", true, {10, 10, 10}},
                      AlignCase{Editor::Alignment::Centre, "水平置中對齊", true, {95, 105, 85}},
                      AlignCase{Editor::Alignment::Right, "靠右對齊", true, {180, 200, 160}},
                      AlignCase{Editor::Alignment::Top, "靠上對齊", false, {20, 20, 20}},
                      AlignCase{Editor::Alignment::Middle, "垂直置中對齊", false, {165, 170, 160}},
                      AlignCase{Editor::Alignment::Bottom, "靠下對齊", false, {310, 320, 300}}));

class Distribute : public ::testing::TestWithParam<Qt::Orientation> {};

TEST_P(Distribute, KeepsTheOutermostAndMakesTheGapsEqualAsOneStep) {
    const bool across = GetParam() == Qt::Horizontal;
    // Along the axis: A 0+40, B 350+20, C 100+60, D 50+10; in the order of their centres
    // A, D, C, B. 370 units hold 130 of elements, so each of the three gaps is 80.
    const auto box = [across](float at, float extent, float other) {
        return across ? QRectF(at, other, extent, 30) : QRectF(other, at, 50, extent);
    };
    Arrangeable a({box(0, 40, 5), box(350, 20, 90), box(100, 60, 40), box(50, 10, 200)});
    const Document before = a.b.d.document();

    a.b.editor.distributeSelection(GetParam());

    const std::vector<float> expected{0, 350, 210, 120};
    for (size_t n = 0; n < 4; ++n) {
        const Element& e = a.b.d.element(a.elements[n]);
        const Element& was = before.element(a.elements[n]);
        EXPECT_FLOAT_EQ(across ? e.Left : e.Top, expected[n]) << "element " << n;
        EXPECT_EQ(across ? e.Top : e.Left, across ? was.Top : was.Left);
    }
    EXPECT_EQ(a.b.d.element(a.elements[0]), before.element(a.elements[0])) << "outermost stays";
    EXPECT_EQ(a.b.d.element(a.elements[1]), before.element(a.elements[1])) << "outermost stays";
    expectConnectorsFollow(a.b);
    EXPECT_EQ(a.rec.history.stack().undoText(), across ? "水平均分" : "垂直均分");
    a.b.editor.undo();
    expectSameEntries(a.b.d, before);
}

INSTANTIATE_TEST_SUITE_P(BothWays, Distribute, ::testing::Values(Qt::Horizontal, Qt::Vertical));

TEST(Arrange, TooFewSelectedOrAConnectModeRunningDoesNothingAndMakesNoStep) {
    Arrangeable a(kThree);
    const Document before = a.b.d.document();
    const int steps = a.rec.history.stack().count();
    const auto tryAll = [&a] {
        for (auto way : {Editor::Alignment::Left, Editor::Alignment::Bottom})
            a.b.editor.alignSelection(way);
        a.b.editor.distributeSelection(Qt::Horizontal);
        a.b.editor.distributeSelection(Qt::Vertical);
    };

    a.b.editor.selectElements({a.elements[0]});
    EXPECT_FALSE(a.b.editor.canAlignSelection());
    tryAll();
    a.b.editor.selectElements({a.elements[0], a.elements[1]});
    EXPECT_TRUE(a.b.editor.canAlignSelection());
    EXPECT_FALSE(a.b.editor.canDistributeSelection());
    a.b.editor.distributeSelection(Qt::Horizontal);
    a.b.editor.distributeSelection(Qt::Vertical);
    // Already in line: nothing moves, and no step is made of it.
    a.b.editor.selectElements({a.attribute, a.relationship});
    a.b.editor.alignSelection(Editor::Alignment::Left);
    expectSameEntries(a.b.d, before);
    EXPECT_EQ(a.rec.history.stack().count(), steps);

    a.b.editor.selectAll();
    a.b.editor.toolbarButton("AttLine");
    EXPECT_FALSE(a.b.editor.canAlignSelection());
    tryAll();
    expectSameEntries(a.b.d, before);
}

// ---- the grid ----

struct SnapCase {
    int grid;             // 0: snapping off
    QPointF dropLeftTop;  // where the dragged element's corner lets go
    QPointF expected;
};

class Snap : public ::testing::TestWithParam<SnapCase> {};

TEST_P(Snap, ADroppedElementsCornerGoesToTheNearestGridPointAndItsGroupFollows) {
    const SnapCase& c = GetParam();
    Arrangeable a(kThree);
    a.b.d.settings.SnapToGrid = c.grid > 0;
    a.b.d.settings.GridSize = qint16(c.grid > 0 ? c.grid : 20);
    const Document before = a.b.d.document();
    const int dragged = a.elements[1];

    a.b.editor.elementLeftDown(dragged, 7, 3);
    a.b.editor.dropElement(dragged, float(c.dropLeftTop.x() + 7), float(c.dropLeftTop.y() + 3));

    EXPECT_EQ(a.b.d.element(dragged).Left, float(c.expected.x()));
    EXPECT_EQ(a.b.d.element(dragged).Top, float(c.expected.y()));
    const float dx = float(c.expected.x()) - before.element(dragged).Left;
    const float dy = float(c.expected.y()) - before.element(dragged).Top;
    for (int i : {a.elements[0], a.elements[2]}) {
        EXPECT_FLOAT_EQ(a.b.d.element(i).Left, before.element(i).Left + dx);
        EXPECT_FLOAT_EQ(a.b.d.element(i).Top, before.element(i).Top + dy);
    }
    expectConnectorsFollow(a.b);
    a.b.editor.undo();
    expectSameEntries(a.b.d, before);
}

INSTANTIATE_TEST_SUITE_P(Grids, Snap,
                         ::testing::Values(SnapCase{0, {123.5, 57.25}, {123.5, 57.25}},
                                           SnapCase{20, {123.5, 57.25}, {120, 60}},
                                           SnapCase{20, {-9, 9}, {-0.0, 0}},
                                           SnapCase{25, {137.5, 62.4}, {150, 50}}));

TEST(Snap, NewElementsGoToFreePlacesOnTheGrid) {
    DiagramBuilder b;
    b.d.settings.SnapToGrid = true;
    b.d.settings.GridSize = 25;
    const int first = b.editor.createElement(KindEntity);
    EXPECT_EQ(b.d.element(first).Left, 150.0f) << "right of the template's place, on the grid";
    EXPECT_EQ(b.d.element(first).Top, 100.0f);

    b.editor.setVisibleArea(QRectF(3, 7, 400, 300));
    std::vector<QRectF> boxes{QRectF(b.d.element(first).Left, b.d.element(first).Top,
                                     b.d.element(first).Width, b.d.element(first).Height)};
    for (int n = 0; n < 12; ++n) {
        const int i = b.editor.createElement(n % 2 ? KindAttribute : KindRelationship);
        const Element& e = b.d.element(i);
        EXPECT_EQ(std::fmod(e.Left, 25.0f), 0.0f) << e.Caption.toStdString();
        EXPECT_EQ(std::fmod(e.Top, 25.0f), 0.0f) << e.Caption.toStdString();
        const QRectF box(e.Left, e.Top, e.Width, e.Height);
        for (const QRectF& other : boxes)
            EXPECT_FALSE(box.intersects(other)) << e.Caption.toStdString();
        boxes.push_back(box);
    }
}

// ---- finding ----

TEST(Find, ListsLiveElementsHoldingTheTextWholeNamesAndBeginningsFirst) {
    DiagramBuilder b;
    const int employee = b.entity("EMPLOYEE");
    b.relationship("WORKS_FOR");
    const int name = b.attribute(employee, "Name"), dept = b.entity("DEPARTMENT");
    const int dname = b.attribute(dept, "DName"), gone = b.entity("NAMES");
    const int nameToo = b.attribute(dept, "name");
    b.editor.deleteEntity(gone);
    const Document& doc = b.d.document();

    EXPECT_EQ(elementsNamed(doc, "name"), (std::vector<int>{name, nameToo, dname}));
    EXPECT_EQ(elementsNamed(doc, "  EMP "), std::vector<int>{employee});
    EXPECT_EQ(elementsNamed(doc, "e"), (std::vector<int>{employee, dept, dname, name, nameToo}))
        << "the beginning first, then anywhere, each by name";
    EXPECT_TRUE(elementsNamed(doc, "").empty());
    EXPECT_TRUE(elementsNamed(doc, "   ").empty());
    EXPECT_TRUE(elementsNamed(doc, "xyz").empty());
}

TEST(Find, NextAndPreviousWrapAround) {
    const std::vector<int> m{4, 9, 2};
    const std::vector<std::tuple<int, int, int>> cases{{0, 1, 4},  {0, -1, 2}, {4, 1, 9}, {2, 1, 4},
                                                       {4, -1, 2}, {9, -1, 4}, {7, 1, 4}};
    for (const auto& [current, step, expected] : cases)
        EXPECT_EQ(adjacentMatch(m, current, step), expected) << current << " " << step;
    EXPECT_EQ(adjacentMatch({}, 4, 1), 0);
    EXPECT_EQ(adjacentMatch({5}, 5, 1), 5);
}

}  // namespace
