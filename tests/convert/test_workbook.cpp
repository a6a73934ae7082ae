#include <gtest/gtest.h>

#include "arrows.h"
#include "cellwidths.h"
#include "drawingcheck.h"
#include "readback.h"
#include "sheetgeometry.h"
#include "workbook.h"
#include "workbookfile.h"
#include "xlsx.h"

namespace {

constexpr double H = 16.48425;

class WorkbookOutput : public ::testing::Test {
protected:
    Readback write(const Workbook& book) {
        const QString file = folder.path(WorkbookFolder::currentTestFileName());
        QString error;
        EXPECT_TRUE(Xlsx::save(book, file, &error)) << error.toStdString();
        folder.keep(file);
        Readback r = readBack(file);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return r;
    }

    WorkbookFolder folder;
};

// Relation "Key" (element 1) with its key column (element 2) on row 2; then relation "Refs"
// (element 3) whose column row holds `count` foreign keys to element 2.
Workbook keyAndForeignKeys(int fkpk, int count, std::function<double()> random = {}) {
    WorkbookLayout layout(fkpk, std::move(random));
    layout.startRelation("Key", 1);
    layout.addOwnColumn("k", true, 2);
    layout.finishRelation();
    layout.startRelation("Refs", 3);
    for (int i = 0; i < count; ++i) layout.addForeignKeyColumn("fk", false, false, 2);
    layout.finishRelation();
    layout.finish();
    return layout.workbook();
}

TEST_F(WorkbookOutput, OneEntityGivesItsCellsAndPositionTable) {
    WorkbookLayout layout(1);
    layout.startRelation("E", 7);
    layout.addOwnColumn("k", true, 8);
    layout.addOwnColumn("n", false, 9);
    layout.finishRelation();
    layout.finish();
    const Readback r = write(layout.workbook());

    EXPECT_EQ(r.json.value("sheets").toArray(), QJsonArray({"Sheet1", "Sheet2"}));
    EXPECT_EQ(r.json.value("active").toString(), "Sheet1");
    const QJsonObject a1 = r.cell("Sheet1", "A1"), a2 = r.cell("Sheet1", "A2"),
                      b2 = r.cell("Sheet1", "B2");
    EXPECT_EQ(a1.value("v").toString(), "E");
    EXPECT_TRUE(a1.value("b").toBool());
    EXPECT_FALSE(a1.value("u").toBool());
    EXPECT_EQ(a2.value("v").toString(), "k");
    EXPECT_TRUE(a2.value("u").toBool());
    EXPECT_FALSE(a2.value("b").toBool());
    EXPECT_EQ(b2.value("v").toString(), "n");
    EXPECT_FALSE(b2.value("u").toBool());
    EXPECT_EQ(r.cells("Sheet1").size(), 3);

    // Row i of the position table: i, row, column.
    for (auto [row, expected] :
         {std::pair{7, std::array{7, 1, 1}}, {8, {8, 2, 1}}, {9, {9, 2, 2}}}) {
        EXPECT_EQ(r.number("A" + QString::number(row)), expected[0]);
        EXPECT_EQ(r.number("B" + QString::number(row)), expected[1]);
        EXPECT_EQ(r.number("C" + QString::number(row)), expected[2]);
    }
    EXPECT_EQ(r.cells("Sheet2").size(), 9);
    EXPECT_TRUE(r.shapes().isEmpty());
}

TEST_F(WorkbookOutput, CaptionsKeepMarkupCharactersAndLoseOnlyWhatXmlCannotCarry) {
    WorkbookLayout layout(1);
    layout.startRelation("A&B <x> \"q\"", 1);
    layout.addOwnColumn(QString("Bell") + QChar(7) + "Tab\t", true, 2);
    layout.addOwnColumn(" 電話 ", false, 3);
    layout.finishRelation();
    layout.finish();
    const Readback r = write(layout.workbook());
    EXPECT_EQ(r.text("A1"), "A&B <x> \"q\"");
    EXPECT_EQ(r.text("A2"), "BellTab\t");
    EXPECT_EQ(r.text("B2"), " 電話 ");
}

TEST_F(WorkbookOutput, RowsKeepThePitchColumnsFitTheirTextAndThePositionTableIsHidden) {
    WorkbookLayout layout(1);
    layout.startRelation("DEPENDENT", 1);
    layout.addOwnColumn("Dependent_name", true, 2);
    layout.addOwnColumn("Sex", false, 3);
    layout.finishRelation();
    layout.startRelation("電話號碼與地址", 4);
    layout.addOwnColumn("Description_of_record", false, 5);
    layout.finishRelation();
    layout.finish();
    const Readback r = write(layout.workbook());
    const QJsonObject heights = r.json.value("rowHeights").toObject();
    // Rows 1 to 5, the empty row between the relations included.
    for (int row = 1; row <= 5; ++row)
        EXPECT_NEAR(heights.value(QString::number(row)).toDouble(), H, 1e-6) << row;
    EXPECT_EQ(r.cell("Sheet1", "A2").value("font").toString(), "Times New Roman");
    EXPECT_EQ(r.cell("Sheet1", "A2").value("size").toDouble(), 12);

    // Widths count digits of the cells' font, whose digits are 6 pt wide. Each column is as wide
    // as its widest text with a cell's margins, and not much wider.
    const QJsonArray columns = r.json.value("columns").toObject().value("Sheet1").toArray();
    auto widthOf = [&](int column) {
        for (const QJsonValue& c : columns)
            if (c["min"].toInt() <= column && column <= c["max"].toInt())
                return c["width"].toDouble() * 6;
        return 0.0;
    };
    const double widestA = std::max(CellWidths::textPoints("Description_of_record", false),
                                    CellWidths::textPoints("電話號碼與地址", true));
    EXPECT_EQ(CellWidths::textPoints("電話號碼與地址", true), 7 * 12) << "CJK takes an em";
    EXPECT_NEAR(CellWidths::textPoints("Description_of_record", false), 110.65, 0.01)
        << "Liberation Serif's advance widths, upright or italic, whichever is wider";
    EXPECT_GT(widthOf(1), widestA + 4);
    EXPECT_LT(widthOf(1), widestA + 12);
    EXPECT_GT(widthOf(2), CellWidths::textPoints("Sex", false) + 4);
    EXPECT_LT(widthOf(2), 40) << "a short column is not left at the old pitch";
    EXPECT_NEAR(widthOf(3), Arrows::kColumnPitch, 1e-6) << "unused columns keep the pitch";

    const QJsonObject states = r.json.value("states").toObject();
    EXPECT_EQ(states.value("Sheet1").toString(), "visible");
    EXPECT_EQ(states.value("Sheet2").toString(), "hidden");
}

TEST_F(WorkbookOutput, NewRelationsStartEveryThirdRowWhateverIsAppended) {
    WorkbookLayout layout(1);
    layout.startRelation("A", 1);
    layout.addOwnColumn("a", true, 2);
    layout.addOwnColumn("a2", false, 3);
    layout.finishRelation();
    layout.startRelation("B", 4);
    layout.addOwnColumn("b", true, 5);
    layout.finishRelation();
    layout.startRelation("AB", 6);
    layout.addForeignKeyColumn("a", true, false, 2);
    layout.addForeignKeyColumn("b", true, false, 5);
    layout.finishRelation();
    ASSERT_TRUE(layout.openForAppending(1));
    layout.addForeignKeyColumn("b", true, false, 5);
    layout.addOwnColumn("since", false, 10);
    ASSERT_TRUE(layout.openForAppending(1));
    layout.addForeignKeyColumn("b2", true, false, 5);
    EXPECT_FALSE(layout.openForAppending(99));
    layout.addOwnColumn("lost", false, 11);
    layout.startRelation("C", 7);
    layout.finishRelation();
    layout.finish();
    const Worksheet& s = layout.workbook().output;

    EXPECT_EQ(s.find(1, 1)->text, "A");
    EXPECT_EQ(s.find(4, 1)->text, "B");
    EXPECT_EQ(s.find(7, 1)->text, "AB");
    EXPECT_EQ(s.find(10, 1)->text, "C");
    // Appended to A's column row, each after the last column written there.
    EXPECT_EQ(s.find(2, 3)->text, "b");
    EXPECT_EQ(s.find(2, 4)->text, "since");
    EXPECT_EQ(s.find(2, 5)->text, "b2");
    EXPECT_EQ(s.lastColumn(2), 5);
    const auto since = layout.position(10);
    ASSERT_TRUE(since);
    EXPECT_EQ(since->row, 2);
    EXPECT_EQ(since->column, 4);
    EXPECT_FALSE(layout.position(11));
    EXPECT_EQ(s.find(11, 1), nullptr);
}

TEST_F(WorkbookOutput, ForeignKeyColoursCycleThroughTheKeyColourTable) {
    const Workbook book = keyAndForeignKeys(0, 10, [] { return 0.5; });
    const Readback r = write(book);
    // Font colour index 5, 10, ..., 33, 3, 5: written as SpreadsheetML indexed colours 7 higher,
    // and the arrow takes the palette colour of the same number.
    const int fontIndexed[10] = {12, 17, 53, 62, 20, 14, 45, 40, 10, 12};
    const char* arrowRgb[10] = {"0000FF", "008000", "FF6600", "333399", "800080",
                                "FF00FF", "FF99CC", "00CCFF", "FF0000", "0000FF"};
    const QJsonArray shapes = r.shapes();
    ASSERT_EQ(shapes.size(), 10);
    for (int i = 0; i < 10; ++i) {
        const QString ref = QString(QChar('A' + i)) + "5";
        EXPECT_EQ(r.cell("Sheet1", ref).value("colour").toInt(), fontIndexed[i]) << i;
        EXPECT_EQ(geometryOf(shapes[i].toObject()).rgb, arrowRgb[i]) << i;
        EXPECT_EQ(book.output.find(5, i + 1)->font.colourIndex, fontIndexed[i] - 7) << i;
    }
    // Own columns and names keep the automatic colour.
    EXPECT_TRUE(r.cell("Sheet1", "A2").value("colour").isNull());
}

TEST_F(WorkbookOutput, StraightArrowStartsAfterARandomOffset) {
    for (auto [random, offset] : {std::pair{0.0, 3}, {0.5, 6}, {0.9999, 9}}) {
        WorkbookLayout layout(0, [r = random] { return r; });
        layout.startRelation("Key", 1);
        layout.addOwnColumn("k", true, 2);
        layout.finishRelation();
        layout.startRelation("Refs", 3);
        layout.addOwnColumn("x", true, 4);
        layout.addOwnColumn("y", false, 5);
        layout.addForeignKeyColumn("k", false, false, 2);  // cell (5, 3)
        layout.finishRelation();
        layout.finish();
        const Readback r = write(layout.workbook());
        const QJsonArray shapes = r.shapes();
        ASSERT_EQ(shapes.size(), 1);
        const ShapeGeometry g = geometryOf(shapes[0].toObject());
        const double column3 = SheetGeometry(layout.workbook().output).columnLeft(3);
        EXPECT_TRUE(closeTo(g.start, QPointF(offset + column3, 4 * H + 5))) << offset;
        EXPECT_TRUE(closeTo(g.end, QPointF(5, H + 5))) << offset;
        EXPECT_TRUE(g.arrowHead);
    }
}

TEST(WorkbookLayoutRandom, StraightOffsetsStayBetweenThreeAndNine) {
    const Workbook book = keyAndForeignKeys(0, 200);
    ASSERT_EQ(book.output.shapes.size(), 200u);
    const SheetGeometry sheet(book.output);
    for (size_t i = 0; i < book.output.shapes.size(); ++i) {
        const double offset = book.output.shapes[i].start.x() - sheet.columnLeft(int(i) + 1);
        EXPECT_GE(offset, 3);
        EXPECT_LE(offset, 9);
        EXPECT_EQ(offset, std::floor(offset));
    }
}

// The four pieces of the n-th elbow arrow (0-based) of a workbook.
std::vector<ShapeGeometry> arrowPieces(const QJsonArray& shapes, int n, int pieces = 4) {
    std::vector<ShapeGeometry> out;
    for (int i = 0; i < pieces; ++i) out.push_back(geometryOf(shapes[n * pieces + i].toObject()));
    return out;
}

// An elbow from the foreign key at (row, col) to the key at (keyRow, keyCol), with its offsets.
void expectElbow(const SheetGeometry& sheet, const std::vector<ShapeGeometry>& p, int row, int col,
                 int keyRow, int keyCol, double bus, double lane) {
    const double x = sheet.columnLeft(3) - bus;
    const double y = (row - 1) * H + 3 + lane;
    const double keyY = (keyRow - 1) * H + 3 + lane;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_FALSE(p[0].arc);
    EXPECT_TRUE(sameEnds(p[0].start, p[0].end, {3 + sheet.columnLeft(col), y}, {x, y}));
    // The turn: a quarter circle of radius 6 whose ends meet both runs, centred so that it leaves
    // the first run along it and meets the bus along the bus.
    EXPECT_TRUE(p[1].arc);
    EXPECT_TRUE(sameEnds(p[1].start, p[1].end, {x, y}, {x - 6, y - 6}));
    EXPECT_TRUE(closeTo(p[1].centre, {x, y - 6}));
    EXPECT_FALSE(p[2].arc);
    EXPECT_TRUE(sameEnds(p[2].start, p[2].end, {x - 6, y - 6}, {x - 6, keyY}));
    EXPECT_TRUE(closeTo(p[3].start, {x - 6, keyY}));
    EXPECT_TRUE(closeTo(p[3].end, {5 + sheet.columnLeft(keyCol), keyY}));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(p[size_t(i)].arrowHead) << i;
    EXPECT_TRUE(p[3].arrowHead);
}

TEST_F(WorkbookOutput, ElbowArrowsMoveLeftCycleThroughSixLanesAndStayOnTheSheet) {
    const Workbook book = keyAndForeignKeys(1, 20);
    const SheetGeometry sheet(book.output);
    const Readback r = write(book);
    const QJsonArray shapes = r.shapes();
    ASSERT_EQ(shapes.size(), 80);
    // The first uses bus 10 and lane 3: its bus runs 16 pt left of the second column's edge.
    expectElbow(sheet, arrowPieces(shapes, 0), 5, 1, 2, 1, 10, 3);
    EXPECT_NEAR(geometryOf(shapes[2].toObject()).start.x(), sheet.columnLeft(3) - 16, 1e-3);
    const double lanes[6] = {3, 6, 9, 12, 15, 0};
    for (int n = 0; n < 20; ++n)
        expectElbow(sheet, arrowPieces(shapes, n), 5, n + 1, 2, 1, 10 + 5 * n, lanes[n % 6]);
    // The twentieth, bus 105, would pass the sheet's left edge: the second column widened so that
    // it stays on the sheet, a point from its edge.
    EXPECT_NEAR(geometryOf(shapes[78].toObject()).start.x(), sheet.columnLeft(3) - 111, 1e-3);
    EXPECT_NEAR(sheet.columnLeft(3), 112, 1e-6);
    // Every piece of an arrow has the arrow's colour.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(geometryOf(shapes[i].toObject()).rgb, "0000FF");
}

TEST_F(WorkbookOutput, ForeignKeyBesideItsKeyLoopsUnderTheRow) {
    WorkbookLayout layout(1);
    layout.startRelation("Employee", 1);
    layout.addOwnColumn("EmpNo", true, 2);
    layout.addOwnColumn("Name", false, 3);
    layout.finishRelation();
    ASSERT_TRUE(layout.openForAppending(1));
    layout.addForeignKeyColumn("Supervisor", true, false, 2);  // cell (2, 3)
    layout.finish();
    const Readback r = write(layout.workbook());
    const QJsonArray shapes = r.shapes();
    ASSERT_EQ(shapes.size(), 4);
    const auto p = arrowPieces(shapes, 0);
    const double yb = 2 * H, xf = 5 + SheetGeometry(layout.workbook().output).columnLeft(3), xp = 5;
    EXPECT_TRUE(sameEnds(p[0].start, p[0].end, {xf, yb - 3}, {xf, yb + 3}));
    EXPECT_TRUE(p[1].arc);
    EXPECT_TRUE(sameEnds(p[1].start, p[1].end, {xf, yb + 3}, {xf - 3, yb + 6}));
    EXPECT_TRUE(closeTo(p[1].centre, {xf - 3, yb + 3}));
    EXPECT_TRUE(sameEnds(p[2].start, p[2].end, {xf - 3, yb + 6}, {xp, yb + 6}));
    EXPECT_TRUE(closeTo(p[3].start, {xp, yb + 6}));
    EXPECT_TRUE(closeTo(p[3].end, {xp, yb - 3}));
    EXPECT_TRUE(p[3].arrowHead);
    EXPECT_EQ(r.text("C2"), "Supervisor");
}

TEST(WorkbookLayoutArrows, SameRowUnderStraightStyleIsAStraightArrow) {
    WorkbookLayout layout(0, [] { return 0.0; });
    layout.startRelation("Employee", 1);
    layout.addOwnColumn("EmpNo", true, 2);
    layout.finishRelation();
    layout.openForAppending(1);
    layout.addForeignKeyColumn("Boss", true, false, 2);
    layout.finish();
    const auto& shapes = layout.workbook().output.shapes;
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].start,
              QPointF(3 + SheetGeometry(layout.workbook().output).columnLeft(2), H + 5));
    EXPECT_EQ(shapes[0].end, QPointF(5, H + 5));
}

