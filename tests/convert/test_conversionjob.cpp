#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "checkdiagram.h"
#include "conversionjob.h"
#include "diagrambuilder.h"
#include "history.h"
#include "qtprint.h"

namespace {

// Employee and Department with keys, joined by WorksFor with no participation on either side.
struct WorksFor {
    DiagramBuilder b;
    int employee = b.entity("Employee");
    int empNo = b.attribute(employee, "EmpNo", true);
    int department = b.entity("Department");
    int deptNo = b.attribute(department, "DeptNo", true);
    int worksFor = b.relationship("WorksFor");
    std::pair<int, int> k = b.binary(employee, worksFor, department);
};

bool hasRelation(const RelationalModel& model, const QString& name) {
    for (const Relation& r : model.relations)
        if (r.name == name) return true;
    return false;
}

}  // namespace

// Validation only reports: its messages and the defaults it asks for, the diagram untouched.
TEST(ConversionJob, ValidationNamesTheDefaultsWithoutFillingThemIn) {
    WorksFor w;
    const Validation found = validateDiagram(w.b.d);
    EXPECT_TRUE(found.passed);
    EXPECT_EQ(found.messages.size(), 2);
    EXPECT_EQ(found.defaults, (std::vector<int>{w.k.first, w.k.second}));
    EXPECT_EQ(w.b.d.connector(w.k.first).MN.Caption, "");
    EXPECT_TRUE(w.b.prompts.messages.isEmpty());
}

// The job puts the defaults in as one step before it maps, so the workbook sees "0,N" on both
// sides (a many-to-many relation of its own); Undo takes the defaults back, the file stays.
TEST(ConversionJob, DefaultsAreOneStepAndTheMappingSeesThem) {
    WorksFor w;
    History history(w.b.d);
    w.b.editor.setHistory(&history);
    const int steps = history.stack().count();
    QTemporaryDir dir;
    const QString path = dir.filePath("worksfor.xlsx");

    ConversionJob job(w.b.editor);
    ASSERT_FALSE(job.check());
    EXPECT_EQ(history.stack().count(), steps + 1);
    EXPECT_EQ(history.stack().undoText(), "預設參與度 0,N");
    EXPECT_EQ(w.b.prompts.messages, validateDiagram(WorksFor().b.d).messages);
    EXPECT_TRUE(hasRelation(job.model(), "WorksFor"));
    ASSERT_TRUE(job.writeWorkbook(path, 1).ok());
    QString script;
    ASSERT_TRUE(job.sqlScript(SqlDialect::SQLite, &script, nullptr).ok());
    EXPECT_TRUE(script.contains("WorksFor"));

    w.b.editor.undo();
    EXPECT_EQ(w.b.d.connector(w.k.first).MN.Caption, "");
    EXPECT_TRUE(QFileInfo::exists(path));
}

// A refused job writes nothing: in textbook notation, and when validation fails.
TEST(ConversionJob, RefusedJobWritesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("refused.xlsx");
    WorksFor textbook;
    textbook.b.d.settings.PresentStyle = 0;
    const ConvertResult notation = ConversionJob(textbook.b.editor).run(path);
    EXPECT_EQ(notation.status, ConvertResult::Status::Refused);
    EXPECT_EQ(notation.error, textbookModeRefusal());

    DiagramBuilder b;
    b.entity("Keyless");
    const ConvertResult invalid = ConversionJob(b.editor).run(path);
    EXPECT_EQ(invalid.status, ConvertResult::Status::Refused);
    EXPECT_EQ(b.prompts.messages, QStringList{"實體 Keyless 沒有設定主鍵"});
    EXPECT_FALSE(QFileInfo::exists(path));
}
