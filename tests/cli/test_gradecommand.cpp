// `relvane grade` run as a real process on a class saved in an SQLite store, on the PostgreSQL
// test server and in project files; reports read back as text, CSV and (with openpyxl) .xlsx.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include "comparison.h"
#include "cutcells.h"
#include "diagrambuilder.h"
#include "projectfile.h"
#include "projectstore.h"
#include "relvanerun.h"

namespace {

using GradeRun = RelvaneRun;

const QString kOddName = QStringLiteral("O'Brien \"甲\", 第 2 版");

// The reference: Student(StudentNo, Name) takes Course(CourseNo). `withName` false leaves Name
// out, as a student might.
void drawClassDiagram(DiagramBuilder& b, bool withName = true) {
    const int student = b.entity("Student"), course = b.entity("Course");
    b.attribute(student, "StudentNo", true);
    if (withName) b.attribute(student, "Name");
    b.attribute(course, "CourseNo", true);
    const int takes = b.relationship("Takes");
    const auto [k1, k2] = b.binary(student, takes, course);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "0,N");
}

// The class: the reference "teacher", "amy" (the same), "bob" (without Name) and one whose
// entity has no key, so it does not convert.
void saveClass(const ProjectStore& store) {
    DiagramBuilder teacher, amy, bob, broken;
    drawClassDiagram(teacher);
    drawClassDiagram(amy);
    drawClassDiagram(bob, false);
    broken.entity("NoKey");
    ASSERT_TRUE(store.saveAs(teacher.d, "teacher").ok);
    ASSERT_TRUE(store.saveAs(bob.d, "bob").ok);
    ASSERT_TRUE(store.saveAs(broken.d, kOddName).ok);
    ASSERT_TRUE(store.saveAs(amy.d, "amy").ok);
}

// Every sheet's rows as openpyxl reads them: {sheet: [[cell, ...], ...]}.
QJsonObject readWorkbook(const QString& path) {
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import json, sys, openpyxl\n"
                  "wb = openpyxl.load_workbook(sys.argv[1])\n"
                  "print(json.dumps({ws.title: [list(r) for r in ws.iter_rows(values_only=True)]"
                  " for ws in wb}))",
                  path});
    python.waitForFinished(60000);
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class GradeCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString database() const { return dir.filePath("class.db"); }

    GradeRun relvane(const QStringList& arguments) const {
        return runRelvane(QStringList{"grade"} + arguments, dir.path());
    }

    // The report's rows for the class, as the .xlsx holds them: checks both sheets.
    void expectClassWorkbook(const QString& path) {
        const QJsonObject cut = cutCells(path);
        ASSERT_EQ(cut.keys(), (QStringList{"差異", "成績"}));
        for (const QString& sheet : cut.keys())
            EXPECT_TRUE(cut[sheet].toArray().isEmpty()) << "no text cut on " << sheet.toStdString();
        const QJsonObject book = readWorkbook(path);
        ASSERT_EQ(book.keys(), (QStringList{"差異", "成績"}));
        const QJsonArray scores = book["成績"].toArray();
        ASSERT_EQ(scores.size(), 9);
        EXPECT_EQ(scores[1].toArray()[0], "評分方式");
        EXPECT_FALSE(scores[1].toArray()[1].toString().isEmpty());
        EXPECT_TRUE(scores[2].toArray()[1].toString().startsWith("預設: 缺少關聯 10, "));
        const QJsonArray header = scores[4].toArray(), costs = scores[5].toArray();
        const int missingColumn = 2 + int(DifferenceCategory::MissingColumn);
        EXPECT_EQ(header[0], "專案");
        EXPECT_EQ(header[missingColumn], "缺少欄位");
        EXPECT_EQ(costs[0], "每項扣分");
        EXPECT_EQ(costs[missingColumn].toDouble(), 3);
        // Sorted by name; the reference is not among them. Each score is 100 minus count x cost.
        const QJsonArray amy = scores[6].toArray(), bob = scores[7].toArray(),
                         odd = scores[8].toArray();
        EXPECT_EQ(amy[0], "amy");
        EXPECT_EQ(amy[1].toDouble(), 100);
        EXPECT_EQ(bob[0], "bob");
        EXPECT_EQ(bob[1].toDouble(), 97);
        EXPECT_EQ(bob[missingColumn].toDouble(), 1);
        EXPECT_EQ(bob[header.size() - 1], "-3 缺少欄位: Student 缺少欄位 Name");
        EXPECT_EQ(odd[0], kOddName);
        double costed = 0;
        for (int c = 2; c < header.size() - 1; ++c)
            costed += odd[c].toDouble() * costs[c].toDouble();
        EXPECT_EQ(odd[1].toDouble(), std::max(0.0, 100 - costed));
        EXPECT_TRUE(
            odd[header.size() - 1].toString().startsWith("未通過檢查: 實體 NoKey 沒有設定主鍵"));

        const QJsonArray differences = book["差異"].toArray();
        ASSERT_GE(differences.size(), 3);
        const QJsonArray missing = differences[1].toArray();
        EXPECT_EQ(differences[0].toArray()[5], "扣分");
        EXPECT_EQ(missing[0], "bob");
        EXPECT_EQ(missing[1], "缺少欄位");
        EXPECT_EQ(missing[2], "Student");
        EXPECT_EQ(missing[3], "Name");
        EXPECT_EQ(missing[4], "實體 Student");
        EXPECT_EQ(missing[5].toDouble(), 3);
        EXPECT_EQ(missing[7], "Student 缺少欄位 Name");
    }
};

