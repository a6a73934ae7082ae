#include <gtest/gtest.h>

#include <QSqlQuery>

#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

// A save whose connection breaks between two statements: the save reports the failure and the
// project's previous version is still there, whole.
class SaveFault : public StoreTest {
protected:
    // Breaks the save's connection just before its first statement named `operation`.
    // PostgreSQL: a second connection terminates the save's server process. SQLite: the
    // connection turns read-only, so the next write fails; before the commit, which read-only
    // mode lets through, the connection is closed instead.
    StatementHook cutBefore(const QString& operation, bool* cut) {
        const bool postgres = GetParam() == Engine::PostgreSQL;
        const QString admin = url();
        return [=](QSqlDatabase& db, const QString& op) {
            if (*cut || op != operation) return;
            *cut = true;
            if (postgres) {
                QSqlQuery pid(db);
                ASSERT_TRUE(pid.exec("SELECT pg_backend_pid()") && pid.next());
                RawConnection other(admin);
                QSqlQuery kill(other.db());
                ASSERT_TRUE(kill.exec(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)")
                                          .arg(pid.value(0).toInt())));
            } else if (op == "Commit") {
                db.close();
            } else {
                ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA query_only = 1"));
            }
        };
    }
};

TEST_P(SaveFault, TheEarlierVersionOfTheProjectLoadsBackUnchanged) {
    DiagramBuilder original;
    drawSample(original);
    ASSERT_TRUE(store().saveAs(original.d, "school").ok);
    ASSERT_TRUE(store().saveAs(original.d, "other").ok);
    const QStringList tables = {"Project", "EntityType", "Attribute", "Invoke", "ET_Identify_WET"};
    std::vector<int> counts;
    for (const QString& table : tables) counts.push_back(count(table));

    DiagramBuilder changed;
    const Sample s = drawSample(changed);
    changed.d.element(s.student).Caption = "Pupil";
    changed.d.element(s.grade).Visible = false;
    changed.d.connector(s.takesTeacher).Line1.Visible = false;

    for (const char* operation :
         {"Lock table Project", "Select * from Project where ProjectName", "Delete from Project",
          "Insert into Project", "Insert into EntityType", "Insert into Attribute",
          "Insert into Invoke", "Insert into ET_Identify_WET", "Commit"}) {
        SCOPED_TRACE(operation);
        if (GetParam() == Engine::SQLite && QString(operation) == "Lock table Project") continue;
        for (const QString name : {"school", "a new one"}) {
            // Only a save under an existing name deletes the old version.
            if (name != "school" && QString(operation) == "Delete from Project") continue;
            ProjectStore faulty = store();
            bool cut = false;
            faulty.setStatementHook(cutBefore(operation, &cut));
            const auto result = faulty.saveAs(changed.d, name);
            ASSERT_TRUE(cut);
            EXPECT_FALSE(result.ok);
            EXPECT_FALSE(result.error.description.isEmpty());
            // A read-only SQLite connection still reads; the next write is the one that fails.
            if (GetParam() == Engine::PostgreSQL || !QString(operation).startsWith("Select")) {
                EXPECT_TRUE(result.error.source.startsWith(operation))
                    << result.error.text().toStdString();
            }
        }
        for (size_t i = 0; i < counts.size(); ++i)
            EXPECT_EQ(count(tables[int(i)]), counts[i]) << tables[int(i)].toStdString();
        DiagramBuilder loaded;
        ASSERT_EQ(store().loadInto(loaded.editor, "school").status,
                  ProjectStore::LoadResult::Status::Loaded);
        EXPECT_EQ(storedData(loaded.d), storedData(original.d));
    }

    // The store still works afterwards.
    const auto saved = store().saveAs(changed.d, "school");
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    EXPECT_EQ(saved.projectNumber, 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, SaveFault, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

// A server that does not answer in time: the statement is cancelled after the URL's statement
// timeout, the operation fails with the server's reason, and nothing of it is kept.
class StalledServer : public StoreTest {};

TEST_P(StalledServer, ASaveOrLoadWaitingPastTheTimeoutFailsAndKeepsThePreviousVersion) {
    DiagramBuilder original;
    drawSample(original);
    ASSERT_TRUE(store().saveAs(original.d, "school").ok);
    DiagramBuilder changed;
    const Sample s = drawSample(changed);
    changed.d.element(s.student).Caption = "Pupil";

    RawConnection blocker(url());
    QSqlQuery lock(blocker.db());
    ASSERT_TRUE(lock.exec("BEGIN"));
    ASSERT_TRUE(lock.exec("LOCK TABLE \"EntityType\" IN ACCESS EXCLUSIVE MODE"));
    const ProjectStore impatient(url() + "?statement_timeout=1");
    const auto saved = impatient.saveAs(changed.d, "school");
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.error.description.contains("statement timeout"))
        << saved.error.text().toStdString();
    DiagramBuilder waiting;
    const auto loaded = impatient.loadInto(waiting.editor, "school");
    EXPECT_EQ(loaded.status, ProjectStore::LoadResult::Status::Failed);
    EXPECT_TRUE(loaded.error.text().contains("statement timeout"))
        << loaded.error.text().toStdString();
    ASSERT_TRUE(lock.exec("ROLLBACK"));

    DiagramBuilder back;
    ASSERT_EQ(store().loadInto(back.editor, "school").status,
              ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(storedData(back.d), storedData(original.d));
}

INSTANTIATE_TEST_SUITE_P(Engines, StalledServer, testing::Values(Engine::PostgreSQL), engineName);

}  // namespace
