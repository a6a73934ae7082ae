#include <gtest/gtest.h>

#include "../../bench/benchdiagram.h"
#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

// Stops the operation at its `stopAt`-th report (never when 0) and counts the reports.
struct StoppingProgress : Progress {
    int stopAt = 0;
    int reports = 0;
    bool advance(qint64, qint64) override { return ++reports != stopAt; }
};

class StoreProgress : public StoreTest {};

// The 5,000-element benchmark project: a load or a save stopped half-way changes nothing.
TEST_P(StoreProgress, StoppingALoadOrASaveLeavesEverythingAsItWas) {
    Diagram big;
    SilentPrompts silent;
    Editor bigEditor(big, silent);
    drawGeneratedDiagram(bigEditor, 1000, 3, 1000);
    ASSERT_TRUE(store().saveAs(big, "big").ok);

    DiagramBuilder open;
    open.attribute(open.entity("Open"), "id", true);
    const QStringList before = storedData(open.d);
    StoppingProgress stopping;
    stopping.stopAt = 3;
    EXPECT_EQ(store().loadInto(open.editor, "big", &stopping).status,
              ProjectStore::LoadResult::Status::Cancelled);
    EXPECT_EQ(storedData(open.d), before) << "the diagram that was open stays";

    // A save stopped half-way rolls back: the project loads as it was saved before.
    big.element(1).Caption = "Renamed";
    StoppingProgress stopSave;
    stopSave.stopAt = 20;
    const auto saved = store().saveAs(big, "big", &stopSave);
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.cancelled);
    StoppingProgress watching;
    ASSERT_EQ(store().loadInto(open.editor, "big", &watching).status,
              ProjectStore::LoadResult::Status::Loaded);
    EXPECT_GT(watching.reports, 10);
    big.element(1).Caption = "Entity1";
    EXPECT_EQ(storedData(open.d), storedData(big));
}

INSTANTIATE_TEST_SUITE_P(Engines, StoreProgress,
                         testing::Values(Engine::SQLite, Engine::PostgreSQL), engineName);

}  // namespace
