#include <gtest/gtest.h>

#include <set>

#include "diagrambuilder.h"
#include "history.h"
#include "sameentries.h"

// Selecting several elements, dragging them together and deleting them together.

namespace {

// A builder whose commands are steps of a history.
struct Recorded {
    Recorded() { b.editor.setHistory(&history); }
    DiagramBuilder b;
    History history{b.d};
};

// ---- choosing ----

TEST(MultipleSelection, ChoosesLiveElementsOnlyAndIsNoStep) {
    Recorded r;
    DiagramBuilder& b = r.b;
    const int e = b.entity("E"), f = b.entity("F"), gone = b.entity("G");
    b.editor.deleteEntity(gone);
    b.editor.markSaved();
    const int steps = r.history.stack().count();
    const std::set<int>& selection = b.d.view.selection;

    b.editor.toggleSelected(e);
    b.editor.toggleSelected(f);
    b.editor.toggleSelected(gone);
    EXPECT_EQ(selection, (std::set<int>{e, f}));
    b.editor.toggleSelected(e);
    EXPECT_EQ(selection, std::set<int>{f}) << "Ctrl+click on a selected element lets it go";
    b.editor.selectElements({e, gone, 0, -1, 999});
    EXPECT_EQ(selection, std::set<int>{e}) << "a rubber band replaces the selection";
    b.editor.selectAll();
    EXPECT_EQ(selection, (std::set<int>{e, f}));
    EXPECT_EQ(r.history.stack().count(), steps);
    EXPECT_FALSE(b.editor.hasUnsavedChanges());

    b.editor.toolbarButton("AttLine");
    b.editor.selectAll();
    b.editor.toggleSelected(e);
    b.editor.selectElements({e, f});
    EXPECT_TRUE(selection.empty()) << "a connect mode picks by clicks, it selects nothing";
}

// ---- dragging ----

TEST(GroupDrag, EverySelectedElementMovesByTheDraggedOnesOffsetAsOneStep) {
    Recorded rec;
    DiagramBuilder& b = rec.b;
    const int e1 = b.entity("A"), r = b.relationship("R"), e2 = b.entity("B");
    const auto [k1, k2] = b.binary(e1, r, e2);
    const int key = b.attribute(e1, "id");
    const int ka = b.connector(e1, key);
    b.editor.selectElements({e1, r, key});
    const Document before = b.d.document();
    const int steps = rec.history.stack().count();

    b.editor.elementLeftDown(r, 5, 6);
    EXPECT_EQ(b.d.view.selection, (std::set<int>{e1, r, key}))
        << "pressing on a selected element keeps the selection";
    b.editor.dropElement(r, 305, 406);

    EXPECT_EQ(b.d.element(r).Left, 300.0f) << "the dragged element lands as it would alone";
    EXPECT_EQ(b.d.element(r).Top, 400.0f);
    const float dx = 300 - before.element(r).Left, dy = 400 - before.element(r).Top;
    for (int i : {e1, key}) {
        EXPECT_FLOAT_EQ(b.d.element(i).Left, before.element(i).Left + dx);
        EXPECT_FLOAT_EQ(b.d.element(i).Top, before.element(i).Top + dy);
    }
    EXPECT_EQ(b.d.element(e2), before.element(e2)) << "not selected, not moved";
    for (int k : {k1, k2, ka}) EXPECT_NE(b.d.connector(k), before.connector(k));
    // Every line already lies where a fresh layout puts it.
    const Document moved = b.d.document();
    b.editor.layoutAllConnectors();
    expectSameEntries(b.d, moved);

    EXPECT_EQ(rec.history.stack().count(), steps + 1);
    EXPECT_EQ(rec.history.stack().undoText(), "移動 3 個元素");
    b.editor.undo();
    expectSameEntries(b.d, before);
}

TEST(GroupDrag, AnElementOutsideASelectionOfSeveralMovesAlone) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B"), e3 = b.entity("C"), gone = b.entity("D");
    b.editor.deleteEntity(gone);
    const Element first = b.d.element(e1);