TEST(WorkbookLayoutArrows, ArrowsFindKeysWrittenLaterButNotKeysWrittenNowhere) {
    WorkbookLayout layout(1);
    layout.startRelation("Dependent", 1);
    layout.addOwnColumn("DepName", true, 2);
    layout.addForeignKeyColumn("Later", true, true, 6);
    layout.addForeignKeyColumn("Nowhere", true, true, 99);
    layout.finishRelation();
    layout.startRelation("Owner", 5);
    layout.addOwnColumn("Later", true, 6);
    layout.finishRelation();
    layout.finish();
    const auto& shapes = layout.workbook().output.shapes;
    ASSERT_EQ(shapes.size(), 4u);
    EXPECT_EQ(shapes[3].end, QPointF(5, 4 * H + 3 + 3));
    // The foreign key without a target still takes its colour, so later colours do not shift.
    EXPECT_EQ(layout.workbook().output.find(2, 3)->font.colourIndex, 10);
}

// A legacy arc in the box (left, top, width, height) with the given flips is a quarter circle
// around one corner of the box: the bottom-left one unflipped, mirrored by each flip.
struct ArcCase {
    bool flipH, flipV;
    QPointF centre, a, b;
};

class ArcFlips : public WorkbookOutput, public ::testing::WithParamInterface<ArcCase> {};

