#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <cmath>
#include <limits>

#include "diagrambuilder.h"
#include "schema.h"
#include "storedvalues.h"
#include "storetesting.h"

namespace {

TEST(StoredValues, IntegersAreReadStrictlyAndNeverWrappedOrRounded) {
    const struct {
        QVariant stored;
        std::optional<qint64> read;
    } cases[] = {
        {QVariant(qlonglong(7)), 7},
        {QVariant(int(-3)), -3},
        {QVariant(qlonglong(4294967297)), 4294967297},
        {QVariant(2.0), 2},
        {QVariant(QStringLiteral("12")), 12},
        {QVariant(QStringLiteral(" 12.000 ")), 12},  // NUMERIC text
        {QVariant(1.0000001), std::nullopt},
        {QVariant(QStringLiteral("1.0000001")), std::nullopt},
        {QVariant(std::numeric_limits<double>::quiet_NaN()), std::nullopt},
        {QVariant(std::numeric_limits<double>::infinity()), std::nullopt},
        {QVariant(1e300), std::nullopt},
        {QVariant(QStringLiteral("99999999999999999999")), std::nullopt},
        {QVariant(QStringLiteral("12abc")), std::nullopt},
        {QVariant(QStringLiteral("")), std::nullopt},
        {QVariant(QMetaType(QMetaType::LongLong)), std::nullopt},  // NULL
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedInteger(c.stored), c.read) << c.stored.toString().toStdString();

    EXPECT_EQ(storedCoordinate(QVariant(-1e6)), -1e6f);
    EXPECT_EQ(storedCoordinate(QVariant(QStringLiteral("1234.5"))), 1234.5f);
    for (const double bad : {1e6 + 1, -3e9, 1e39, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(storedCoordinate(QVariant(bad))) << bad;
    EXPECT_FALSE(storedCoordinate(QVariant(QMetaType(QMetaType::Double))));
}

// Tables made by hand or by another tool: the right columns, wider integer types, no CHECK and
// no NOT NULL, so they hold what Relvane's own tables never would.
class HostileRows : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (const StoreTable& table : storeTables()) {
            QStringList columns;
            for (const QString& column : table.columns)
                columns << QStringLiteral("\"%1\" %2").arg(column, typeOf(column));
            ASSERT_TRUE(execute(QStringLiteral("CREATE TABLE \"%1\" (%2)")
                                    .arg(table.name, columns.join(QStringLiteral(", ")))));
        }
        // Project 1 is a proper one that nothing else may ever load in its place.
        ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (1, 'one')"));
        ASSERT_TRUE(
            execute("INSERT INTO \"EntityType\" VALUES "
                    "(1, 1, 'One', '255', 10, 10, 73, 41, 0)"));
    }

    static QString typeOf(const QString& column) {
        static const QStringList reals = {"x", "y", "width", "height"};
        static const QStringList texts = {"ProjectName", "eName", "aName",      "color",
                                          "min",         "max",   "Description"};
        if (reals.contains(column)) return QStringLiteral("DOUBLE PRECISION");
        if (texts.contains(column)) return QStringLiteral("TEXT");
        return QStringLiteral("BIGINT");
    }

    bool postgres() const { return GetParam() == Engine::PostgreSQL; }
};

TEST_P(HostileRows, AProjectNumberOutOfRangeIsNoOtherProjectsNumber) {
    QStringList numbers = {"4294967297", "-4294967295", "8589934593", "65537", "0"};
    if (!postgres()) numbers << "1.0000001";  // a BIGINT column holds no fraction
    for (const QString& number : numbers) {
        SCOPED_TRACE(number.toStdString());
        ASSERT_TRUE(execute("DELETE FROM \"Project\" WHERE \"ProjectName\" = 'wrapped'"));
        ASSERT_TRUE(
            execute(QStringLiteral("INSERT INTO \"Project\" VALUES (%1, 'wrapped')").arg(number)));
        DiagramBuilder b;
        const auto loaded = store().loadInto(b.editor, "wrapped");
        EXPECT_EQ(loaded.status, ProjectStore::LoadResult::Status::Failed);
        EXPECT_TRUE(loaded.error.description.contains("not a project number"))
            << loaded.error.text().toStdString();
        EXPECT_EQ(b.d.elementCount(), 1);  // project 1's entity did not come along

        // Saving under that name must not delete project 1 to make room.
        DiagramBuilder other;
        other.attribute(other.entity("E"), "id", true);
        EXPECT_FALSE(store().saveAs(other.d, "wrapped").ok);
        EXPECT_EQ(rowsText("SELECT \"eName\" FROM \"EntityType\" WHERE \"Pi\" = 1"),
                  QStringList{"One"});
    }
}

TEST_P(HostileRows, IndicesOutOfRangeMakeTheirRowUnreadable) {
    ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (2, 'two')"));
    // 65538 would wrap to the 16-bit index 2; 4294967298 to 2 as well.
    for (const char* i : {"3", "65538", "4294967298"})
        ASSERT_TRUE(execute(QStringLiteral("INSERT INTO \"EntityType\" VALUES "
                                           "(2, %1, 'E', '255', 10, 10, 73, 41, 0)")
                                .arg(i)));
    ASSERT_TRUE(
        execute("INSERT INTO \"EntityType\" VALUES (2, 5, 'K', '255', 1, 1, 73, 41, "
                "4294967296)"));  // a kind that would wrap to 0
    DiagramBuilder b;
    const auto loaded = store().loadInto(b.editor, "two");
    ASSERT_EQ(loaded.status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(loaded.skippedRows, 3);
    EXPECT_TRUE(b.d.isLiveElement(3));
    EXPECT_FALSE(b.d.isLiveElement(2));
    EXPECT_FALSE(b.d.isLiveElement(5));
}

TEST_P(HostileRows, UnreadableGeometryAndColoursTakeTheTemplatesValuesAndAreCounted) {
    ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (2, 'two')"));
    // One bad value per row; the element keeps all its other values.
    const QString nan = postgres() ? "'NaN'" : "NULL";  // SQLite stores NaN as NULL
    const QString minusInf = postgres() ? "'-Infinity'" : "-1e999";
    const QString rows[] = {
        QStringLiteral("(2, 1, 'Student', '', 100, 200, 73, 41, 0)"),  // empty colour
        QStringLiteral("(2, 2, 'B', '255', %1, 200, 73, 41, 0)").arg(nan),
        QStringLiteral("(2, 3, 'C', '255', 300, %1, 73, 41, 0)").arg(minusInf),
        QStringLiteral("(2, 4, 'D', '255', 400, 200, 1e39, 41, 0)"),
        QStringLiteral("(2, 5, 'E', '255', 500, 200, 73, 3e9, 0)"),
        QStringLiteral("(2, 6, 'F', NULL, 600, 200, 73, 41, 4)"),
    };
    for (const QString& row : rows)
        ASSERT_TRUE(execute("INSERT INTO \"EntityType\" VALUES " + row));
    // The attribute of the entity with the empty colour keeps its owner.
    ASSERT_TRUE(
        execute("INSERT INTO \"Attribute\" VALUES "
                "(2, 7, 1, 'StudentNo', '65535', 1, 1, 100, 300, 73, 41)"));
    DiagramBuilder b;
    const Element tmpl = b.d.element(0);
    const auto loaded = store().loadInto(b.editor, "two");
    ASSERT_EQ(loaded.status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(loaded.skippedRows, 6);
    for (int i = 1; i <= 7; ++i) EXPECT_TRUE(b.d.isLiveElement(i)) << i;
    const Element& student = b.d.element(1);
    EXPECT_EQ(student.BackColor, tmpl.BackColor);
    EXPECT_EQ(student.Caption, "Student");
    EXPECT_EQ(student.Left, 100.0f);
    EXPECT_EQ(b.d.element(2).Left, tmpl.Left);
    EXPECT_EQ(b.d.element(2).Top, 200.0f);
    EXPECT_EQ(b.d.element(3).Top, tmpl.Top);
    EXPECT_EQ(b.d.element(4).Width, tmpl.Width);
    EXPECT_EQ(b.d.element(4).Height, 41.0f);
    EXPECT_EQ(b.d.element(5).Height, tmpl.Height);
    EXPECT_EQ(b.d.element(6).BackColor, tmpl.BackColor);
    EXPECT_EQ(b.d.element(7).RelativeEntityList.items(), std::vector<qint16>{1});
    for (int i = 1; i <= 7; ++i) {
        const Element& e = b.d.element(i);
        for (const float v : {e.Left, e.Top, e.Width, e.Height})
            EXPECT_TRUE(std::isfinite(v) && std::fabs(v) <= 1e6f) << i;
    }
    // Nothing of it stands in the way of the next save.
    EXPECT_TRUE(store().saveAs(b.d, "two again").ok);
}

TEST_P(HostileRows, ColumnsOfOtherTypesAreReportedNamingTheTable) {
    ASSERT_TRUE(execute("DROP TABLE \"ET_Identify_WET\""));
    ASSERT_TRUE(
        execute("CREATE TABLE \"ET_Identify_WET\" (\"Pi\" NUMERIC, \"Ei\" BIGINT, "
                "\"Wi\" BIGINT)"));
    const QString expected =
        postgres() ? "table ET_Identify_WET is not a Relvane table: its column Pi has the type "
                     "numeric; Relvane needs an integer column: Check tables"
                   : "table ET_Identify_WET is not a Relvane table: its column Pi has the type "
                     "NUMERIC; Relvane needs an integer column: Check tables";
    DiagramBuilder b;
    const auto loaded = store().loadInto(b.editor, "one");
    EXPECT_EQ(loaded.status, ProjectStore::LoadResult::Status::Failed);
    EXPECT_EQ(loaded.error.text(), expected);
    EXPECT_EQ(store().check().text(), expected);
}

INSTANTIATE_TEST_SUITE_P(Engines, HostileRows, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

// Loading only reads: the database is opened read-only and no table is created.
class ReadOnlyLoad : public StoreTest {};

TEST_P(ReadOnlyLoad, AStoreWithoutTablesHasNoProjectAndStaysAsItWas) {
    DiagramBuilder b;
    if (GetParam() == Engine::SQLite) {
        const QString path = url().mid(QStringLiteral("sqlite:").size());
        EXPECT_EQ(store().loadInto(b.editor, "x").status,
                  ProjectStore::LoadResult::Status::NotFound);
        EXPECT_EQ(store().contains("x"), false);
        EXPECT_FALSE(QFileInfo::exists(path));  // not created by reading

        QFile empty(path);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        empty.close();
        EXPECT_EQ(store().loadInto(b.editor, "x").status,
                  ProjectStore::LoadResult::Status::NotFound);
        EXPECT_EQ(QFileInfo(path).size(), 0);
    } else {
        EXPECT_EQ(store().loadInto(b.editor, "x").status,
                  ProjectStore::LoadResult::Status::NotFound);
        EXPECT_EQ(store().contains("x"), false);
        EXPECT_EQ(rowsText("SELECT count(*) FROM information_schema.tables WHERE table_schema = "
                           "current_schema() AND table_name = 'Project'"),
                  QStringList{"0"});
    }
    // A store with only some of the tables is not taken for an empty one.
    ASSERT_TRUE(execute("CREATE TABLE \"Project\" (\"i\" INTEGER, \"ProjectName\" TEXT)"));
    const auto partial = store().loadInto(b.editor, "x");
    EXPECT_EQ(partial.status, ProjectStore::LoadResult::Status::Failed);
    EXPECT_TRUE(partial.error.description.startsWith(
        "the database has no table EntityType, Attribute, Invoke, ET_Identify_WET"))
        << partial.error.text().toStdString();
    EXPECT_EQ(count("Project"), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReadOnlyLoad, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
