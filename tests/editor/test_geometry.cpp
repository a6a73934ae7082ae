#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "diagram.h"
#include "geometry.h"
#include "viewport.h"

namespace {

enum class Corner { BelowRight, BelowLeft, AboveRight, AboveLeft };
using C = Corner;

struct Rect {
    float left, top, width, height;
};

struct Ends {
    float x1, y1, x2, y2;
};

// Signs with which the line offset moves X1, Y1, X2, Y2 of the second line.
struct Shift {
    int x1, y1, x2, y2;
};

constexpr float kLabelWidth = 24, kLabelHeight = 14;

int addElement(Diagram& d, Rect r, int kind = KindEntity) {
    const int i = d.loadElement();
    Element& e = d.element(i);
    e.Visible = true;
    e.Shape = float(kind);
    e.Left = r.left;
    e.Top = r.top;
    e.Width = r.width;
    e.Height = r.height;
    return i;
}

// Labels get a fixed size so the corner arithmetic does not depend on the installed fonts.
void sizeLabel(Label& label, float width = kLabelWidth, float height = kLabelHeight) {
    label.Width = width;
    label.Height = height;
}

Ends shifted(Ends e, Shift s, int offset) {
    return {e.x1 + float(s.x1 * offset), e.y1 + float(s.y1 * offset), e.x2 + float(s.x2 * offset),
            e.y2 + float(s.y2 * offset)};
}

void expectEnds(const Line& line, Ends e) {
    EXPECT_FLOAT_EQ(line.X1, e.x1);
    EXPECT_FLOAT_EQ(line.Y1, e.y1);
    EXPECT_FLOAT_EQ(line.X2, e.x2);
    EXPECT_FLOAT_EQ(line.Y2, e.y2);
}

void expectCorner(const Label& label, float px, float py, Corner corner) {
    const bool left = corner == C::BelowLeft || corner == C::AboveLeft;
    const bool above = corner == C::AboveRight || corner == C::AboveLeft;
    EXPECT_FLOAT_EQ(label.Left, left ? px - label.Width : px);
    EXPECT_FLOAT_EQ(label.Top, above ? py - label.Height : py);
}

// The first element of every PlaceLine case: right-middle (260,215), left-middle (200,215),
// top-centre (230,200), bottom-centre (230,230).
constexpr Rect kFirst{200, 200, 60, 30};

struct PairCase {
    const char* name;
    Rect second;
    Ends ends;  // the main line
    Shift shift;
    Corner atEnd1, atEnd2;
};

std::ostream& operator<<(std::ostream& os, const PairCase& c) {
    return os << c.name;
}

// Each second element is placed so that exactly one pair is nearest; the slanted variants of the
// four straight pairs pick the label corner from the end points.
const PairCase kPairCases[] = {
    {"p0_level",
     {300, 200, 60, 30},
     {260, 215, 300, 215},
     {0, 1, 0, 1},
     C::AboveRight,
     C::BelowLeft},
    {"p0_descending",
     {490, 200, 80, 40},
     {260, 215, 490, 220},
     {0, 1, 0, 1},
     C::AboveRight,
     C::BelowLeft},
    {"p0_ascending",
     {490, 190, 80, 40},
     {260, 215, 490, 210},
     {0, 1, 0, 1},
     C::BelowRight,
     C::AboveLeft},
    {"p1", {490, 460, 30, 60}, {260, 215, 505, 460}, {0, 1, -1, 0}, C::AboveRight, C::AboveRight},
    {"p2", {400, 0, 30, 60}, {260, 215, 415, 60}, {0, 1, 1, 0}, C::BelowRight, C::BelowRight},
    {"p3_descending",
     {0, 200, 80, 40},
     {200, 215, 80, 220},
     {0, 1, 0, 1},
     C::AboveLeft,
     C::BelowRight},
    {"p3_ascending",
     {0, 190, 80, 40},
     {200, 215, 80, 210},
     {0, 1, 0, 1},
     C::BelowLeft,
     C::AboveRight},
    {"p4", {0, 400, 30, 60}, {200, 215, 15, 400}, {0, 1, 1, 0}, C::AboveLeft, C::AboveLeft},
    {"p5", {30, 0, 30, 60}, {200, 215, 45, 60}, {0, 1, -1, 0}, C::BelowLeft, C::BelowLeft},
    {"p6", {330, 0, 80, 40}, {230, 200, 330, 20}, {1, 0, 0, 1}, C::AboveLeft, C::AboveLeft},
    {"p7", {130, 160, 80, 40}, {230, 200, 210, 180}, {-1, 0, 0, 1}, C::AboveRight, C::AboveRight},
    {"p8_aligned",
     {190, 0, 80, 40},
     {230, 200, 230, 40},
     {1, 0, 1, 0},
     C::AboveRight,
     C::BelowLeft},
    {"p8_leaning_right",
     {200, 0, 80, 40},
     {230, 200, 240, 40},
     {1, 0, 1, 0},
     C::AboveLeft,
     C::BelowRight},
    {"p8_leaning_left",
     {180, 0, 80, 40},
     {230, 200, 220, 40},
     {1, 0, 1, 0},
     C::AboveRight,
     C::BelowLeft},
    {"p9", {380, 490, 80, 40}, {230, 230, 380, 510}, {1, 0, 0, -1}, C::BelowLeft, C::BelowLeft},
    {"p10", {130, 230, 80, 40}, {230, 230, 210, 250}, {1, 0, 0, 1}, C::BelowRight, C::BelowRight},
    {"p11_aligned",
     {190, 490, 80, 40},
     {230, 230, 230, 490},
     {1, 0, 1, 0},
     C::BelowRight,
     C::AboveLeft},
    {"p11_leaning_right",
     {220, 490, 30, 60},
     {230, 230, 235, 490},
     {1, 0, 1, 0},
     C::BelowLeft,
     C::AboveRight},
    {"p11_leaning_left",
     {210, 490, 30, 60},
     {230, 230, 225, 490},
     {1, 0, 1, 0},
     C::BelowRight,
     C::AboveLeft},
};

class PlaceLinePairs
    : public ::testing::TestWithParam<std::tuple<PairCase, int /*MNPosition*/, bool /*Is2nd*/>> {};

TEST_P(PlaceLinePairs, JoinsTheNearestSidesAndPutsTheLabelAtTheChosenEnd) {
    const auto& [pc, mnPosition, is2nd] = GetParam();
    Diagram d;
    d.settings.MNPosition = qint16(mnPosition);
    d.settings.DoubleLineWidth = 7;
    const int a = addElement(d, kFirst);
    const int b = addElement(d, pc.second, KindRelationship);
    Line line;
    Label mn;
    sizeLabel(mn);

    PlaceLine(d, qint16(a), qint16(b), line, mn, is2nd);

    const Ends ends = shifted(pc.ends, pc.shift, is2nd ? 7 : 0);
    expectEnds(line, ends);
    if (mnPosition == 0)
        expectCorner(mn, ends.x1, ends.y1, pc.atEnd1);
    else
        expectCorner(mn, ends.x2, ends.y2, pc.atEnd2);
}

INSTANTIATE_TEST_SUITE_P(AllPairs, PlaceLinePairs,
                         ::testing::Combine(::testing::ValuesIn(kPairCases),
                                            ::testing::Values(0, 1, 2), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_mn" +
                                    std::to_string(std::get<1>(info.param)) +
                                    (std::get<2>(info.param) ? "_second" : "_main");
                         });

TEST(PlaceLine, EqualDistancesKeepTheEarlierPair) {
    Diagram d;
    const int a = addElement(d, kFirst);
    // Left-middle to right-middle and left-middle to bottom-centre are both 2125 apart.
    const int b = addElement(d, {150, 160, 40, 20});
    Line line;
    Label mn;
    PlaceLine(d, qint16(a), qint16(b), line, mn, false);
    expectEnds(line, {200, 215, 190, 170});
}

TEST(PlaceLine, DistancesTieOnceRoundedHalfToEven) {
    Diagram d;
    const int a = addElement(d, kFirst);
    // Left-middle to top-centre is 3242.5 (stored 3242), bottom-centre to right-middle exactly
    // 3242: the earlier pair stays even though the later one is nearer.
    const int b = addElement(d, {160, 268.5f, 41, 21});
    Line line;
    Label mn;
    PlaceLine(d, qint16(a), qint16(b), line, mn, false);
    expectEnds(line, {200, 215, 180.5f, 268.5f});
}

TEST(PlaceLine, ElementsBeyondTheCanvasFallBackToTheFirstPair) {
    Diagram d;
    const int a = addElement(d, kFirst);
    // Every squared distance is above the starting best, so nothing replaces pair 0.
    const int b = addElement(d, {200, 60000, 60, 30});
    Line line;
    Label mn;
    PlaceLine(d, qint16(a), qint16(b), line, mn, false);
    expectEnds(line, {260, 215, 200, 60015});

    const int far = addElement(d, {3e30f, 3e30f, 60, 30});
    PlaceLine(d, qint16(a), qint16(far), line, mn, false);
    EXPECT_FLOAT_EQ(line.X1, 260);
    EXPECT_FLOAT_EQ(line.X2, 3e30f);
}

TEST(PlaceLine, ZeroLineWidthMakesBothLinesCoincide) {
    Diagram d;
    d.settings.DoubleLineWidth = 0;
    const int a = addElement(d, kFirst);
    const int b = addElement(d, {400, 0, 30, 60});
    Connector& c = d.connector(d.loadConnector(ConnectorKind::Relationship, a, b));
    PlaceLine(d, qint16(a), qint16(b), c.Line1, c.MN, false);
    PlaceLine(d, qint16(a), qint16(b), c.Line2, c.MN, true);
    expectEnds(c.Line2, {c.Line1.X1, c.Line1.Y1, c.Line1.X2, c.Line1.Y2});
}

TEST(PlaceLine, TheSecondLineLeavesTheLabelBesideIt) {
    Diagram d;
    d.settings.MNPosition = 1;
    d.settings.DoubleLineWidth = 5;
    const int a = addElement(d, kFirst);
    const int b = addElement(d, {490, 460, 30, 60});  // pair 1: X2 moves by -off
    Connector& c = d.connector(d.loadConnector(ConnectorKind::Relationship, a, b));
    sizeLabel(c.MN);
    PlaceLine(d, qint16(a), qint16(b), c.Line1, c.MN, false);
    PlaceLine(d, qint16(a), qint16(b), c.Line2, c.MN, true);
    expectEnds(c.Line2, {260, 220, 500, 460});
    expectCorner(c.MN, 500, 460, C::AboveRight);
}

TEST(PlaceLine, ChangesNeitherVisibilityNorTheRoleLabel) {
    Diagram d;
    const int a = addElement(d, kFirst);
    const int b = addElement(d, {300, 200, 60, 30});
    Connector& c = d.connector(d.loadConnector(ConnectorKind::Relationship, a, b));
    c.Line2.Visible = false;
    c.MN.Visible = false;
    c.Description.Left = 11;
    c.Description.Top = 12;
    c.Description.Visible = true;
    PlaceLine(d, qint16(a), qint16(b), c.Line2, c.MN, true);
    EXPECT_FALSE(c.Line2.Visible);
    EXPECT_FALSE(c.MN.Visible);
    EXPECT_FLOAT_EQ(c.Description.Left, 11);
    EXPECT_FLOAT_EQ(c.Description.Top, 12);
    EXPECT_TRUE(c.Description.Visible);
}

TEST(PlaceLine, AnIndexOutsideTheElementsLeavesTheLineAlone) {
    Diagram d;
    const int a = addElement(d, kFirst);
    Line line;
    line.X1 = 1;
    Label mn;
    PlaceLine(d, qint16(a), 99, line, mn, false);
    PlaceLine(d, -1, qint16(a), line, mn, false);
    EXPECT_FLOAT_EQ(line.X1, 1);
}

// ---- The recursive layout ----

// The entity of every recursive case: right-middle (260,215), left-middle (200,215), top-centre
// (230,200), bottom-centre (230,230); centre (230,215). Relationships are 40 x 40.
struct RecursiveCase {
    const char* name;
    float relLeft, relTop;
    bool first;
    Ends ends;
    Shift shift;
    Corner corner;
};

std::ostream& operator<<(std::ostream& os, const RecursiveCase& c) {
    return os << c.name;
}

const RecursiveCase kRecursiveCases[] = {
    {"rightBelow_first", 400, 400, true, {230, 230, 400, 420}, {1, 0, 1, 0}, C::BelowLeft},
    {"rightBelow_second", 400, 400, false, {260, 215, 420, 400}, {0, -1, 0, -1}, C::AboveRight},
    {"leftBelow_first", 0, 400, true, {230, 230, 40, 420}, {-1, 0, -1, 0}, C::BelowRight},
    {"leftBelow_second", 0, 400, false, {200, 215, 20, 400}, {0, 1, 0, 1}, C::AboveLeft},
    {"leftAbove_first", 0, 0, true, {200, 215, 20, 40}, {0, -1, 0, -1}, C::BelowLeft},
    {"leftAbove_second", 0, 0, false, {230, 200, 40, 20}, {-1, 0, -1, 0}, C::AboveRight},
    {"rightAbove_first", 400, 0, true, {260, 215, 420, 40}, {0, -1, 0, -1}, C::BelowRight},
    {"rightAbove_second", 400, 0, false, {230, 200, 400, 20}, {1, 0, 1, 0}, C::AboveLeft},
    // A relationship level with the entity on either axis falls into the last class.
    {"levelRight_first", 400, 195, true, {260, 215, 420, 235}, {0, -1, 0, -1}, C::BelowRight},
    {"levelRight_second", 400, 195, false, {230, 200, 400, 215}, {1, 0, 1, 0}, C::AboveLeft},
    {"levelLeft_first", 0, 195, true, {260, 215, 20, 235}, {0, -1, 0, -1}, C::BelowRight},
    {"straightBelow_first", 210, 400, true, {260, 215, 230, 440}, {0, -1, 0, -1}, C::BelowRight},
    {"straightBelow_second", 210, 400, false, {230, 200, 210, 420}, {1, 0, 1, 0}, C::AboveLeft},
    {"sameCentre_first", 210, 195, true, {260, 215, 230, 235}, {0, -1, 0, -1}, C::BelowRight},
};

class PlaceRecursiveLineRows
    : public ::testing::TestWithParam<std::tuple<RecursiveCase, int /*MNPosition*/, bool>> {};

TEST_P(PlaceRecursiveLineRows, GivesEachConnectorOfThePairItsOwnSides) {
    const auto& [rc, mnPosition, is2nd] = GetParam();
    Diagram d;
    d.settings.MNPosition = qint16(mnPosition);
    d.settings.DoubleLineWidth = 6;
    const int entity = addElement(d, kFirst);
    const int rel = addElement(d, {rc.relLeft, rc.relTop, 40, 40}, KindRelationship);
    // Two adjacent dotted connectors with one tag: the lower index is the first of the pair.
    for (int n = 0; n < 2; ++n) {
        Connector& c = d.connector(d.loadConnector(ConnectorKind::Relationship, entity, rel));
        c.Line1.Visible = true;
        c.Line1.BorderStyle = kLineDotted;
        sizeLabel(c.MN);
        sizeLabel(c.Description, 50, 16);
    }
    const int k = rc.first ? 1 : 2;
    Connector& c = d.connector(k);

    PlaceRecursiveLine(d, qint16(entity), qint16(rel), qint16(k), c.MN, c.Description, is2nd);

    const Ends ends = shifted(rc.ends, rc.shift, is2nd ? 6 : 0);
    const Line& placed = is2nd ? c.Line2 : c.Line1;
    expectEnds(placed, ends);
    if (mnPosition == 0)
        expectCorner(c.MN, ends.x1, ends.y1, rc.corner);
    else
        expectCorner(c.MN, ends.x2, ends.y2, rc.corner);
    expectCorner(c.Description, (ends.x1 + ends.x2) / 2, (ends.y1 + ends.y2) / 2, rc.corner);
    EXPECT_EQ(c.Line2.Visible, is2nd);
    if (is2nd) expectEnds(c.Line1, {0, 0, 0, 0});
}

INSTANTIATE_TEST_SUITE_P(AllRows, PlaceRecursiveLineRows,
                         ::testing::Combine(::testing::ValuesIn(kRecursiveCases),
                                            ::testing::Values(0, 1), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_mn" +
                                    std::to_string(std::get<1>(info.param)) +
                                    (std::get<2>(info.param) ? "_second" : "_main");
                         });

// Decides first-of-pair through the layout: with the relationship above and to the right, a
// first connector starts at the entity's right-middle (260,215), a second at its top-centre.
class RecursiveNeighbours : public ::testing::Test {
protected:
    void SetUp() override {
        entity = addElement(d, kFirst);
        rel = addElement(d, {400, 0, 40, 40}, KindRelationship);
        other = addElement(d, {0, 0, 40, 40}, KindRelationship);
    }
    int addConnector(int first, int second, bool visible = true) {
        const int k = d.loadConnector(ConnectorKind::Relationship, first, second);
        Connector& c = d.connector(k);
        c.Line1.Visible = visible;
        c.Line1.BorderStyle = kLineDotted;
        return k;
    }
    bool laidOutAsFirst(int k) {
        Connector& c = d.connector(k);
        PlaceRecursiveLine(d, qint16(entity), qint16(rel), qint16(k), c.MN, c.Description, false);
        EXPECT_TRUE(c.Line1.X1 == 260 || c.Line1.X1 == 230);
        return c.Line1.X1 == 260;
    }
    Diagram d;
    int entity = 0, rel = 0, other = 0;
};

TEST_F(RecursiveNeighbours, AdjacentSameTagsMakeTheLowerTheFirst) {
    const int k1 = addConnector(entity, rel);
    const int k2 = addConnector(entity, rel);
    EXPECT_TRUE(laidOutAsFirst(k1));
    EXPECT_FALSE(laidOutAsFirst(k2));
}

TEST_F(RecursiveNeighbours, ALoneDottedConnectorIsNotTheFirst) {
    addConnector(entity, other);
    const int k = addConnector(entity, rel);
    addConnector(entity, other);
    EXPECT_FALSE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, AHiddenPartnerDoesNotCount) {
    const int k = addConnector(entity, rel);
    addConnector(entity, rel, false);
    EXPECT_FALSE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, OnlyTheImmediateNeighboursCount) {
    const int k = addConnector(entity, rel);
    addConnector(entity, other);
    addConnector(entity, rel);
    EXPECT_FALSE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, TheLowerNeighbourDecidesFirst) {
    addConnector(entity, rel);
    const int k = addConnector(entity, rel);
    addConnector(entity, rel);
    EXPECT_FALSE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, AMatchingUpperNeighbourAfterADifferentLowerOne) {
    addConnector(entity, other);
    const int k = addConnector(entity, rel);
    addConnector(entity, rel);
    EXPECT_TRUE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, TheLastConnectorHasNoUpperNeighbour) {
    addConnector(entity, other);
    const int k = addConnector(entity, rel);
    EXPECT_EQ(k, d.connectorCount() - 1);
    EXPECT_FALSE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, OnlyANeighbourWithTheSameEndsMakesAPair) {
    const int k = addConnector(entity, rel);
    addConnector(rel, entity);
    EXPECT_FALSE(laidOutAsFirst(k));
}

TEST_F(RecursiveNeighbours, SecondLineIsShownAndMainLineVisibilityKept) {
    const int k = addConnector(entity, rel);
    Connector& c = d.connector(k);
    c.Line1.Visible = false;
    PlaceRecursiveLine(d, qint16(entity), qint16(rel), qint16(k), c.MN, c.Description, false);
    EXPECT_FALSE(c.Line1.Visible);
    EXPECT_FALSE(c.Line2.Visible);
    PlaceRecursiveLine(d, qint16(entity), qint16(rel), qint16(k), c.MN, c.Description, true);
    EXPECT_TRUE(c.Line2.Visible);
    EXPECT_FALSE(c.Line1.Visible);
}

TEST_F(RecursiveNeighbours, UnknownConnectorOrElementChangesNothing) {
    const int k = addConnector(entity, rel);
    Connector& c = d.connector(k);
    PlaceRecursiveLine(d, qint16(entity), qint16(rel), 42, c.MN, c.Description, true);
    PlaceRecursiveLine(d, qint16(entity), 77, qint16(k), c.MN, c.Description, true);
    EXPECT_FALSE(c.Line2.Visible);
    EXPECT_FLOAT_EQ(c.Line2.X1, 0);
}

}  // namespace

