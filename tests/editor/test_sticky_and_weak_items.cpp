#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "history.h"

namespace {

TEST(StickyTools, EachConnectionIsAStepAndTheModeStartsAgainUntilCancel) {
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    const int e = b.entity("E"), f = b.entity("F"), r = b.relationship("R");
    const int a1 = b.editor.createElement(KindAttribute);
    const int a2 = b.editor.createElement(KindAttribute);
    const int before = history.stack().count();

    b.editor.toolbarButton("AttLine", true);
    for (int a : {a1, a2}) {
        b.click(e);
        b.click(a);
        EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::AttributeOwner);
        EXPECT_EQ(b.d.view.highlights.of(f), Highlight::Candidate) << "candidates marked again";
        EXPECT_FALSE(b.d.view.toolbarEnabled);
    }
    EXPECT_EQ(history.stack().count(), before + 2);

    // Undo while it runs first ends the mode, then takes back the last connection alone.
    b.editor.undo();
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_FALSE(b.d.state.StickyConnect);
    b.editor.undo();
    EXPECT_EQ(b.d.element(e).AttributeList.count(), 1);

    b.editor.toolbarButton("RelLine", true);
    b.click(e);
    b.click(r);
    b.click(f);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::FirstEntity);
    EXPECT_EQ(b.d.view.prompt, "請選定 Relationship 的第一個 Entity");
    EXPECT_EQ(b.d.element(r).RelativeEntityList.count(), 2);
    b.editor.cancel();
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_FALSE(b.d.view.legendVisible);
}

TEST(WeakItems, ActOnTheSelectedElementOrSayWhatIsMissing) {
    DiagramBuilder b;
    const int owner = b.entity("Employee"), weak = b.entity("Dependent");
    const int r = b.relationship("Has");
    b.binary(owner, r, weak);

    // Nothing suitable selected: the messages of old.
    b.editor.buttonMenuItem("WeakEntity");
    b.editor.selectElements({r});
    b.editor.buttonMenuItem("WeakEntity");
    b.editor.selectElements({owner});
    b.editor.buttonMenuItem("WeakRelationship");
    EXPECT_EQ(b.prompts.messages,
              QStringList({"請先產生 Entity, 再進行設定", "請先產生 Entity, 再進行設定",
                           "請先產生 Relationship, 再進行設定"}));

    // A relationship between two plain entities: which one is weak is not known.
    b.prompts.messages.clear();
    b.editor.selectElements({r});
    b.editor.buttonMenuItem("WeakRelationship");
    EXPECT_EQ(b.prompts.messages,
              QStringList({"請透過 WeakEntity 的設定, 來設定 WeakRelationship"}));
    EXPECT_TRUE(b.d.element(r).is(KindRelationship));

    // An entity selected: the identifying pick starts on it, as the element menu starts it.
    b.editor.selectElements({weak});
    b.editor.buttonMenuItem("WeakEntity");
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::IdentifyingRelationship);
    EXPECT_EQ(b.d.view.highlights.of(r), Highlight::Candidate);
    b.click(r);
    EXPECT_TRUE(b.d.element(weak).is(KindWeakEntity));

    // A relationship selected that the weak entity's second identifying relationship may be.
    const int boss = b.entity("Boss"), r2 = b.relationship("Under");
    b.binary(boss, r2, weak);
    b.editor.selectElements({r2});
    b.editor.buttonMenuItem("WeakRelationship");
    EXPECT_TRUE(b.d.element(r2).is(KindWeakRelationship));
    EXPECT_TRUE(b.d.element(weak).WeakRelationList.containsKey(QString::number(r2)));
    EXPECT_TRUE(b.d.element(weak).PrimaryEntityList.containsKey(QString::number(boss)));
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    // Done already: nothing more to identify.
    b.prompts.messages.clear();
    b.editor.buttonMenuItem("WeakRelationship");
    EXPECT_EQ(b.prompts.messages.size(), 1);
}

TEST(RenameInPlace, OneStepUnlessUnchangedAndNothingForAGoneElement) {
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    const int e = b.entity("E");
    const int before = history.stack().count();
    b.editor.renameElement(e, "E");
    b.editor.renameElement(0, "X");
    b.editor.renameElement(-3, "X");
    b.editor.renameElement(99, "X");
    EXPECT_EQ(history.stack().count(), before);
    b.editor.renameElement(e, "EMPLOYEE");
    EXPECT_EQ(b.d.element(e).Caption, "EMPLOYEE");
    EXPECT_EQ(history.stack().undoText(), "重新命名 E");
}

}  // namespace
