#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <QStandardPaths>

#include "diagrambuilder.h"
#include "schema.h"
#include "storetesting.h"

namespace {

class Schema : public StoreTest {};

TEST_P(Schema, FirstUseCreatesTheFiveTablesWithTheirColumnsInOrder) {
    EXPECT_FALSE(store().check().isSet());
    RawConnection raw(url());
    for (const StoreTable& table : storeTables()) {
        const QSqlRecord record = raw.db().record('"' + table.name + '"');
        QStringList columns;
        for (int i = 0; i < record.count(); ++i) columns << record.fieldName(i);
        EXPECT_EQ(columns, table.columns) << table.name.toStdString();
    }
    EXPECT_EQ(storeTables().size(), 5u);
    // A second opening finds them and changes nothing.
    EXPECT_FALSE(store().check().isSet());
}

TEST_P(Schema, DeletingAProjectRowDeletesItsRowsInTheOtherTables) {
    DiagramBuilder b;
    const int w = b.entity("W");
    const int o = b.entity("O");
    const int r = b.relationship("R");
    b.binary(w, r, o);
    b.attribute(w, "a");
    b.makeWeak(w, r);
    ASSERT_TRUE(store().saveAs(b.d, "doomed").ok);
    ASSERT_TRUE(store().saveAs(b.d, "kept").ok);
    ASSERT_TRUE(execute("DELETE FROM \"Project\" WHERE \"ProjectName\" = 'doomed'"));
    EXPECT_EQ(count("EntityType"), 3);
    EXPECT_EQ(count("Attribute"), 1);
    EXPECT_EQ(count("Invoke"), 2);
    EXPECT_EQ(count("ET_Identify_WET"), 1);
}

TEST_P(Schema, TablesWithOtherColumnsAreReportedNotUsed) {
    ASSERT_TRUE(execute("CREATE TABLE \"Project\" (\"ProjectName\" TEXT, \"i\" INTEGER)"));
    const StoreError error = store().check();
    EXPECT_EQ(error.text(),
              "table Project has the columns (ProjectName, i); Relvane needs (i, "
              "ProjectName) in this order: Check tables");
    DiagramBuilder b;
    EXPECT_FALSE(store().saveAs(b.d, "x").ok);
}

TEST_P(Schema, TheScriptsInTheRepositoryAreTheOnesBuiltIn) {
    const bool postgres = GetParam() == Engine::PostgreSQL;
    QFile file(QStringLiteral(RELVANE_SOURCE_DIR) +
               (postgres ? "/sql/postgresql.sql" : "/sql/sqlite.sql"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString script = QString::fromUtf8(file.readAll());
    const QStringList builtIn = schemaStatements(postgres ? DatabaseUrl::Provider::PostgreSQL
                                                          : DatabaseUrl::Provider::SQLite);
    ASSERT_EQ(builtIn.size(), 6);
    // Run by hand, as an administrator would; the store then uses the tables as they are.
    RawConnection raw(url());
    QSqlQuery q(raw.db());
    for (const QString& statement : builtIn) {
        EXPECT_TRUE(script.contains(statement.left(40)));
        EXPECT_TRUE(q.exec(statement)) << statement.toStdString();
    }
    EXPECT_FALSE(store().check().isSet());
}

INSTANTIATE_TEST_SUITE_P(Engines, Schema, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

TEST(DefaultStore, IsCreatedInTheUsersDataFolderOnFirstUse) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(folder).removeRecursively();
    const ProjectStore store{QString()};
    EXPECT_FALSE(store.check().isSet());
    EXPECT_TRUE(QFile::exists(folder + "/ERD.db"));
    DiagramBuilder b;
    b.entity("E");
    EXPECT_TRUE(store.saveAs(b.d, "first").ok);
    QDir(folder).removeRecursively();
}

}  // namespace
