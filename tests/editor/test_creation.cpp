#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "shapepainter.h"

namespace {

TEST(Creation, NewElementsFormARowRightOfTheLastEntry) {
    DiagramBuilder b;
    const int first = b.editor.createElement(KindEntity);
    const int second = b.editor.createElement(KindEntity);
    ASSERT_EQ(first, 1);
    ASSERT_EQ(second, 2);
    const Element& e1 = b.d.element(1);
    EXPECT_EQ(e1.Left, 155);
    EXPECT_EQ(e1.Top, 104);
    EXPECT_EQ(e1.Width, 73);
    EXPECT_EQ(e1.Height, 41);
    EXPECT_EQ(e1.Caption, "Entity1");
    EXPECT_TRUE(e1.Visible);
    EXPECT_EQ(e1.BackColor, b.d.settings.WindowBackColor);
    EXPECT_EQ(b.d.element(2).Left, 238);
}

TEST(Creation, CaptionsCarryKindPrefixAndIndex) {
    DiagramBuilder b;
    b.editor.toolbarButton("Entity");
    b.editor.toolbarButton("Attribute");
    b.editor.buttonMenuItem("MultAttribute");
    b.editor.toolbarButton("Relationship");
    EXPECT_EQ(b.d.element(1).Caption, "Entity1");
    EXPECT_EQ(b.d.element(2).Caption, "Attribute2");
    EXPECT_EQ(b.d.element(3).Caption, "MAttribute3");
    EXPECT_EQ(b.d.element(4).Caption, "Relationship4");
    EXPECT_TRUE(b.d.element(3).is(KindMultAttribute));
    EXPECT_TRUE(b.d.element(4).is(KindRelationship));
}

TEST(Creation, OnlyTheKindsInsetComesFromTheTemplate) {
    DiagramBuilder b;
    b.d.element(0).RecWidth = 3;
    b.d.element(0).EllWidth = 4;
    b.d.element(0).DiaWidth = 6;
    const int e = b.editor.createElement(KindEntity);
    const int a = b.editor.createElement(KindMultAttribute);
    const int r = b.editor.createElement(KindRelationship);
    EXPECT_EQ(b.d.element(e).RecWidth, 3);
    EXPECT_EQ(b.d.element(e).EllWidth, 0);
    EXPECT_EQ(b.d.element(a).EllWidth, 4);
    EXPECT_EQ(b.d.element(a).DiaWidth, 0);
    EXPECT_EQ(b.d.element(r).DiaWidth, 6);
}

TEST(Creation, IndicesAreNeverReusedAndHiddenEntriesStillPlaceTheNext) {
    DiagramBuilder b;
    for (int i = 0; i < 4; ++i) b.editor.createElement(KindEntity);
    b.d.element(3).Visible = false;
    b.d.element(4).Visible = false;
    const int next = b.editor.createElement(KindAttribute);
    EXPECT_EQ(next, 5);
    EXPECT_EQ(b.d.element(5).Left, b.d.element(4).Left + b.d.element(4).Width + 10);
}

TEST(Creation, PastTheLargestIndexNothingIsCreatedAndTheUserIsTold) {
    DiagramBuilder b;
    while (b.d.elementCount() <= Diagram::kLargestIndex) b.d.loadElement();
    ASSERT_EQ(b.d.elementCount(), Diagram::kLargestIndex + 1);
    EXPECT_EQ(b.editor.createElement(KindEntity), 0);
    EXPECT_EQ(b.d.elementCount(), Diagram::kLargestIndex + 1);
    ASSERT_EQ(b.prompts.messages.size(), 1);
    EXPECT_TRUE(b.prompts.messages[0].contains("32767"));
}

TEST(Creation, WeakItemsOfTheButtonMenusOnlyExplain) {
    DiagramBuilder b;
    b.editor.buttonMenuItem("WeakEntity");
    b.editor.buttonMenuItem("WeakRelationship");
    EXPECT_EQ(b.d.elementCount(), 1);
    EXPECT_EQ(b.prompts.messages,
              QStringList({"請先產生 Entity, 再進行設定", "請先產生 Relationship, 再進行設定"}));
}

TEST(KindMenus, KeyTogglesUnderlineAndThePopupShowsIt) {
    DiagramBuilder b;
    const int e = b.entity("Student");
    const int a = b.attribute(e, "StudentNo");
    EXPECT_EQ(b.editor.elementRightDown(a), Editor::Popup::Attribute);
    EXPECT_FALSE(b.d.checks.Key);
    b.editor.menuKey(a);
    EXPECT_TRUE(b.d.element(a).underlined());
    b.editor.elementRightDown(a);
    EXPECT_TRUE(b.d.checks.Key);
    b.editor.menuKey(a);
    EXPECT_FALSE(b.d.element(a).underlined());
    b.editor.elementRightDown(a);
    EXPECT_FALSE(b.d.checks.Key);
}

TEST(KindMenus, AttributeKindPairFlipsKindAndChecks) {
    DiagramBuilder b;
    const int e = b.entity("Student");
    const int a = b.attribute(e, "Phone");
    b.editor.elementRightDown(a);
    b.editor.menuMultAttribute(a);
    EXPECT_TRUE(b.d.element(a).is(KindMultAttribute));
    EXPECT_TRUE(b.d.checks.MultAttribute);
    EXPECT_FALSE(b.d.checks.Attribute);
    // Relations and caption stay.
    EXPECT_EQ(b.d.element(a).RelativeEntityList.items(), std::vector<qint16>{qint16(e)});
    EXPECT_EQ(b.d.element(a).Caption, "Phone");
    b.editor.elementRightDown(a);
    b.editor.menuAttribute(a);
    EXPECT_TRUE(b.d.element(a).is(KindAttribute));
}

TEST(KindMenus, KeyCheckOfAMultivaluedAttributeKeepsItsPreviousState) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int key = b.attribute(e, "k", true);
    const int m = b.multAttribute(e, "m");
    b.editor.elementRightDown(key);
    EXPECT_TRUE(b.d.checks.Key);
    b.editor.elementRightDown(m);
    EXPECT_TRUE(b.d.checks.Key);
}

