#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "conversionjob.h"
#include "diagrambuilder.h"
#include "generateddiagram.h"
#include "storetesting.h"

// The largest project the model holds, or nearly: 32,000 elements and 32,000 connectors, saved
// to a real SQLite file, loaded, converted, saved again and loaded again. Every round gives back
// every stored datum.

namespace {

// Saves the editor's diagram as `name` and loads it into `into`, which must then hold the same
// project.
void saveAndLoad(const ProjectStore& store, const Diagram& from, DiagramBuilder& into,
                 const QString& name) {
    const auto saved = store.saveAs(from, name);
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    const auto loaded = store.loadInto(into.editor, name);
    ASSERT_EQ(loaded.status, ProjectStore::LoadResult::Status::Loaded)
        << loaded.error.text().toStdString();
    EXPECT_EQ(loaded.skippedRows, 0);
    EXPECT_EQ(into.d.elementCount(), from.elementCount());
    EXPECT_EQ(into.d.connectorCount(), from.connectorCount());
    EXPECT_EQ(storedData(into.d), storedData(from));
}

TEST(LargeProject, ThirtyTwoThousandElementsSurviveSaveLoadConvertAndSaveAgain) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ProjectStore store(QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("large.db")));
    const QString name = QStringLiteral("large");

    DiagramBuilder original;
    generateOneToManyProject(original.d, 8000);
    ASSERT_EQ(original.d.elementCount() - 1, 32000);
    ASSERT_EQ(original.d.connectorCount() - 1, 32000);
    // Laid out as a load lays it out, so that the stored geometry compares equal.
    original.editor.layoutAllConnectors();

    DiagramBuilder loaded;
    ASSERT_NO_FATAL_FAILURE(saveAndLoad(store, original.d, loaded, name));

    const ConvertResult converted =
        ConversionJob(loaded.editor).run(dir.filePath(QStringLiteral("large.xlsx")));
    EXPECT_TRUE(converted.ok()) << converted.error.toStdString();
    EXPECT_TRUE(loaded.prompts.messages.isEmpty())
        << loaded.prompts.messages.join(QLatin1Char('\n')).toStdString();
    // Conversion changed nothing that is stored.
    EXPECT_EQ(storedData(loaded.d), storedData(original.d));

    DiagramBuilder again;
    ASSERT_NO_FATAL_FAILURE(saveAndLoad(store, loaded.d, again, name));
    EXPECT_EQ(storedData(again.d), storedData(original.d));
}

}  // namespace
