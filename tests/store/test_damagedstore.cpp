#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "projectcatalog.h"
#include "storetesting.h"

// Stores and project files that SQLite cannot read as they are: a read fails with the reason,
// never as a store without projects or a project with rows missing.

namespace {

QString sqliteUrl(const QString& path) {
    return QStringLiteral("sqlite:") + path;
}

void overwrite(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(offset);
    file.write(bytes);
}

class DamagedStore : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("projects.db");
        drawSample(original_);
        ASSERT_TRUE(ProjectStore(sqliteUrl(path_)).saveAs(original_.d, "school").ok);
    }
    // Statements on a connection of the test's own; false when one fails.
    bool execute(const QStringList& statements) {
        RawConnection raw(sqliteUrl(path_));
        QSqlQuery q(raw.db());
        for (const QString& statement : statements)
            if (!q.exec(statement)) return false;
        return true;
    }
    ProjectStore::LoadResult load(DiagramBuilder& b) {
        return ProjectStore(sqliteUrl(path_)).loadInto(b.editor, "school");
    }
    void expectLoadFails(const char* reason) {
        DiagramBuilder b;
        const ProjectStore::LoadResult loaded = load(b);
        EXPECT_EQ(loaded.status, ProjectStore::LoadResult::Status::Failed);
        EXPECT_TRUE(loaded.error.text().contains(reason)) << loaded.error.text().toStdString();
    }
    // Every way of reading the store fails, and says why.
    void expectUnreadable(const char* reason) {
        const ProjectStore store(sqliteUrl(path_));
        StoreError error;
        EXPECT_EQ(listProjects(store, &error), std::nullopt);
        EXPECT_TRUE(error.text().contains(reason)) << error.text().toStdString();
        const ProjectStore::ReadResult read = store.readProjects(std::nullopt);
        EXPECT_FALSE(read.ok);
        EXPECT_TRUE(read.error.text().contains(reason)) << read.error.text().toStdString();
        expectLoadFails(reason);
        EXPECT_EQ(store.contains("school"), std::nullopt);
    }

    QTemporaryDir dir_;
    QString path_;
    DiagramBuilder original_;
};

TEST_F(DamagedStore, AFileThatIsNoDatabaseIsNoEmptyStore) {
    overwrite(path_, 0, "This is no SQLite header");
    expectUnreadable("not a database");
}

TEST_F(DamagedStore, ADamagedSchemaPageIsNoEmptyStore) {
    // The page size (bytes 16-17) is kept; the first page's b-tree header after the file
    // header is overwritten.
    overwrite(path_, 100, QByteArray(12, '\x7f'));
    expectUnreadable("malformed");
}

// A save killed after it wrote pages leaves a hot journal beside the file; a reader rolls it
// back and sees the last committed version.
TEST_F(DamagedStore, AnInterruptedSaveIsRolledBackBeforeARead) {
    const QString copy = dir_.filePath("copy.db");
    {
        RawConnection raw(sqliteUrl(path_));
        QSqlQuery q(raw.db());
        ASSERT_TRUE(q.exec("PRAGMA cache_size = 1"));
        ASSERT_TRUE(q.exec("BEGIN"));
        ASSERT_TRUE(q.exec("UPDATE \"EntityType\" SET \"eName\" = 'Changed'"));
        ASSERT_TRUE(
            q.exec("INSERT INTO \"Project\" SELECT \"i\" + 100, \"ProjectName\" || "
                   "zeroblob(4000) FROM \"Project\""));
        // The copy is what a crash at this moment leaves: changed pages and their journal.
        ASSERT_TRUE(QFile::copy(path_, copy));
        ASSERT_TRUE(QFile::copy(path_ + "-journal", copy + "-journal"));
        ASSERT_TRUE(q.exec("ROLLBACK"));
    }
    ASSERT_GT(QFileInfo(copy + "-journal").size(), 0);
    DiagramBuilder b;
    const ProjectStore::LoadResult loaded =
        ProjectStore(sqliteUrl(copy)).loadInto(b.editor, "school");
    ASSERT_EQ(loaded.status, ProjectStore::LoadResult::Status::Loaded)
        << loaded.error.text().toStdString();
    EXPECT_EQ(storedData(b.d), storedData(original_.d));
}

// A damaged page in the middle of a table ends its read: the load fails as a whole, and the
// diagram in the window, which a later Save would write over the stored rows, stays as it was.
TEST_F(DamagedStore, ADamagedPageInATableFailsTheWholeLoad) {
    ASSERT_TRUE(
        execute({"WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 1500) "
                 "INSERT INTO \"EntityType\" SELECT 1, 1000 + k, printf('E%04d%.60c', k, 'x'), "
                 "'&H00FFFFFF&', 10 * k, 10, 80, 40, 1 FROM n"}));
    const qint64 pageSize = 4096;
    const qint64 pages = QFileInfo(path_).size() / pageSize;
    ASSERT_GT(pages, 20);
    overwrite(path_, pages / 2 * pageSize, QByteArray(16, '\xff'));

    DiagramBuilder b;
    const int kept = b.entity("Kept");
    EXPECT_EQ(load(b).status, ProjectStore::LoadResult::Status::Failed);
    EXPECT_TRUE(b.d.isLiveElement(kept));
    expectLoadFails("malformed");
    EXPECT_FALSE(ProjectStore(sqliteUrl(path_)).readProjects(std::nullopt).ok);
}

// Tables made to cost more than they hold: a generated column that is not one of the store's
// (here one larger than the value limit) is never read, a view is refused, and a value beyond the
// size limit fails the load instead of filling the memory.
TEST_F(DamagedStore, OnlyTheStoreColumnsOfPlainTablesAreReadAndValuesAreCapped) {
    ASSERT_TRUE(execute(
        {"PRAGMA foreign_keys = OFF", "ALTER TABLE \"Attribute\" RENAME TO kept",
         "CREATE TABLE \"Attribute\" (\"Pi\" INTEGER, \"i\" INTEGER, \"Ei\" INTEGER, "
         "\"aName\" TEXT, \"color\" TEXT, \"isSingle\" INTEGER, \"isKey\" INTEGER, \"x\" REAL, "
         "\"y\" REAL, \"width\" REAL, \"height\" REAL, "
         "g BLOB GENERATED ALWAYS AS (zeroblob(5000000)) VIRTUAL)",
         "INSERT INTO \"Attribute\" SELECT * FROM kept"}));
    DiagramBuilder b;
    ASSERT_EQ(load(b).status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(storedData(b.d), storedData(original_.d));

    ASSERT_TRUE(
        execute({"DROP TABLE \"Attribute\"", "CREATE VIEW \"Attribute\" AS SELECT * FROM kept"}));
    expectLoadFails("Attribute is not a table");

    ASSERT_TRUE(execute({"DROP VIEW \"Attribute\"", "ALTER TABLE kept RENAME TO \"Attribute\"",
                         "UPDATE \"EntityType\" SET \"eName\" = printf('%.5000000c', 'x') "
                         "WHERE rowid = (SELECT min(rowid) FROM \"EntityType\")"}));
    expectLoadFails("too big");
}

}  // namespace
