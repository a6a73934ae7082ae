// The SQL script from the window: Convert's save dialog choosing .sql, and File -> 匯出 SQL...
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>

#include "drawstudent.h"
#include "relvaneapp.h"
#include "runningapp.h"

namespace {

class SqlExportTest : public RunningAppTest {
protected:
    void SetUp() override {
        RunningAppTest::SetUp();
        app->settings().setStoreConnection(dir.filePath("projects.db"));
    }

    void drawStudent() { ::drawStudent(app->window()); }

    QString read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(SqlExportTest, ConvertWritesTheScriptWhenTheChosenFileIsSql) {
    drawStudent();
    const QString target = dir.filePath("out.sql");
    dialogs.workbookPath = target;
    app->convert();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    EXPECT_TRUE(
        read(target).contains("CREATE TABLE \"Student\" (\n    \"StudentNo\" VARCHAR(255) "
                              "NOT NULL,\n    PRIMARY KEY (\"StudentNo\")\n);"))
        << read(target).toStdString();
    EXPECT_TRUE(dialogs.openedWorkbooks.isEmpty()) << "a script is no workbook";
    EXPECT_EQ(app->window().findChild<QStatusBar*>("StatusBar2")->currentMessage(),
              "已寫入 " + target);
}

TEST_F(SqlExportTest, ExportSqlValidatesFirstAndNamesTheFileItCannotWrite) {
    QAction* item = app->window().findChild<QAction*>("mnuExportSql");
    ASSERT_NE(item, nullptr);
    const QStringList& asked = dialogs.presets;
    QString target = dir.filePath("school.sql");
    dialogs.sqlScriptPath = target;
    item->trigger();
    EXPECT_EQ(prompts.messages, QStringList{"目前沒有任何資料"});
    EXPECT_TRUE(asked.isEmpty()) << "an invalid diagram asks for no file";

    drawStudent();
    prompts.messages.clear();
    item->trigger();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].endsWith(".sql"));
    EXPECT_TRUE(read(target).contains("PRIMARY KEY (\"StudentNo\")"));
    EXPECT_TRUE(prompts.messages.isEmpty());

    target = dir.filePath("missing-folder/school.sql");
    dialogs.sqlScriptPath = target;
    item->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("無法寫入 SQL 指令碼 " + target))
        << prompts.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

// The save dialog's file type chooses the database system; the choice is offered again next time,
// also to Convert's .sql, and a setting naming no system gives PostgreSQL.
TEST_F(SqlExportTest, ExportSqlWritesForTheSystemChosenAndOffersItAgain) {
    drawStudent();
    QAction* item = app->window().findChild<QAction*>("mnuExportSql");
    const QString target = dir.filePath("school.sql");
    dialogs.sqlScriptPath = target;
    dialogs.sqlDialect = "mysql";
    item->trigger();
    EXPECT_TRUE(read(target).contains("CREATE TABLE `Student`")) << read(target).toStdString();
    dialogs.sqlDialect.clear();
    dialogs.sqlScriptPath = dir.filePath("again.sql");
    item->trigger();
    EXPECT_TRUE(read(dir.filePath("again.sql")).contains("CREATE TABLE `Student`"));
    EXPECT_EQ(dialogs.dialectPresets, QStringList({"postgresql", "mysql"}));

    dialogs.workbookPath = dir.filePath("converted.sql");
    app->convert();
    EXPECT_TRUE(read(dir.filePath("converted.sql")).contains("CREATE TABLE `Student`"));

    app->settings().writeSqlDialect("oracle");
    item->trigger();
    EXPECT_TRUE(read(dir.filePath("again.sql")).contains("CREATE TABLE \"Student\""));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

}  // namespace