    // Its own press selects it alone.
    b.editor.selectElements({e1, e3});
    b.editor.elementLeftDown(e2, 1, 1);
    EXPECT_EQ(b.d.view.selection, std::set<int>{e2});
    b.editor.dropElement(e2, 101, 201);
    EXPECT_EQ(b.d.element(e2).Left, 100.0f);
    EXPECT_EQ(b.d.element(e1), first);

    // A selection of one live element is no group, whatever else it names.
    b.d.view.selection = {e2, gone};
    b.editor.dropElement(e2, 301, 401);
    EXPECT_EQ(b.d.element(e2).Left, 300.0f);
    EXPECT_EQ(b.d.element(e1), first);
    EXPECT_FALSE(b.d.isLiveElement(gone));
}

// ---- deleting ----

const QString kWeakEntityRefused =
    QStringLiteral("弱實體型態不可直接刪除, 請先更新為實體型態(未確定)");

TEST(DeleteSelection, DeletesWhatTheRulesAllowAndNamesTheRestInOneMessage) {
    Recorded rec;
    DiagramBuilder& b = rec.b;
    const int o = b.entity("O"), w = b.entity("W"), id = b.relationship("ID");
    const int p = b.entity("P"), s = b.relationship("S");
    b.binary(o, id, w);
    b.makeWeak(w, id);
    b.binary(p, s, o);
    const int name = b.attribute(p, "name");
    const Document before = b.d.document();
    const int steps = rec.history.stack().count();

    b.editor.selectAll();
    b.editor.deleteSelection();

    EXPECT_EQ(
        b.prompts.messages,
        QStringList{QStringLiteral("下列元素未刪除:\nW: ") + kWeakEntityRefused +
                    QStringLiteral("\nID: 識別關係型態 ID 不可直接刪除, 請先作弱實體型態的更新")});
    for (int i : {o, p, s, name}) EXPECT_FALSE(b.d.isLiveElement(i)) << i;
    EXPECT_EQ(b.d.view.selection, (std::set<int>{w, id})) << "what stays stays selected";

    EXPECT_EQ(rec.history.stack().count(), steps + 1);
    EXPECT_EQ(rec.history.stack().undoText(), "刪除 4 個元素");
    b.editor.undo();
    expectSameEntries(b.d, before);
}

TEST(DeleteSelection, AnEntityThatKeepsARelationshipFromGoingGoesFirst) {
    DiagramBuilder b;
    const int r = b.relationship("R"), o = b.entity("O"), x = b.entity("X");
    b.binary(o, r, x);
    b.makeWeak(x, r);
    // As a project edited elsewhere may hold it: both drawn ordinary, X still naming R as the
    // relationship identifying it. R, the lower index, can go only once X is gone.
    b.d.element(x).Shape = KindEntity;
    b.d.element(r).Shape = KindRelationship;
    b.editor.deleteRelationship(r);
    ASSERT_TRUE(b.d.isLiveElement(r));
    b.prompts.messages.clear();

    b.editor.selectElements({r, x});
    b.editor.deleteSelection();
    EXPECT_FALSE(b.d.isLiveElement(r));
    EXPECT_FALSE(b.d.isLiveElement(x));
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST(DeleteSelection, OneLiveElementSaysWhatItsOwnDeleteSays) {
    DiagramBuilder b;
    const int o = b.entity("O"), w = b.entity("W"), id = b.relationship("ID"), gone = b.entity("G");
    b.binary(o, id, w);
    b.makeWeak(w, id);
    b.editor.deleteEntity(gone);
    b.d.view.selection = {w, gone};
    b.editor.deleteSelection();
    EXPECT_EQ(b.prompts.messages, QStringList{kWeakEntityRefused});
    EXPECT_TRUE(b.d.isLiveElement(w));
}

}  // namespace
