#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

// Projects written straight into the tables, the way another program or an older version
// might have left them, then loaded.
class LoadRows : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_FALSE(store().check().isSet());
        ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (4, 'stored')"));
    }

    void entity(int i, int kind, const QString& colour = "255") {
        ASSERT_TRUE(execute(QStringLiteral("INSERT INTO \"EntityType\" VALUES "
                                           "(4, %1, 'E%1', '%2', %3, 50, 73, 41, %4)")
                                .arg(i)
                                .arg(colour)
                                .arg(100 * i)
                                .arg(kind)));
    }
    void attribute(int i, int owner, bool single = true) {
        ASSERT_TRUE(execute(QStringLiteral("INSERT INTO \"Attribute\" VALUES "
                                           "(4, %1, %2, 'A%1', '65535', %3, 0, %4, 200, 73, 41)")
                                .arg(i)
                                .arg(owner)
                                .arg(single ? 1 : 0)
                                .arg(100 * i)));
    }
    void invoke(int r, int e, int is2nd, const QString& min, const QString& max, int isWeak,
                const QString& role = QString()) {
        ASSERT_TRUE(execute(QStringLiteral("INSERT INTO \"Invoke\" VALUES "
                                           "(4, %1, %2, %3, '%4', '%5', %6, '%7')")
                                .arg(r)
                                .arg(e)
                                .arg(is2nd)
                                .arg(min, max)
                                .arg(isWeak)
                                .arg(role)));
    }

    ProjectStore::LoadResult load(DiagramBuilder& b) {
        return store().loadInto(b.editor, "stored");
    }
};

TEST_P(LoadRows, ElementsKeepTheirIndicesAndTheGapsStayHidden) {
    entity(1, 0);
    entity(2, 4);
    entity(5, 0);
    DiagramBuilder b;
    const auto result = load(b);
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(result.projectNumber, 4);
    EXPECT_EQ(b.d.elementCount(), 6);
    EXPECT_FALSE(b.d.element(3).Visible);
    EXPECT_FALSE(b.d.element(4).Visible);
    EXPECT_TRUE(b.d.element(5).Visible);
    EXPECT_EQ(b.d.element(5).Left, 500.0f);
    EXPECT_EQ(b.d.element(5).BackColor, 255u);
    EXPECT_EQ(b.entity("next"), 6);
}

struct LabelCase {
    int presentStyle;
    const char* min;
    const char* max;
    int isWeak;
    const char* caption;
    bool doubled;
};

TEST_P(LoadRows, ParticipationLabelsFollowTheNotation) {
    const LabelCase cases[] = {
        {1, "0", "N", 0, "0,N", false}, {1, "1", "1", 1, "1,1", true}, {1, "0", "", 0, "", false},
        {1, "", "N", 0, "", false},     {0, "1", "N", 0, "N", true},   {0, "0", "N", 1, "N", false},
    };
    entity(1, 0);
    entity(2, 4);
    for (const LabelCase& c : cases) {
        ASSERT_TRUE(execute("DELETE FROM \"Invoke\""));
        invoke(2, 1, 0, c.min, c.max, c.isWeak);
        DiagramBuilder b;
        b.d.settings.PresentStyle = qint16(c.presentStyle);
        ASSERT_EQ(load(b).status, ProjectStore::LoadResult::Status::Loaded);
        const int k = b.connector(1, 2);
        ASSERT_NE(k, 0);
        const Connector& con = b.d.connector(k);
        EXPECT_EQ(con.MN.Caption, c.caption) << c.min << "," << c.max;
        EXPECT_TRUE(con.MN.Visible);
        EXPECT_EQ(con.Line2.Visible, c.doubled) << c.min << "," << c.max;
        EXPECT_TRUE(con.joins(1, 2));
    }
}

