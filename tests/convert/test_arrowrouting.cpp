#include <gtest/gtest.h>

#include <QLineF>
#include <random>
#include <set>

#include "cutcells.h"
#include "diagrambuilder.h"
#include "drawingcheck.h"
#include "explanationsheet.h"
#include "mapping.h"
#include "readback.h"
#include "sheetgeometry.h"
#include "workbook.h"
#include "workbookfile.h"
#include "xlsx.h"

// The arrows of every style stay on the sheet; routed arrows never touch text. Checked on the
// laid-out shapes in points against the cells as the sheet's sizes place them, for random
// projects, and on the written file as an independent reader sees it.

namespace {

// A random sheet: relations with own columns, some of them keys, then foreign keys to random
// keys, some in new relations and some appended to existing ones, recursive ones included.
struct RandomSheet {
    Workbook book;
    int foreignKeys = 0;
};

RandomSheet randomSheet(unsigned seed, int fkpk, int relations, int foreignKeys) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto caption = [&](const char* stem) {
        QString text = QString::fromLatin1(stem);
        const int extra = pick(14);
        for (int i = 0; i < extra; ++i) text += QChar(pick(5) == 0 ? 0x6A5F : 'a' + pick(26));
        return text;
    };
    WorkbookLayout layout(fkpk, [&] { return double(rng() % 1000) / 1000; });
    int element = 1;
    std::vector<int> keys, holders;
    for (int r = 0; r < relations; ++r) {
        holders.push_back(element);
        layout.startRelation(caption("R"), element++);
        const int columns = 1 + pick(5);
        for (int c = 0; c < columns; ++c) {
            const bool key = c == 0 || pick(3) == 0;
            if (key) keys.push_back(element);
            layout.addOwnColumn(caption(key ? "k" : "c"), key, element++);
        }
        layout.finishRelation();
    }
    RandomSheet sheet;
    while (sheet.foreignKeys < foreignKeys) {
        if (pick(2) == 0) {
            layout.startRelation(caption("M"), element++);
        } else if (!layout.openForAppending(holders[size_t(pick(int(holders.size())))])) {
            continue;
        }
        const int count = 1 + pick(3);
        for (int i = 0; i < count && sheet.foreignKeys < foreignKeys; ++i, ++sheet.foreignKeys)
            layout.addForeignKeyColumn(caption("f"), pick(2) == 0, pick(4) == 0,
                                       keys[size_t(pick(int(keys.size())))]);
        if (pick(3) == 0) layout.addOwnColumn(caption("a"), false, element++);
        layout.finishRelation();
    }
    layout.finish();
    sheet.book = std::move(layout.workbook());
    return sheet;
}

struct WrittenCell {
    QRectF rect;
    bool foreignKey;
};

std::vector<WrittenCell> writtenCells(const Worksheet& sheet) {
    const SheetGeometry g(sheet);
    std::vector<WrittenCell> cells;
    for (const auto& [row, columns] : sheet.rows())
        for (const auto& [column, cell] : columns)
            cells.push_back({QRectF(g.columnLeft(column), g.rowTop(row), g.columnWidth(column),
                                    g.rowHeight(row)),
                             cell.font.colourIndex != 0});
    return cells;
}

// Whether an axis-parallel segment comes into the cell or into the 3 pt under it, where a line
// would read as the text's underline.
bool meets(const QLineF& s, const QRectF& cell) {
    const QRectF zone = cell.adjusted(0, 0, 0, 3);
    const double left = std::min(s.x1(), s.x2()), right = std::max(s.x1(), s.x2());
    const double top = std::min(s.y1(), s.y2()), bottom = std::max(s.y1(), s.y2());
    return left <= zone.right() && right >= zone.left() && top <= zone.bottom() &&
           bottom >= zone.top();
}

bool onBottomEdge(QPointF p, const QRectF& cell) {
    return std::abs(p.y() - cell.bottom()) < 1e-6 && p.x() > cell.left() && p.x() < cell.right();
}

// The arrows of a routed sheet: runs of line shapes, each ending in the one with the arrowhead.
std::vector<std::vector<QLineF>> arrowsOf(const Worksheet& sheet) {
    std::vector<std::vector<QLineF>> arrows(1);
    for (const DrawingShape& shape : sheet.shapes) {
        EXPECT_EQ(shape.type, DrawingShape::Type::Line);
        arrows.back().push_back(shape.path());
        if (shape.arrowHead) arrows.emplace_back();
    }
    EXPECT_TRUE(arrows.back().empty()) << "every arrow ends in an arrowhead";
    arrows.pop_back();
    return arrows;
}