TEST(KindMenus, RelationshipItemsOnlyExplain) {
    DiagramBuilder b;
    const int r = b.relationship("R");
    b.editor.elementRightDown(r);
    b.editor.menuRelationship();
    b.editor.menuWeakRelationship();
    EXPECT_TRUE(b.d.element(r).is(KindRelationship));
    EXPECT_EQ(b.prompts.messages,
              QStringList({"請透過 WeakEntity 的設定, 來解除 WeakRelationship",
                           "請透過 WeakEntity 的設定, 來設定 WeakRelationship"}));
}

TEST(KindMenus, EntityOnAWeakEntityUndoesTheDesignation) {
    DiagramBuilder b;
    const int owner = b.entity("Employee");
    const int weak = b.entity("Dependent");
    const int r = b.relationship("Has");
    const auto [k1, k2] = b.binary(owner, r, weak);
    b.setParticipation(k2, "1,N");
    b.makeWeak(weak, r);
    ASSERT_TRUE(b.d.element(weak).is(KindWeakEntity));
    ASSERT_TRUE(b.d.connector(k2).Line2.Visible);

    EXPECT_EQ(b.editor.elementRightDown(weak), Editor::Popup::Entity);
    b.editor.menuEntity(weak);
    const Element& w = b.d.element(weak);
    EXPECT_TRUE(w.is(KindEntity));
    EXPECT_TRUE(w.PrimaryEntityList.isEmpty());
    EXPECT_TRUE(w.WeakRelationList.isEmpty());
    EXPECT_TRUE(b.d.element(r).is(KindRelationship));
    EXPECT_FALSE(b.d.connector(k2).Line2.Visible);
    // The connector, its participation and the relations stay.
    EXPECT_TRUE(b.d.connector(k2).Line1.Visible);
    EXPECT_EQ(b.d.connector(k2).MN.Caption, "1,N");
    EXPECT_TRUE(w.RelationList.containsItem(qint16(r)));
    EXPECT_TRUE(b.d.element(r).RelativeEntityList.containsItem(qint16(weak)));
    EXPECT_TRUE(b.d.checks.Entity);
    EXPECT_FALSE(b.d.checks.WeakEntity);
}