TEST_P(LoadRows, RowsThatCannotBeLoadedAreLeftOutAndCounted) {
    entity(1, 0);
    entity(2, 4);
    entity(3, 0);
    entity(6, 0, "red");  // a colour that is no number: only the colour is left out
    entity(7, 9);         // no such kind
    attribute(8, 1);
    attribute(9, 42);  // owner missing
    attribute(3, 1);   // index already taken by an entity
    invoke(2, 1, 0, "0", "N", 0);
    invoke(2, 3, 0, "0", "N", 0);
    invoke(2, 3, 0, "1", "N", 0);   // the same participation twice
    invoke(77, 1, 0, "0", "N", 0);  // relationship missing
    invoke(2, 8, 0, "0", "N", 0);   // an attribute cannot take part
    ASSERT_TRUE(execute("INSERT INTO \"ET_Identify_WET\" VALUES (4, 1, 55)"));
    DiagramBuilder b;
    b.d.settings.PresentStyle = 1;
    const auto result = load(b);
    ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(result.skippedRows, 8);
    EXPECT_TRUE(b.d.isLiveElement(6));
    EXPECT_EQ(b.d.element(6).BackColor, b.d.element(0).BackColor);
    EXPECT_FALSE(b.d.isLiveElement(7));
    EXPECT_TRUE(b.d.isLiveElement(9));  // kept, without an owner
    EXPECT_TRUE(b.d.element(9).RelativeEntityList.isEmpty());
    EXPECT_TRUE(b.d.element(3).is(KindEntity));
    EXPECT_EQ(b.d.element(2).RelativeEntityList.items(), (std::vector<qint16>{1, 3}));
    EXPECT_EQ(b.d.element(1).AttributeList.items(), (std::vector<qint16>{8}));
    // Two relationship connectors and one attribute connector.
    EXPECT_EQ(b.d.connectorCount(), 4);
}

TEST_P(LoadRows, ASecondRowWithoutItsFirstDoesNotTakeAnUnrelatedNeighbour) {
    entity(1, 0);
    entity(2, 4);
    entity(3, 0);
    entity(4, 4);
    invoke(2, 1, 0, "0", "N", 0);
    invoke(4, 3, 1, "0", "N", 0, "alone");
    DiagramBuilder b;
    ASSERT_EQ(load(b).status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_FALSE(b.d.connector(b.connector(1, 2)).Line1.dotted());
    const Connector& lone = b.d.connector(b.connector(3, 4));
    EXPECT_TRUE(lone.Line1.dotted());
    EXPECT_EQ(lone.Description.Caption, "alone");
    EXPECT_TRUE(lone.Description.Visible);
    EXPECT_TRUE(b.d.element(4).RelativeEntityList.containsKey("3_2"));
    EXPECT_TRUE(b.d.element(3).RelationList.containsKey("4"));
}

TEST_P(LoadRows, TextbookProjectsGetTheirOwnersFromTheIdentifyingRelationships) {
    // Owner 1 and weak entity 3 through the identifying relationship 2, as a textbook-mode save
    // writes it: no ET_Identify_WET rows.
    entity(1, 0);
    entity(2, 5);
    entity(3, 1);
    invoke(2, 1, 0, "0", "N", 1);
    invoke(2, 3, 0, "1", "1", 1);
    DiagramBuilder b;
    b.d.settings.PresentStyle = 0;
    ASSERT_EQ(load(b).status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(b.d.element(3).WeakRelationList.items(), std::vector<qint16>{2});
    EXPECT_EQ(b.d.element(3).PrimaryEntityList.items(), std::vector<qint16>{1});
    EXPECT_TRUE(b.d.element(1).WeakRelationList.isEmpty());
}

TEST_P(LoadRows, LoadingReplacesTheDiagramOnTheCanvas) {
    entity(1, 0);
    entity(2, 4);
    invoke(2, 1, 0, "0", "N", 0);
    DiagramBuilder b;
    for (int i = 0; i < 5; ++i) b.entity("old");
    b.binary(3, b.relationship("old r"), 4);
    b.editor.toolbarButton("RelLine");  // a connect mode left running
    ASSERT_EQ(load(b).status, ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(b.d.elementCount(), 3);
    EXPECT_EQ(b.d.connectorCount(), 2);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_TRUE(b.d.view.toolbarEnabled);
    EXPECT_FALSE(b.d.view.legendVisible);
}

INSTANTIATE_TEST_SUITE_P(Engines, LoadRows, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
