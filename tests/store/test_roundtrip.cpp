#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

class RoundTrip : public StoreTest {};

// Saves the sample in one notation and loads it into a fresh window in the same notation.
void roundTrip(const ProjectStore& store, bool enhanced, DiagramBuilder& original,
               DiagramBuilder& loaded) {
    original.d.settings.PresentStyle = enhanced ? 1 : 0;
    drawSample(original);
    const auto saved = store.saveAs(original.d, QStringLiteral("school"));
    ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();
    loaded.d.settings.PresentStyle = enhanced ? 1 : 0;
    const auto result = store.loadInto(loaded.editor, QStringLiteral("school"));
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded)
        << result.error.text().toStdString();
    EXPECT_EQ(result.skippedRows, 0);
    EXPECT_EQ(result.projectNumber, saved.projectNumber);
}

TEST_P(RoundTrip, EnhancedModeGivesBackEveryStoredDatum) {
    DiagramBuilder original, loaded;
    roundTrip(store(), true, original, loaded);
    EXPECT_EQ(storedData(loaded.d), storedData(original.d));
    EXPECT_EQ(loaded.d.elementCount(), original.d.elementCount());
}

TEST_P(RoundTrip, TextbookModeGivesBackEveryStoredDatum) {
    DiagramBuilder original, loaded;
    roundTrip(store(), false, original, loaded);
    EXPECT_EQ(storedData(loaded.d), storedData(original.d));
}

TEST_P(RoundTrip, RebuildsTheKeysAndListsThatDrawingMakes) {
    DiagramBuilder original, loaded;
    roundTrip(store(), true, original, loaded);
    Sample s = drawSample(*std::make_unique<DiagramBuilder>());  // the same numbers
    const Diagram& d = loaded.d;
    const Collection& mentorsEntities = d.element(s.mentors).RelativeEntityList;
    EXPECT_EQ(mentorsEntities.itemByKey(QString::number(s.teacher)), s.teacher);
    EXPECT_EQ(mentorsEntities.itemByKey(QString::number(s.teacher) + "_2"), s.teacher);
    EXPECT_TRUE(d.element(s.teacher).RelationList.containsKey(QString::number(s.mentors)));
    EXPECT_EQ(d.element(s.sid).RelativeEntityList.entries().front().key, QString());
    EXPECT_EQ(d.element(s.dependent).WeakRelationList.items(),
              (std::vector<qint16>{qint16(s.supports), qint16(s.cares)}));
    EXPECT_EQ(d.element(s.student).AttributeList.items(),
              (std::vector<qint16>{qint16(s.sid), qint16(s.name), qint16(s.phones)}));
    // The recursive pair sits at adjacent indices, both dotted, so each gets its own sides.
    const int first = loaded.connector(s.teacher, s.mentors, 0);
    const int second = loaded.connector(s.teacher, s.mentors, 1);
    EXPECT_EQ(second, first + 1);
    EXPECT_TRUE(d.connector(first).Line1.dotted());
    EXPECT_TRUE(d.connector(second).Line1.dotted());
}

TEST_P(RoundTrip, SavingTheLoadedDiagramWritesTheSameRows) {
    DiagramBuilder original, loaded;
    roundTrip(store(), true, original, loaded);
    const auto rowsOf = [&](const QString& table) {
        return rowsText(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    };
    const QStringList tables = {"EntityType", "Attribute", "Invoke", "ET_Identify_WET"};
    std::vector<QStringList> before;
    for (const QString& t : tables) before.push_back(rowsOf(t));
    ASSERT_TRUE(store().saveAs(loaded.d, QStringLiteral("school")).ok);
    for (int i = 0; i < tables.size(); ++i) {
        QStringList after = rowsOf(tables[i]);
        after.sort();
        before[size_t(i)].sort();
        EXPECT_EQ(after, before[size_t(i)]) << tables[i].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, RoundTrip, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
