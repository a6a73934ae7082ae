// The sample diagrams of File -> 範例, in Chinese and in English: each passes validation with
// no note or warning, converts, and is laid out without overlaps; opening one is a new diagram.
#include <gtest/gtest.h>

#include <tuple>

#include "checkdiagram.h"
#include "conversionjob.h"
#include "diagramwarnings.h"
#include "fakeprompts.h"
#include "language.h"
#include "sampleprojects.h"
#include "workspace.h"

namespace {

// The relations each sample maps to: its entities, weak entities, multivalued attributes and
// many-to-many relationships.
int expectedRelations(SampleProject sample) {
    switch (sample) {
        case SampleProject::Company:
            return 6;  // EMPLOYEE, DEPARTMENT, PROJECT, DEPENDENT, locations, WORKS_ON
        case SampleProject::University:
            return 8;  // 4 entities, SECTION, phones, ENROLLS, PREREQUISITE
        case SampleProject::Library:
            return 6;  // PUBLISHER, BOOK, MEMBER, COPY, authors, RESERVES
    }
    return -1;
}

bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x7f) return false;
    return true;
}

class SampleTest : public ::testing::TestWithParam<std::tuple<SampleProject, QString>> {
protected:
    void SetUp() override { ASSERT_TRUE(applyLanguage(std::get<1>(GetParam()))); }
    void TearDown() override { applyLanguage(kLanguageChinese); }
};

TEST_P(SampleTest, PassesTheChecksConvertsAndIsLaidOutWithoutOverlaps) {
    const auto [sample, language] = GetParam();
    FakePrompts prompts;
    Workspace workspace(prompts);
    Editor& editor = workspace.editor();
    const Diagram& d = workspace.diagram();
    editor.toolbarButton(QStringLiteral("Entity"));  // unsaved work the sample replaces
    openSample(editor, sample);

    EXPECT_FALSE(editor.hasUnsavedChanges());
    EXPECT_TRUE(d.view.project.name.isEmpty()) << "a sample is no project yet";
    EXPECT_TRUE(findProblems(d).empty()) << findProblems(d).front().message.toStdString();
    const std::vector<DiagramWarning> warnings = findWarnings(d);
    EXPECT_TRUE(warnings.empty()) << warnings.front().message.toStdString();

    std::vector<QRectF> boxes;
    bool weak = false, mult = false, key = false, composite = false, roles = false;
    for (int i = 1; i < d.elementCount(); ++i) {
        if (!d.isLiveElement(i)) continue;
        const Element& e = d.element(i);
        // English captions are plain letters; Chinese ones name entities and relationships in
        // Chinese (an attribute such as ISBN is the same in both).
        if (language == kLanguageEnglish || !e.isAttributeKind())
            EXPECT_EQ(isAscii(e.Caption), language == kLanguageEnglish) << e.Caption.toStdString();
        weak |= e.is(KindWeakEntity);
        mult |= e.is(KindMultAttribute);
        key |= e.underlined();
        composite |= e.isAttributeKind() && !e.AttributeList.isEmpty();
        const QRectF box(e.Left, e.Top, e.Width, e.Height);
        for (const QRectF& other : boxes)
            EXPECT_FALSE(box.adjusted(-8, -8, 8, 8).intersects(other))
                << e.Caption.toStdString() << " is too close to another element";
        boxes.push_back(box);
    }
    for (int k = 1; k < d.connectorCount(); ++k)
        roles |= d.isLiveConnector(k) && !d.connector(k).Description.Caption.isEmpty();
    EXPECT_TRUE(weak && key && mult);
    if (sample == SampleProject::Company)
        EXPECT_TRUE(composite && roles) << "the COMPANY sample shows every kind of element";

    ConversionJob job(editor);
    EXPECT_FALSE(job.check().has_value());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    const RelationalModel& model = job.model();
    EXPECT_EQ(int(model.relations.size()), expectedRelations(sample));
    for (const Relation& relation : model.relations) {
        const bool keyed = std::any_of(relation.columns.begin(), relation.columns.end(),
                                       [](const Column& c) { return c.key; });
        EXPECT_TRUE(keyed) << relation.name.toStdString() << " has no key";
    }
    QString script;
    QStringList scriptWarnings;
    EXPECT_TRUE(job.sqlScript(SqlDialect::PostgreSQL, &script, &scriptWarnings).ok());
    EXPECT_TRUE(scriptWarnings.isEmpty()) << scriptWarnings.join('\n').toStdString();

    // The step is named after the sample and takes back to the diagram before it.
    EXPECT_TRUE(workspace.history().stack().undoText().contains(sampleTitle(sample)));
    editor.undo();
    int live = 0;
    for (int i = 1; i < d.elementCount(); ++i) live += d.isLiveElement(i);
    EXPECT_EQ(live, 1);
}

INSTANTIATE_TEST_SUITE_P(EverySampleInBothLanguages, SampleTest,
                         ::testing::Combine(::testing::ValuesIn(kSampleProjects),
                                            ::testing::Values(kLanguageChinese, kLanguageEnglish)),
                         [](const auto& info) {
                             return QStringLiteral("Sample%1_%2")
                                 .arg(int(std::get<0>(info.param)))
                                 .arg(std::get<1>(info.param))
                                 .toStdString();
                         });

}  // namespace