void expectRoutedArrowsAvoidText(const Worksheet& sheet, int foreignKeys, double apart = 3) {
    const std::vector<WrittenCell> cells = writtenCells(sheet);
    const auto arrows = arrowsOf(sheet);
    ASSERT_EQ(int(arrows.size()), foreignKeys) << "one arrowhead per foreign key";
    struct Piece {
        QLineF line;
        size_t arrow;
    };
    std::vector<Piece> pieces;
    std::set<const WrittenCell*> starts;
    for (size_t a = 0; a < arrows.size(); ++a) {
        const std::vector<QLineF>& lines = arrows[a];
        const QPointF first = lines.front().p1(), last = lines.back().p2();
        const WrittenCell *from = nullptr, *to = nullptr;
        for (const WrittenCell& c : cells) {
            if (onBottomEdge(first, c.rect)) from = &c;
            if (onBottomEdge(last, c.rect)) to = &c;
        }
        ASSERT_TRUE(from && from->foreignKey) << "arrow " << a << " leaves a foreign key's cell";
        ASSERT_TRUE(to && !to->foreignKey) << "arrow " << a << " ends at a key's cell";
        EXPECT_TRUE(starts.insert(from).second) << "one arrow a foreign key";
        for (size_t i = 0; i < lines.size(); ++i) {
            const QLineF& s = lines[i];
            ASSERT_TRUE(s.x1() == s.x2() || s.y1() == s.y2()) << "axis-parallel pieces";
            EXPECT_GE(std::min(s.x1(), s.x2()), 0);
            EXPECT_GE(std::min(s.y1(), s.y2()), 0);
            for (const WrittenCell& c : cells) {
                // Only the first piece may leave its own cell, only the last reach its key.
                if ((i == 0 && &c == from) || (i + 1 == lines.size() && &c == to)) continue;
                ASSERT_FALSE(meets(s, c.rect))
                    << "arrow " << a << " piece " << i << " meets the cell at " << c.rect.x() << ","
                    << c.rect.y();
            }
            pieces.push_back({s, a});
        }
    }
    // Pieces of different arrows that run side by side keep 3 pt between them.
    for (size_t i = 0; i < pieces.size(); ++i) {
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            if (pieces[i].arrow == pieces[j].arrow) continue;
            const QLineF &a = pieces[i].line, &b = pieces[j].line;
            const bool aVertical = a.x1() == a.x2(), bVertical = b.x1() == b.x2();
            if (aVertical != bVertical) continue;
            auto span = [&](const QLineF& l) {
                return aVertical ? std::pair{std::min(l.y1(), l.y2()), std::max(l.y1(), l.y2())}
                                 : std::pair{std::min(l.x1(), l.x2()), std::max(l.x1(), l.x2())};
            };
            const auto [a0, a1] = span(a);
            const auto [b0, b1] = span(b);
            if (a1 < b0 || b1 < a0) continue;
            const double distance =
                aVertical ? std::abs(a.x1() - b.x1()) : std::abs(a.y1() - b.y1());
            ASSERT_GE(distance, apart)
                << "arrows " << pieces[i].arrow << " and " << pieces[j].arrow;
        }
    }
}

void expectOnTheSheet(const Worksheet& sheet, int foreignKeys) {
    int heads = 0;
    for (const DrawingShape& shape : sheet.shapes) {
        const QRectF box = shape.bounds();
        ASSERT_GE(box.left(), 0);
        ASSERT_GE(box.top(), 0);
        heads += shape.arrowHead;
    }
    EXPECT_EQ(heads, foreignKeys);
}

TEST(ArrowLayout, RoutedArrowsNeverTouchTextAndEveryStyleStaysOnTheSheet) {
    struct Case {
        int relations, foreignKeys;
    };
    for (const Case size : {Case{3, 4}, Case{12, 30}, Case{40, 120}}) {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE(testing::Message()
                         << "seed " << seed << ", " << size.foreignKeys << " foreign keys");
            const RandomSheet routed = randomSheet(seed, 2, size.relations, size.foreignKeys);
            expectRoutedArrowsAvoidText(routed.book.output, routed.foreignKeys);
            expectOnTheSheet(routed.book.output, routed.foreignKeys);
            for (int fkpk : {0, 1}) {
                const RandomSheet other = randomSheet(seed, fkpk, size.relations, size.foreignKeys);
                expectOnTheSheet(other.book.output, other.foreignKeys);
            }
        }
    }
}

