#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "checkdiagram.h"
#include "diagrambuilder.h"
#include "mapping.h"
#include "storetesting.h"
#include "workbook.h"
#include "xlsx.h"

// Draws the sample, validates it, saves it, loads it into a new editor and converts the loaded
// diagram. The validation messages, every stored row and every part of both workbooks must
// match what this program has always produced (tests/store/golden/endtoend.txt); a change in
// any of them is a change users and stored projects would see. RELVANE_UPDATE_GOLDEN=1 writes
// the file anew after a deliberate change.

namespace {

const char* const kGolden = RELVANE_SOURCE_DIR "/tests/store/golden/endtoend.txt";

// Every part of an .xlsx package, name and text, in name order. Python's zipfile reads it, so
// the check does not go through the code that wrote it.
QString packageText(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, zipfile\n"
                                 "z = zipfile.ZipFile(sys.argv[1])\n"
                                 "for n in sorted(z.namelist()):\n"
                                 "    print('[' + n + ']')\n"
                                 "    print(z.read(n).decode('utf-8'))\n"),
                  path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput());
}

class EndToEnd : public StoreTest {};

TEST_P(EndToEnd, DrawSaveLoadConvertGivesTheSameRowsAndWorkbooks) {
    DiagramBuilder original;
    const Sample s = drawSample(original);
    // One participation left unset, so validation fills in its default and says so.
    original.setParticipation(s.takesCourse, QString());
    typeParticipation(original, s.mentor, QStringLiteral("0,1"));
    typeParticipation(original, s.supportsDependent, QStringLiteral("1,N"));
    typeParticipation(original, s.caresDependent, QStringLiteral("1,N"));
    original.attribute(s.course, QStringLiteral("CID"), true);
    original.attribute(s.teacher, QStringLiteral("TID"), true);
    original.attribute(s.dependent, QStringLiteral("Name"), true);

    QStringList out;
    out << QStringLiteral("== validation");
    ASSERT_TRUE(CheckDiagram(original.editor))
        << original.prompts.messages.join('\n').toStdString();
    out << original.prompts.messages;

    const auto saved = store().saveAs(original.d, QStringLiteral("school 'e2e' 學校"));
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    for (const char* table : {"Project", "EntityType", "Attribute", "Invoke", "ET_Identify_WET"}) {
        out << QStringLiteral("== rows %1").arg(QLatin1String(table));
        QStringList rows = rowsText(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
        rows.sort();
        out << rows;
    }

    DiagramBuilder loaded;
    const auto result = store().loadInto(loaded.editor, QStringLiteral("school 'e2e' 學校"));
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded);

    QTemporaryDir dir;
    for (int fkpk : {1, 0}) {
        const QString path = dir.filePath(QStringLiteral("school%1.xlsx").arg(fkpk));
        // Straight arrows start at a random offset in their cell; a fixed one keeps runs alike.
        const Workbook book = layOutWorkbook(mapDiagram(loaded.d), fkpk, [] { return 0.5; });
        ASSERT_TRUE(Xlsx::save(book, path, nullptr));
        out << QStringLiteral("== workbook fkpk=%1").arg(fkpk) << packageText(path);
    }

    const QString text = out.join(QLatin1Char('\n')) + QLatin1Char('\n');
    QFile golden(QString::fromUtf8(kGolden));
    if (qEnvironmentVariableIntValue("RELVANE_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
        golden.write(text.toUtf8());
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << kGolden;
    const QStringList want = QString::fromUtf8(golden.readAll()).split(QLatin1Char('\n'));
    const QStringList got = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(got[i], want[i]) << "first difference at line " << i + 1;
    EXPECT_EQ(got.size(), want.size());
}

// The stored rows are compared as text, which both engines give alike only for SQLite's types.
INSTANTIATE_TEST_SUITE_P(SQLite, EndToEnd, testing::Values(Engine::SQLite), engineName);

}  // namespace
