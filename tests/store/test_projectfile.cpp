#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "projectfile.h"
#include "storetesting.h"

namespace {

TEST(ProjectFile, EveryKindGoesThroughAFileAndBack) {
    QTemporaryDir dir;
    DiagramBuilder original;
    drawSample(original);
    const QString path = dir.filePath("homework.relvane");
    EXPECT_EQ(exportProjectFile(original.d, path, "作業 'one'"), std::nullopt);
    // A second export replaces the file: it still holds one project.
    EXPECT_EQ(exportProjectFile(original.d, path, "作業 'one'"), std::nullopt);
    EXPECT_EQ(projectFileName(path, nullptr), "作業 'one'");

    DiagramBuilder loaded;
    QString problem, skipped;
    EXPECT_EQ(importProjectFile(loaded.editor, path, &problem, &skipped), "作業 'one'")
        << problem.toStdString();
    EXPECT_EQ(skipped, "");
    EXPECT_EQ(storedData(loaded.d), storedData(original.d));
}

TEST(ProjectFile, AFileThatIsNoProjectFileIsRefusedAndLeftAlone) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.relvane");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    const QString other = dir.filePath("other.relvane");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName(other);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("create table t (x integer)");
        db.close();
    }
    QSqlDatabase::removeDatabase("other");

    for (const QString& path : {text, other, dir.filePath("missing.relvane")}) {
        DiagramBuilder b;
        const int e = b.entity("Kept");
        QFile before(path);
        const QByteArray bytes = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
        before.close();
        QString problem, skipped;
        EXPECT_EQ(importProjectFile(b.editor, path, &problem, &skipped), std::nullopt)
            << path.toStdString();
        EXPECT_TRUE(problem.endsWith(" 不是 Relvane 專案檔")) << problem.toStdString();
        EXPECT_TRUE(b.d.isLiveElement(e));
        QFile after(path);
        EXPECT_EQ(after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray(), bytes)
            << "the file is left as it was";
    }
}

// A project file of the sample diagram, exported as project "one", and changed by hand.
class ChangedFile : public testing::Test {
protected:
    void SetUp() override {
        drawSample(original);
        ASSERT_EQ(exportProjectFile(original.d, path, "one"), std::nullopt);
    }
    QTemporaryDir dir;
    DiagramBuilder original;
    const QString path = dir.filePath("homework.relvane");
};

// Rows of a file that cannot be loaded are left out, and the reader is told how many.
TEST_F(ChangedFile, RowsLeftOutOfAFileAreReported) {
    {
        RawConnection raw("sqlite:" + path);
        ASSERT_TRUE(
            QSqlQuery(raw.db()).exec("UPDATE \"Attribute\" SET \"isKey\" = 'yes' WHERE \"i\" IN "
                                     "(SELECT \"i\" FROM \"Attribute\" LIMIT 2)"));
    }
    DiagramBuilder loaded;
    QString problem, skipped;
    EXPECT_EQ(importProjectFile(loaded.editor, path, &problem, &skipped), "one");
    EXPECT_TRUE(skipped.endsWith(" 筆資料無法載入, 已略過")) << skipped.toStdString();
}

// A file in WAL mode is read without leaving its log and index behind.
TEST_F(ChangedFile, ReadingAWalModeFileLeavesNothingBeside) {
    {
        RawConnection raw("sqlite:" + path);
        QSqlQuery q(raw.db());
        ASSERT_TRUE(q.exec("PRAGMA journal_mode = WAL") && q.next());
        ASSERT_EQ(q.value(0).toString(), "wal");
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    DiagramBuilder loaded;
    QString problem, skipped;
    EXPECT_EQ(importProjectFile(loaded.editor, path, &problem, &skipped), "one")
        << problem.toStdString();
    EXPECT_EQ(storedData(loaded.d), storedData(original.d));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

}  // namespace