TEST(ArrowLayout, AThousandForeignKeysKeepEveryArrowInEveryStyle) {
    WorkbookFolder folder;
    for (int fkpk : {0, 1, 2}) {
        const RandomSheet sheet = randomSheet(7, fkpk, 200, 1000);
        expectOnTheSheet(sheet.book.output, 1000);
        for (double width : sheet.book.output.columnWidths) EXPECT_LE(width, 1530);
        for (double height : sheet.book.output.rowHeights) EXPECT_LE(height, 409.5);
        if (fkpk == 2) expectRoutedArrowsAvoidText(sheet.book.output, 1000);
        const QString file = folder.path(QStringLiteral("thousand%1.xlsx").arg(fkpk));
        ASSERT_TRUE(Xlsx::save(sheet.book, file));
        folder.keep(file);
        if (fkpk == 2) {
            // A drawing of several deflate slices, deflated ahead of the rest, reads back whole.
            const Readback r = readBack(file);
            ASSERT_TRUE(r.ok) << r.error.toStdString();
            EXPECT_EQ(size_t(r.shapes().size()), sheet.book.output.shapes.size());
        }
    }
}

// A key referenced by 600 foreign keys, one relation each: the rows and columns the arrows need
// stay within what a spreadsheet can size, and every arrow still avoids the text.
TEST(ArrowLayout, ACrowdedKeyKeepsRowsAndColumnsWithinTheSpreadsheetsLimits) {
    WorkbookLayout layout(2);
    layout.startRelation("Star", 1);
    layout.addOwnColumn("Key", true, 2);
    layout.finishRelation();
    for (int i = 0; i < 600; ++i) {
        layout.startRelation(QStringLiteral("Ray%1").arg(i), 3 + i);
        layout.addForeignKeyColumn("Key", true, false, 2);
        layout.finishRelation();
    }
    layout.finish();
    const Worksheet& sheet = layout.workbook().output;
    expectRoutedArrowsAvoidText(sheet, 600, 0.5);
    for (double height : sheet.rowHeights) EXPECT_LE(height, 409.5);
    for (double width : sheet.columnWidths) EXPECT_LE(width, 1530);
}

// The anchors' cells and offsets, added up with the column widths and row heights the reader
// finds in the file, put every shape where its position says.
TEST(ArrowLayout, AnchorsPutEveryShapeOnItsCellsInTheWrittenFile) {
    WorkbookFolder folder;
    for (int fkpk : {0, 1, 2}) {
        const RandomSheet sheet = randomSheet(3, fkpk, 10, 25);
        const QString file = folder.path(QStringLiteral("anchors%1.xlsx").arg(fkpk));
        ASSERT_TRUE(Xlsx::save(sheet.book, file));
        folder.keep(file);
        const Readback r = readBack(file);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        const QJsonArray shapes = r.shapes();
        ASSERT_EQ(size_t(shapes.size()), sheet.book.output.shapes.size());
        for (const QJsonValue& value : shapes) {
            const QJsonObject shape = value.toObject();
            ASSERT_EQ(shape["anchor"].toString(), "twoCellAnchor");
            for (const char* corner : {"from", "to"}) {
                const QJsonObject c = shape[corner].toObject();
                for (const char* part : {"col", "colOff", "row", "rowOff"})
                    ASSERT_GE(c[part].toInt(), 0) << corner << " " << part;
                // Anchors count columns and rows from 0.
                const QPointF at(
                    sheetColumnLeft(r, c["col"].toInt() + 1) + c["colOff"].toDouble() / kEmu,
                    sheetRowTop(r, c["row"].toInt() + 1) + c["rowOff"].toDouble() / kEmu);
                const bool from = QByteArray(corner) == "from";
                const QPointF want(
                    (shape["x"].toDouble() + (from ? 0 : shape["cx"].toDouble())) / kEmu,
                    (shape["y"].toDouble() + (from ? 0 : shape["cy"].toDouble())) / kEmu);
                ASSERT_NEAR(at.x(), want.x(), 0.01) << "style " << fkpk << " " << corner;
                ASSERT_NEAR(at.y(), want.y(), 0.01) << "style " << fkpk << " " << corner;
            }
        }
    }
}

