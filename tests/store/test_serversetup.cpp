#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QUrl>

#include "diagrambuilder.h"
#include "storetesting.h"

// The scripts an administrator runs on a shared PostgreSQL server: a database prepared with them
// serves a user who may not create tables, through save, list and load, with the tables Relvane
// keeps beside the five.

namespace {

TEST(ServerSetup, AUserOfThePreparedDatabaseSavesListsAndLoadsWithoutCreatingTables) {
    if (testServerUrl().isEmpty()) GTEST_SKIP() << kNoServerReason;
    const qint64 pid = QCoreApplication::applicationPid();
    const QString database = QStringLiteral("relvane_setup_%1").arg(pid);
    const QString user = QStringLiteral("relvane_student_%1").arg(pid);
    {
        RawConnection admin(testServerUrl());
        ASSERT_TRUE(admin.isOpen());
        QSqlQuery(admin.db()).exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database));
        ASSERT_TRUE(QSqlQuery(admin.db()).exec(QStringLiteral("CREATE DATABASE %1").arg(database)));
    }
    QUrl url(testServerUrl());
    url.setPath(QLatin1Char('/') + database);

    QProcess psql;
    psql.start(QStringLiteral("psql"),
               {url.toString(), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), "-q", "-f",
                QStringLiteral(RELVANE_SOURCE_DIR "/sql/postgresql.sql"), "-f",
                QStringLiteral(RELVANE_SOURCE_DIR "/sql/postgresql-users.sql"), "-c",
                QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE relvane_users").arg(user)});
    ASSERT_TRUE(psql.waitForFinished(60000));
    ASSERT_EQ(psql.exitCode(), 0) << psql.readAllStandardError().toStdString();

    QUrl student = url;
    student.setUserName(user);
    DiagramBuilder b;
    const int e = b.entity(QStringLiteral("Student"));
    b.attribute(e, QStringLiteral("StudentNo"), true);
    // The tables of the enhanced-ER circles are prepared by the script too.
    const int circle = b.specialization(e, {b.entity(QStringLiteral("Graduate"))});
    const ProjectStore store(student.toString());
    const auto saved = store.saveAs(b.d, QStringLiteral("homework"));
    EXPECT_TRUE(saved.ok) << saved.error.text().toStdString();
    DiagramBuilder loaded;
    EXPECT_EQ(store.loadInto(loaded.editor, QStringLiteral("homework")).status,
              ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(loaded.d.element(e).Caption, QStringLiteral("Student"));
    EXPECT_TRUE(loaded.d.isLiveElement(circle) && loaded.d.element(circle).is(KindSpecialization));

    RawConnection admin(testServerUrl());
    QSqlQuery(admin.db()).exec(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(database));
    QSqlQuery(admin.db()).exec(QStringLiteral("DROP ROLE %1").arg(user));
}

}  // namespace
