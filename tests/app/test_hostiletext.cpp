// Names and captions made to attack what reads the commands' output: a terminal (escape
// sequences, forged lines) and a spreadsheet (formulas). CommandRun as real processes on a real
// store.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "projectstore.h"

namespace {

struct CommandRun {
    int status;
    QString out;
};

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
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path());
        env.insert("HOME", dir.path());
        process.setProcessEnvironment(env);
        process.start(RELVANE_BINARY, arguments);
        process.waitForFinished(120000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
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
         4,
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

}  // namespace
