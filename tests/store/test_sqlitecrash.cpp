#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <thread>

#include "diagrambuilder.h"
#include "storetesting.h"

// SQLite faults beyond a refused statement: a saving process killed outright, and a full disk.
// In both, the database stays whole and the project's previous version loads unchanged.

namespace {

const char* const kChildDatabase = "RELVANE_KILL_CHILD_DB";
const char* const kChildStopAt = "RELVANE_KILL_CHILD_AT";

QString sqliteUrl(const QString& path) {
    return QStringLiteral("sqlite:") + path;
}

// The save that the parent kills: the sample with changes, saved over "school".
void drawChanged(DiagramBuilder& b) {
    const Sample s = drawSample(b);
    b.d.element(s.student).Caption = "Pupil";
    b.d.element(s.grade).Visible = false;
}

QString integrity(const QString& path) {
    RawConnection raw(sqliteUrl(path));
    QSqlQuery q(raw.db());
    if (!q.exec("PRAGMA integrity_check") || !q.next()) return "unreadable";
    return q.value(0).toString();
}

// Runs in the child process only: saves, and at the named statement says so and waits to be
// killed, in the middle of its transaction.
TEST(SqliteKillChild, SavesUntilKilled) {
    const QString path = qEnvironmentVariable(kChildDatabase);
    const QString stopAt = qEnvironmentVariable(kChildStopAt);
    if (path.isEmpty()) GTEST_SKIP() << "run by SqliteKill in a child process";
    DiagramBuilder changed;
    drawChanged(changed);
    ProjectStore store(sqliteUrl(path));
    store.setStatementHook([&](QSqlDatabase&, const QString& operation) {
        if (operation != stopAt) return;
        std::fputs("stopped\n", stdout);
        std::fflush(stdout);
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    });
    store.saveAs(changed.d, "school");
    ADD_FAILURE() << "the save never reached " << stopAt.toStdString();
}

TEST(SqliteKill, ASaveKilledMidTransactionLeavesThePreviousVersionWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("projects.db");
    DiagramBuilder original, other;
    drawSample(original);
    other.attribute(other.entity("Other"), "id", true);
    ASSERT_TRUE(ProjectStore(sqliteUrl(path)).saveAs(original.d, "school").ok);
    ASSERT_TRUE(ProjectStore(sqliteUrl(path)).saveAs(other.d, "other").ok);

    for (const char* stopAt : {"Delete from Project", "Insert into EntityType",
                               "Insert into Invoke", "Insert into ET_Identify_WET", "Commit"}) {
        SCOPED_TRACE(stopAt);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildDatabase, path);
        env.insert(kChildStopAt, stopAt);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=SqliteKillChild.SavesUntilKilled"});
        QByteArray out;
        while (!out.contains("stopped") && child.waitForReadyRead(60000))
            out += child.readAllStandardOutput();
        ASSERT_TRUE(out.contains("stopped")) << out.toStdString();
        child.kill();  // SIGKILL: no destructor, no rollback of its own
        ASSERT_TRUE(child.waitForFinished(60000));

        EXPECT_EQ(integrity(path), "ok");
        const std::pair<const char*, const DiagramBuilder*> projects[] = {{"school", &original},
                                                                          {"other", &other}};
        for (const auto& [name, drawn] : projects) {
            DiagramBuilder loaded;
            ASSERT_EQ(ProjectStore(sqliteUrl(path)).loadInto(loaded.editor, name).status,
                      ProjectStore::LoadResult::Status::Loaded);
            EXPECT_EQ(storedData(loaded.d), storedData(drawn->d)) << name;
        }
    }
}

TEST(SqliteFullDisk, ASaveThatFindsTheDiskFullFailsWithAMessageAndLosesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("projects.db");
    DiagramBuilder original;
    drawSample(original);
    ASSERT_TRUE(ProjectStore(sqliteUrl(path)).saveAs(original.d, "school").ok);

    // Captions long enough to need pages the file may not grow by.
    DiagramBuilder bigger;
    const Sample s = drawSample(bigger);
    bigger.d.element(s.student).Caption = QString(20000, QLatin1Char('S'));
    bigger.d.element(s.course).Caption = QString(20000, QLatin1Char('C'));
    ProjectStore full(sqliteUrl(path));
    // The disk is full from the first statement on: the file cannot grow by a single page.
    full.setStatementHook([](QSqlDatabase& db, const QString&) {
        QSqlQuery pages(db);
        ASSERT_TRUE(pages.exec("PRAGMA page_count") && pages.next());
        const int count = pages.value(0).toInt();
        pages.finish();
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("PRAGMA max_page_count = %1").arg(count)));
    });
    for (const QString name : {"school", "new"}) {
        const auto result = full.saveAs(bigger.d, name);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.description.contains("full")) << result.error.text().toStdString();
    }

    EXPECT_EQ(integrity(path), "ok");
    DiagramBuilder loaded;
    ASSERT_EQ(ProjectStore(sqliteUrl(path)).loadInto(loaded.editor, "school").status,
              ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(storedData(loaded.d), storedData(original.d));
    EXPECT_EQ(ProjectStore(sqliteUrl(path)).contains("new"), false);
}

}  // namespace
