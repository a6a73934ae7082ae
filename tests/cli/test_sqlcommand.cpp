// `relvane sql` run as a real process on a project in an SQLite store.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "projectstore.h"
#include "relvanerun.h"

namespace {

using SqlRun = RelvaneRun;

class SqlCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString database() const { return dir.filePath("projects.db"); }

    SqlRun relvane(const QStringList& arguments, const QString& command = "sql") const {
        return runRelvane(QStringList{command} + arguments, dir.path());
    }

    // Employee works for a department; the participations are left for validation to fill in.
    void saveCompany() {
        DiagramBuilder b;
        const int e1 = b.entity("Employee"), e2 = b.entity("部門");
        b.attribute(e1, "EmpNo", true);
        b.attribute(e2, "DeptNo", true);
        const int r = b.relationship("WorksFor");
        const auto [k1, k2] = b.binary(e1, r, e2);
        b.setParticipation(k1, "1,N");
        b.setParticipation(k2, "0,1");
        ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, "company").ok);
    }
};

TEST_F(SqlCommandTest, WritesTheScriptOfEachDialect) {
    saveCompany();
    const SqlRun postgres = relvane({"--db", database(), "--project", "company"});
    EXPECT_EQ(postgres.status, 0) << postgres.err.toStdString();
    EXPECT_TRUE(
        postgres.out.contains("CREATE TABLE \"部門\" (\n    \"DeptNo\" VARCHAR(255) NOT NULL,"))
        << postgres.out.toStdString();
    EXPECT_TRUE(postgres.out.contains(
        "ALTER TABLE \"Employee\" ADD FOREIGN KEY (\"DeptNo\") REFERENCES \"部門\" (\"DeptNo\");"));

    const SqlRun mysql =
        relvane({"--db", database(), "--project", "company", "--dialect", "mysql"});
    EXPECT_EQ(mysql.status, 0);
    EXPECT_TRUE(mysql.out.contains("ALTER TABLE `Employee` ADD FOREIGN KEY (`DeptNo`)"))
        << mysql.out.toStdString();

    const QString output = dir.filePath("company.sql");
    const SqlRun sqlite = relvane(
        {"--db", database(), "--project", "company", "--dialect", "sqlite", "--output", output});
    EXPECT_EQ(sqlite.status, 0) << sqlite.err.toStdString();
    EXPECT_TRUE(sqlite.out.isEmpty());
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("    \"DeptNo\" TEXT NOT NULL,\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("    FOREIGN KEY (\"DeptNo\") REFERENCES \"部門\" (\"DeptNo\")\n);"))
        << text.toStdString();
}

TEST_F(SqlCommandTest, RefusalsAndUsageErrorsGiveTheirStatuses) {
    saveCompany();
    const SqlRun missing = relvane({"--db", database(), "--project", "absent"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("資料庫內沒有這個 Project"));
    EXPECT_TRUE(missing.out.isEmpty());

    DiagramBuilder broken;
    broken.entity("NoKey");
    ASSERT_TRUE(ProjectStore(database()).saveAs(broken.d, "broken").ok);
    const SqlRun invalid = relvane({"--db", database(), "--project", "broken"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_TRUE(invalid.err.contains("實體 NoKey 沒有設定主鍵")) << invalid.err.toStdString();
    EXPECT_TRUE(invalid.out.isEmpty());

    const SqlRun dialect =
        relvane({"--db", database(), "--project", "company", "--dialect", "oracle"});
    EXPECT_EQ(dialect.status, 2);
    EXPECT_TRUE(dialect.out.isEmpty());
    EXPECT_EQ(relvane({"--db", database()}).status, 2);
    EXPECT_TRUE(relvane({}, "--help").out.contains("sql --db URL --project NAME [--dialect"));
    EXPECT_EQ(relvane({"--db", database(), "--project", "company", "--output",
                       dir.filePath("no-such-folder/x.sql")})
                  .status,
              2);
}

// A warning goes to stderr and the script is still written: an employee must work for a
// department and a department must have a manager, which MySQL can only hold nullable.
TEST_F(SqlCommandTest, WarningsGoToStandardErrorWithStatusZero) {
    DiagramBuilder b;
    const int employee = b.entity("EMPLOYEE"), department = b.entity("DEPARTMENT");
    for (int e : {employee, department}) b.attribute(e, "K", true);
    const auto [worker, employer] = b.binary(employee, b.relationship("WORKS_FOR"), department);
    b.setParticipation(worker, "1,N");
    b.setParticipation(employer, "0,1");
    const auto [manager, managed] = b.binary(employee, b.relationship("MANAGES"), department);
    b.setParticipation(manager, "0,1");
    b.setParticipation(managed, "1,1");
    ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, "cycle").ok);
    const SqlRun run = relvane({"--db", database(), "--project", "cycle", "--dialect", "mysql"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains("關聯 EMPLOYEE: K_2 必須有值")) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("CREATE TABLE `EMPLOYEE` ("));
}

}  // namespace

namespace {

// A draft does not pass validation, even one that would: it is marked in the list, neither
// converted, written as SQL nor checked as passing, and graded as failing validation.
TEST_F(SqlCommandTest, ADraftIsListedAsOneAndRefusedByTheCommands) {
    saveCompany();
    DiagramBuilder b;
    b.attribute(b.entity("Whole"), "id", true);
    ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, "draft", nullptr, true).ok);
    const QStringList listed =
        relvane({"--db", database()}, "list").out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_FALSE(listed[0].endsWith("\tdraft")) << "company";
    EXPECT_TRUE(listed[1].endsWith("\tdraft")) << listed[1].toStdString();
    const QString refusal = "Project draft 是草稿, 尚未通過檢查";
    const SqlRun sql = relvane({"--db", database(), "--project", "draft"});
    EXPECT_EQ(sql.status, 1);
    EXPECT_TRUE(sql.err.contains(refusal)) << sql.err.toStdString();
    const SqlRun convert = relvane(
        {"--db", database(), "--project", "draft", "--output", dir.filePath("x.xlsx")}, "convert");
    EXPECT_EQ(convert.status, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.xlsx")));
    const SqlRun check = relvane({"--db", database(), "--project", "draft"}, "check");
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(check.out.contains(refusal)) << check.out.toStdString();
    const SqlRun grade =
        relvane({"--db", database(), "--reference", "company", "--project", "draft"}, "grade");
    EXPECT_EQ(grade.status, 0);
    // Graded as far as it maps, and marked.
    EXPECT_TRUE(grade.out.contains("\t未通過檢查: " + refusal)) << grade.out.toStdString();
}

}  // namespace