TEST_F(GradeCommandTest, GradesTheWholeClassAsTextCsvAndWorkbook) {
    saveClass(ProjectStore(database()));
    const GradeRun text = relvane({"--db", database(), "--reference", "teacher", "--all"});
    EXPECT_EQ(text.status, 0) << text.err.toStdString();
    const QStringList lines = text.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << text.out.toStdString();
    EXPECT_EQ(lines[0], "參考答案：teacher");
    EXPECT_TRUE(lines[1].startsWith("評分方式："));
    EXPECT_TRUE(lines[2].startsWith("評分標準：預設: 缺少關聯 10, "));
    EXPECT_TRUE(lines[3].startsWith("專案\t分數\t缺少關聯\t"));
    EXPECT_EQ(lines[4], "amy\t100\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
    EXPECT_EQ(lines[5],
              "bob\t97\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t-3 缺少欄位: Student 缺少欄位 Name");
    EXPECT_TRUE(lines[6].startsWith(kOddName + "\t")) << lines[6].toStdString();
    EXPECT_TRUE(lines[6].contains("\t未通過檢查: 實體 NoKey 沒有設定主鍵"))
        << lines[6].toStdString();

    const QString csv = dir.filePath("report.CSV");
    ASSERT_EQ(relvane({"--db", database(), "--reference", "teacher", "--all", "--output", csv})
                  .status,
              0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"參考答案\",\"teacher\"\r\n"));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains("\r\n\"O'Brien \"\"甲\"\", 第 2 版\",\""));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains("\"'-3 缺少欄位: Student 缺少欄位 Name\"\r\n"));

    const QString xlsx = dir.filePath("report.xlsx");
    const GradeRun written =
        relvane({"--db", database(), "--reference", "teacher", "--all", "--output", xlsx});
    EXPECT_EQ(written.status, 0) << written.err.toStdString();
    EXPECT_TRUE(written.out.isEmpty());
    expectClassWorkbook(xlsx);
}