// ---- The viewport: zoom and scrolling over the drawing scale ----

TEST(Viewport, ZoomKeepsTheAnchoredPointAndScrollBarsReachTheWholeDrawing) {
    const QSize pixels(800, 600);
    for (const ScaleMapping& base :
         {ScaleMapping(), ScaleMapping(DrawingScale{50, -20, 400, 300}, pixels)}) {
        Viewport view;
        for (const double zoom : {0.1, 0.5, 1.3, 2.0, 9.0}) {
            const QPointF anchor(123, 456);
            const QPointF before = view.mapping(base).toLogical(anchor);
            view.zoomAround(base, zoom, anchor);
            EXPECT_EQ(view.zoom(), std::clamp(zoom, 0.25, 4.0));
            const QPointF after = view.mapping(base).toPixels(before);
            EXPECT_NEAR(after.x(), anchor.x(), 1e-6);
            EXPECT_NEAR(after.y(), anchor.y(), 1e-6);
        }
        view.zoomAround(base, 1, QPointF(0, 0));
        const QRectF inside = view.visibleArea(base, pixels).adjusted(10, 10, -10, -10);
        EXPECT_FALSE(view.horizontalBar(base, inside, pixels).needed);
        EXPECT_FALSE(view.verticalBar(base, inside, pixels).needed);

        // A drawing reaching far to the left and below: both bars, and their ends show its
        // corners.
        const QRectF extent = inside.united(QRectF(inside.left() - 5000, inside.bottom() + 3000, 10, 10));
        const Viewport::Bar h = view.horizontalBar(base, extent, pixels);
        const Viewport::Bar v = view.verticalBar(base, extent, pixels);
        ASSERT_TRUE(h.needed && v.needed);
        EXPECT_EQ(h.value, h.maximum) << "the view is at the right end";
        view.setHorizontalValue(base, extent, pixels, 0);
        view.setVerticalValue(base, extent, pixels, v.maximum);
        const QRectF shown = view.visibleArea(base, pixels);
        EXPECT_NEAR(shown.left(), extent.left(), 1e-6);
        EXPECT_NEAR(shown.bottom(), extent.bottom(), 1);

        view.fit(base, extent, pixels);
        EXPECT_TRUE(view.visibleArea(base, pixels).contains(extent) || view.zoom() == 0.25);
    }
}
