#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QThread>

#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

// Held by the test while the savers start, so that all of them begin saving at one moment.
constexpr int kStartingGate = 4711;
constexpr int kSavers = 8;

// Saver n draws n + 1 entities, each with one attribute.
void drawSaversDiagram(DiagramBuilder& b, int n) {
    for (int i = 0; i <= n; ++i) {
        const int e = b.entity(QStringLiteral("saver %1 entity %2").arg(n).arg(i));
        b.attribute(e, QStringLiteral("key %1").arg(i), true);
    }
}

class ConcurrentSaves : public StoreTest {};

TEST_P(ConcurrentSaves, EightProcessesSavingNewProjectsAtOnceGetDistinctNumbers) {
    ASSERT_FALSE(store().check().isSet());
    RawConnection gate(url());
    ASSERT_TRUE(QSqlQuery(gate.db()).exec(
        QStringLiteral("SELECT pg_advisory_lock(%1)").arg(kStartingGate)));

    std::vector<std::unique_ptr<QProcess>> savers;
    for (int n = 0; n < kSavers; ++n) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("RELVANE_SAVER_URL", url());
        env.insert("RELVANE_SAVER_NUMBER", QString::number(n));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(QCoreApplication::applicationFilePath(),
                       {"--gtest_also_run_disabled_tests",
                        "--gtest_filter=DISABLED_SaverProcess.SavesOneNewProject"});
        ASSERT_TRUE(process->waitForStarted());
        savers.push_back(std::move(process));
    }
    // Open the gate once every saver waits at it.
    const QString waiting = QStringLiteral(
                                "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND NOT "
                                "granted AND objid = %1")
                                .arg(kStartingGate);
    QDeadlineTimer deadline(120000);
    int atTheGate = 0;
    while (!deadline.hasExpired()) {
        QSqlQuery q(gate.db());
        ASSERT_TRUE(q.exec(waiting) && q.next());
        atTheGate = q.value(0).toInt();
        if (atTheGate == kSavers) break;
        QThread::msleep(20);
    }
    ASSERT_EQ(atTheGate, kSavers);
    ASSERT_TRUE(QSqlQuery(gate.db()).exec(
        QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(kStartingGate)));

    for (int n = 0; n < kSavers; ++n) {
        QProcess& p = *savers[size_t(n)];
        ASSERT_TRUE(p.waitForFinished(180000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
    }

    const auto projects = query("SELECT \"i\", \"ProjectName\" FROM \"Project\"");
    ASSERT_EQ(projects.size(), size_t(kSavers));
    QSet<int> numbers;
    for (const QVariantList& row : projects) numbers.insert(row[0].toInt());
    EXPECT_EQ(numbers.size(), kSavers);
    for (int n = 0; n < kSavers; ++n) {
        DiagramBuilder expected, loaded;
        drawSaversDiagram(expected, n);
        const auto result = store().loadInto(loaded.editor, QStringLiteral("saver %1").arg(n));
        ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded) << n;
        EXPECT_EQ(storedData(loaded.d), storedData(expected.d)) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ConcurrentSaves, testing::Values(Engine::PostgreSQL), engineName);

// One saver process of the test above: waits at the gate, then saves "saver N".
TEST(DISABLED_SaverProcess, SavesOneNewProject) {
    const QString url = qEnvironmentVariable("RELVANE_SAVER_URL");
    const int n = qEnvironmentVariableIntValue("RELVANE_SAVER_NUMBER");
    ASSERT_FALSE(url.isEmpty());
    DiagramBuilder b;
    drawSaversDiagram(b, n);
    {
        RawConnection gate(url);
        QSqlQuery q(gate.db());
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT pg_advisory_lock_shared(%1)").arg(kStartingGate)));
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT pg_advisory_unlock_shared(%1)").arg(kStartingGate)));
    }
    const auto result = ProjectStore(url).saveAs(b.d, QStringLiteral("saver %1").arg(n));
    ASSERT_TRUE(result.ok) << result.error.text().toStdString();
}

}  // namespace