// The same class on the PostgreSQL test server, in a database of the test's own.
TEST_F(GradeCommandTest, GradesTheWholeClassOnPostgreSQL) {
    const QString server = qEnvironmentVariable("RELVANE_TEST_PG");
    if (server.isEmpty()) GTEST_SKIP() << "RELVANE_TEST_PG is not set";
    const QString name = QStringLiteral("relvane_grade_%1").arg(QCoreApplication::applicationPid());
    const auto admin = [&](const QString& sql) {
        const QString connection = QStringLiteral("grade-test-admin");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", connection);
            const QUrl url(server);
            db.setHostName(url.host());
            db.setPort(url.port(5432));
            db.setUserName(url.userName());
            db.setDatabaseName(url.path().mid(1));
            ASSERT_TRUE(db.open());
            ASSERT_TRUE(QSqlQuery(db).exec(sql)) << sql.toStdString();
        }
        QSqlDatabase::removeDatabase(connection);
    };
    admin("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
    admin("CREATE DATABASE " + name);
    QUrl url(server);
    url.setPath("/" + name);
    saveClass(ProjectStore(url.toString()));
    const QString xlsx = dir.filePath("report.xlsx");
    const GradeRun run =
        relvane({"--db", url.toString(), "--reference", "teacher", "--all", "--output", xlsx});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    expectClassWorkbook(xlsx);
    admin("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
}

TEST_F(GradeCommandTest, ProjectFilesServeAsReferenceAndStudent) {
    DiagramBuilder teacher, bob;
    drawClassDiagram(teacher);
    drawClassDiagram(bob, false);
    const QString reference = dir.filePath("teacher.relvane"), student = dir.filePath("bob.relvane");
    ASSERT_FALSE(exportProjectFile(teacher.d, reference, "teacher"));
    ASSERT_FALSE(exportProjectFile(bob.d, student, "bob"));

    const GradeRun files = relvane({"--reference", "file:" + reference, "--project", "file:" + student});
    EXPECT_EQ(files.status, 0) << files.err.toStdString();
    EXPECT_TRUE(files.out.startsWith("參考答案：teacher\n"));
    EXPECT_TRUE(files.out.contains("\nbob\t")) << files.out.toStdString();

    // A filed reference grades every project of the store, the one named like it too.
    saveClass(ProjectStore(database()));
    const GradeRun all = relvane({"--db", database(), "--reference", "file:" + reference, "--all"});
    EXPECT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_TRUE(all.out.contains("\nteacher\t100\t")) << all.out.toStdString();
    EXPECT_EQ(all.out.count('\n'), 8);
}

TEST_F(GradeCommandTest, RefusalsAndUsageErrorsGiveTheirStatuses) {
    saveClass(ProjectStore(database()));
    writeFile(dir.filePath("bad.txt"), "# costs\nmissing-column = 3\nextra-column = lots\n");
    const QString db = database();
    const struct {
        const char* what;
        QStringList arguments;
        int status;
    } cases[] = {
        {"no such reference", {"--db", db, "--reference", "nobody", "--all"}, 1},
        {"no such student", {"--db", db, "--reference", "teacher", "--project", "nobody"}, 1},
        {"reference fails validation", {"--db", db, "--reference", kOddName, "--all"}, 1},
        {"not a project file",
         {"--reference", "file:" + dir.filePath("none.relvane"), "--project", "file:" + db},
         1},
        {"--project and --all",
         {"--db", db, "--reference", "teacher", "--project", "amy", "--all"},
         2},
        {"neither --project nor --all", {"--db", db, "--reference", "teacher"}, 2},
        {"no reference", {"--db", db, "--all"}, 2},
        {"no database", {"--reference", "teacher", "--all"}, 2},
        {"option given twice", {"--db", db, "--db", db, "--reference", "teacher", "--all"}, 2},
        {"unknown report kind",
         {"--db", db, "--reference", "teacher", "--all", "--output", dir.filePath("r.txt")},
         2},
        {"unreachable database",
         {"--db", "postgresql://relvane@127.0.0.1:1/none", "--reference", "teacher", "--all"},
         2},
        {"unreadable rubric",
         {"--db", db, "--reference", "teacher", "--all", "--rubric", dir.filePath("none.txt")},
         2},
        {"malformed rubric",
         {"--db", db, "--reference", "teacher", "--all", "--rubric", dir.filePath("bad.txt")},
         2},
        {"unwritable report",
         {"--db", db, "--reference", "teacher", "--all", "--output", dir.filePath("no/r.xlsx")},
         2},
    };
    for (const auto& c : cases) {
        const GradeRun run = relvane(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.what;
        EXPECT_FALSE(run.err.isEmpty()) << c.what;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("r.txt")));
    const GradeRun bad = relvane(
        {"--db", db, "--reference", "teacher", "--all", "--rubric", dir.filePath("bad.txt")});
    EXPECT_TRUE(bad.err.contains("第 3 行")) << bad.err.toStdString();
}

// The same class graded twice gives the same report; a rubric changes the costs and the scores,
// never the differences found.
TEST_F(GradeCommandTest, DetailsAreRepeatableAndARubricChangesOnlyCosts) {
    saveClass(ProjectStore(database()));
    const QStringList grade = {"--db", database(), "--reference", "teacher", "--all", "--details"};
    const GradeRun first = relvane(grade), second = relvane(grade);
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, second.out);
    EXPECT_TRUE(first.out.contains("\nbob\t97\t") &&
                first.out.contains("\n\t-3 缺少欄位: Student 缺少欄位 Name\n"))
        << first.out.toStdString();

    writeFile(dir.filePath("strict.txt"), "missing-column = 30\n缺少關聯 = 0\n");
    const GradeRun strict = relvane(grade + QStringList{"--rubric", dir.filePath("strict.txt")});
    EXPECT_EQ(strict.status, 0) << strict.err.toStdString();
    EXPECT_TRUE(strict.out.contains("評分標準：strict.txt: 缺少關聯 0, "));
    EXPECT_TRUE(strict.out.contains("\nbob\t70\t")) << strict.out.toStdString();
    // Past the header, only the costs and scores differ.
    static const QRegularExpression numbers("-?\\d+");
    const auto differencesOf = [](const QString& out) {
        return out.section('\n', 3).replace(numbers, "#");
    };
    EXPECT_EQ(differencesOf(strict.out), differencesOf(first.out));
}

}  // namespace