// The textbook's COMPANY schema: every kind of foreign key (1:N, 1:1, M:N, a weak entity's owner,
// a multivalued attribute's owner, a recursive relationship) with the names whose cells used to
// be crossed or cut.
void drawCompany(DiagramBuilder& b) {
    auto attributes = [&](int owner, std::initializer_list<const char*> names, int key) {
        int i = 0;
        for (const char* name : names) b.attribute(owner, name, i++ == key);
    };
    const int employee = b.entity("EMPLOYEE");
    attributes(employee, {"Fname", "Minit", "Lname", "Ssn", "Bdate", "Address", "Sex", "Salary"},
               3);
    const int department = b.entity("DEPARTMENT");
    attributes(department, {"Dname", "Dnumber"}, 1);
    b.multAttribute(department, "Locations");
    const int project = b.entity("PROJECT");
    attributes(project, {"Pname", "Pnumber", "Plocation"}, 1);
    const int dependent = b.entity("DEPENDENT");
    attributes(dependent, {"Dependent_name", "Sex", "Bdate", "Relationship"}, 0);
    auto relate = [&](const char* name, int e1, const char* p1, int e2, const char* p2) {
        const int r = b.relationship(name);
        const auto [k1, k2] = b.binary(e1, r, e2);
        b.setParticipation(k1, p1);
        b.setParticipation(k2, p2);
        return r;
    };
    relate("WORKS_FOR", employee, "1,N", department, "0,1");
    b.attribute(relate("MANAGES", department, "1,1", employee, "0,1"), "Start_date");
    relate("CONTROLS", project, "1,N", department, "0,1");
    b.attribute(relate("WORKS_ON", employee, "1,N", project, "1,N"), "Hours");
    b.makeWeak(dependent, relate("DEPENDENTS_OF", dependent, "1,N", employee, "0,N"));
    const int supervision = b.relationship("SUPERVISION");
    const auto [k1, k2] = b.recursive(employee, supervision);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "0,1");
    b.setRole(k1, "Supervisee");
    b.setRole(k2, "Supervisor");
}

// A chain of `n` entities, each related one-to-many to the next.
void drawChain(DiagramBuilder& b, int n) {
    int previous = 0;
    for (int i = 1; i <= n; ++i) {
        const int e = b.entity(QStringLiteral("ENTITY_%1").arg(i));
        b.attribute(e, QStringLiteral("Key_%1").arg(i), true);
        b.attribute(e, QStringLiteral("Name_of_entity_%1").arg(i));
        if (previous) {
            const int r = b.relationship(QStringLiteral("R%1").arg(i));
            const auto [k1, k2] = b.binary(previous, r, e);
            b.setParticipation(k1, "0,N");
            b.setParticipation(k2, "1,1");
        }
        previous = e;
    }
}

TEST(ArrowLayout, CompanyAndAChainOfEntitiesRouteAroundTheirNames) {
    WorkbookFolder folder;
    for (const char* name : {"company", "chain120"}) {
        SCOPED_TRACE(name);
        DiagramBuilder b;
        if (QByteArray(name) == "company")
            drawCompany(b);
        else
            drawChain(b, 120);
        const RelationalModel model = mapDiagram(b.d);
        int foreignKeys = 0;
        for (const Relation& relation : model.relations)
            for (const Column& column : relation.columns) foreignKeys += bool(column.references);
        Workbook book = layOutWorkbook(model, 2);
        expectRoutedArrowsAvoidText(book.output, foreignKeys);
        EXPECT_GE(foreignKeys, QByteArray(name) == "company" ? 8 : 119);
        book.more.push_back(explanationSheet(model, b.d));
        const QString file = folder.path(QStringLiteral("%1.xlsx").arg(name));
        ASSERT_TRUE(Xlsx::save(book, file));
        folder.keep(file);
        // No name cut on the relations' sheet or on the explanations.
        const QJsonObject cut = cutCells(file);
        ASSERT_EQ(cut.size(), 3);
        for (const QString& sheet : cut.keys())
            EXPECT_TRUE(cut[sheet].toArray().isEmpty())
                << sheet.toStdString() << ": "
                << QJsonDocument(cut[sheet].toArray()).toJson().toStdString();
    }
}

}  // namespace