TEST_P(ArcFlips, VisibleQuarterLandsInTheLegacyBox) {
    const ArcCase c = GetParam();
    Workbook book;
    book.output.cell(1, 1).text = "x";
    DrawingShape arc;
    arc.type = DrawingShape::Type::Arc;
    arc.box = QRectF(100, 50, 6, 4);
    arc.flipH = c.flipH;
    arc.flipV = c.flipV;
    arc.schemeColour = 12;
    book.output.shapes.push_back(arc);
    const Readback r = write(book);
    ASSERT_EQ(r.shapes().size(), 1);
    const QJsonObject s = r.shapes()[0].toObject();
    EXPECT_EQ(s.value("geom").toString(), "arc");
    EXPECT_EQ(s.value("cx").toInt(), 12 * 12700);
    EXPECT_EQ(s.value("cy").toInt(), 8 * 12700);
    const ShapeGeometry g = geometryOf(s);
    EXPECT_TRUE(closeTo(g.centre, c.centre));
    EXPECT_TRUE(sameEnds(g.start, g.end, c.a, c.b));
    EXPECT_EQ(g.rgb, "0000FF");
}

INSTANTIATE_TEST_SUITE_P(AllFlips, ArcFlips,
                         ::testing::Values(ArcCase{false, false, {100, 54}, {100, 50}, {106, 54}},
                                           ArcCase{true, false, {106, 54}, {106, 50}, {100, 54}},
                                           ArcCase{false, true, {100, 50}, {100, 54}, {106, 50}},
                                           ArcCase{true, true, {106, 50}, {106, 54}, {100, 50}}));

TEST(DrawingShapePath, FlipsSwapTheEndsOfALine) {
    DrawingShape s;
    s.start = {10, 5};
    s.end = {2, 5};
    s.flipH = true;
    EXPECT_EQ(s.path(), QLineF(QPointF(2, 5), QPointF(10, 5)));
    s.flipH = false;
    s.flipV = true;
    EXPECT_EQ(s.path(), QLineF(QPointF(10, 5), QPointF(2, 5)));
    s.end = {2, 9};
    EXPECT_EQ(s.path(), QLineF(QPointF(10, 9), QPointF(2, 5)));
}

}  // namespace