// ---- Placement inside the visible part of the drawing ----

QRectF boxOf(const Element& e) {
    return QRectF(e.Left, e.Top, e.Width, e.Height);
}

TEST(Placement, NewElementsFillTheVisibleAreaInReadingOrderThenGoBelowEverything) {
    DiagramBuilder b;
    const QRectF visible(-50, 40, 500, 200);
    b.editor.setVisibleArea(visible);
    const int first = b.editor.createElement(KindEntity);
    EXPECT_EQ(boxOf(b.d.element(first)).topLeft(), QPointF(155, 104))
        << "the first element keeps its usual place";

    std::vector<int> made{first};
    while (made.size() < 40 && visible.contains(boxOf(b.d.element(made.back()))))
        made.push_back(b.editor.createElement(made.size() % 2 ? KindAttribute : KindEntity));
    for (size_t a = 0; a < made.size(); ++a)
        for (size_t c = 0; c < a; ++c)
            EXPECT_FALSE(boxOf(b.d.element(made[a]))
                             .adjusted(-9, -9, 9, 9)
                             .intersects(boxOf(b.d.element(made[c]))))
                << made[a] << " is too close to " << made[c];
    EXPECT_GT(made.size(), 10u) << "the view holds three rows";
    // The first free place is the top left corner, then along the row.
    EXPECT_EQ(boxOf(b.d.element(made[1])).topLeft(), QPointF(-40, 50));
    EXPECT_EQ(boxOf(b.d.element(made[2])).topLeft(),
              QPointF(boxOf(b.d.element(made[1])).right() + 10, 50));
    const QRectF below = boxOf(b.d.element(made.back()));
    EXPECT_GT(below.top(), visible.bottom() - 41) << "nothing free: below the lowest element";
    EXPECT_EQ(below.left(), -40);

    // A crowded view: one element covering it all sends the next one below it.
    DiagramBuilder crowded;
    crowded.editor.setVisibleArea(visible);
    const int big = crowded.editor.createElement(KindEntity);
    Element& e = crowded.d.element(big);
    e.Left = -60, e.Top = 30, e.Width = 600, e.Height = 300;
    const int next = crowded.editor.createElement(KindEntity);
    EXPECT_EQ(boxOf(crowded.d.element(next)).topLeft(), QPointF(-40, 340));
}

}  // namespace

namespace {

// A new element is already as large as Resize would make it, so its caption shows whole at once
// ("Relationship1" in a 73-pixel diamond read "elationship1"); a short caption keeps the
// template's size.
TEST(Creation, NewElementsHoldTheirWholeCaption) {
    DiagramBuilder b;
    for (int kind : {KindEntity, KindAttribute, KindMultAttribute, KindRelationship}) {
        const int made = b.editor.createElement(kind);
        const Element& e = b.d.element(made);
        const QSizeF before(e.Width, e.Height);
        if (kind == KindEntity) EXPECT_EQ(e.Width, 73) << "Entity1 keeps the template's size";
        EXPECT_GE(e.Width, 73) << e.Caption.toStdString();
        EXPECT_GE(e.Height, 41) << e.Caption.toStdString();
        const ShapeLayout layout =
            layOutShape(QSize(qRound(e.Width), qRound(e.Height)), e.Shape, e.BorderStyle,
                        e.RecWidth, e.EllWidth, e.DiaWidth, e.Font, e.Caption);
        EXPECT_FALSE(layout.captionLeavesControl) << e.Caption.toStdString();
        b.editor.resizeToCaptions();
        EXPECT_LE(b.d.element(made).Width, std::max<qreal>(before.width(), 73) + 0.01)
            << "Resize does not need to widen " << e.Caption.toStdString();
    }
}

}  // namespace
