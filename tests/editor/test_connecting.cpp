#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "diagrambuilder.h"
#include "geometry.h"
#include "history.h"

namespace {

// Whether element i shows `colour`: a connect mode's highlight is the session's, over the
// element's own colour.
bool shows(const DiagramBuilder& b, int i, OleColor colour) {
    return b.d.shownColour(i) == colour;
}

TEST(AttributeConnection, AnyElementMayOwnAnAttribute) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a1 = b.attribute(e, "Address");
    const int a2 = b.editor.createElement(KindAttribute);
    b.editor.toolbarButton("AttLine");
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::AttributeOwner);
    EXPECT_FALSE(b.d.view.toolbarEnabled);
    EXPECT_TRUE(b.d.view.legendVisible);
    EXPECT_EQ(b.d.view.prompt, "請選定屬性的 Entity");
    b.click(a1);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::Attribute);
    EXPECT_EQ(b.d.view.prompt, "請選定 Attribute");
    EXPECT_TRUE(shows(b, a1, b.d.settings.SelectedColor));
    EXPECT_TRUE(shows(b, a2, b.d.settings.CandidateColor));
    EXPECT_FALSE(shows(b, e, b.d.settings.CandidateColor));
    b.click(a2);

    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_TRUE(b.d.view.toolbarEnabled);
    EXPECT_FALSE(b.d.view.legendVisible);
    EXPECT_EQ(b.d.view.prompt, "");
    EXPECT_EQ(b.d.element(a1).AttributeList.items(), std::vector<qint16>{qint16(a2)});
    EXPECT_TRUE(b.d.element(a1).AttributeList.containsKey(QString::number(a2)));
    EXPECT_EQ(b.d.element(a2).RelativeEntityList.items(), std::vector<qint16>{qint16(a1)});
    const int k = b.connector(a1, a2);
    ASSERT_NE(k, 0);
    EXPECT_TRUE(b.d.isAttributeConnector(k));
    EXPECT_TRUE(b.d.connector(k).Line1.Visible);
    EXPECT_FALSE(b.d.connector(k).MN.Visible);
    // Every element shows its own colour again.
    for (int i = 1; i < b.d.elementCount(); ++i)
        EXPECT_EQ(b.d.element(i).BackColor, b.d.settings.WindowBackColor) << i;
}

TEST(AttributeConnection, ClicksOnNonCandidatesAreIgnored) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int owned = b.attribute(e, "a");
    const int other = b.entity("F");
    b.editor.toolbarButton("AttLine");
    b.click(e);
    b.click(owned);  // already has an owner
    b.click(other);  // not an attribute
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::Attribute);
    EXPECT_EQ(b.d.element(e).AttributeList.count(), 1);
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST(RelationshipConnection, BinaryLinksBothEntities) {
    DiagramBuilder b;
    const int e1 = b.entity("Employee");
    const int e2 = b.entity("Department");
    const int r = b.relationship("WorksFor");
    b.editor.toolbarButton("RelLine");
    EXPECT_EQ(b.d.view.prompt, "請選定 Relationship 的第一個 Entity");
    EXPECT_TRUE(shows(b, e1, b.d.settings.CandidateColor));
    EXPECT_FALSE(shows(b, r, b.d.settings.CandidateColor));
    b.click(e1);
    EXPECT_EQ(b.d.view.prompt, "請選定 Relationship");
    EXPECT_TRUE(shows(b, r, b.d.settings.CandidateColor));
    EXPECT_TRUE(shows(b, e1, b.d.settings.SelectedColor));
    b.click(r);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::SecondEntity);
    EXPECT_EQ(b.d.view.prompt, "請選定 Relationship 的第二個 Entity");
    // No relation is recorded before the second entity is picked.
    EXPECT_TRUE(b.d.element(r).RelativeEntityList.isEmpty());
    b.click(e2);

    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_EQ(b.d.state.RelationPick, 0);
    EXPECT_EQ(b.d.state.CurrentLine, 0);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(),
              (std::vector<qint16>{qint16(e1), qint16(e2)}));
    EXPECT_TRUE(b.d.element(e1).RelationList.containsKey(QString::number(r)));
    EXPECT_TRUE(b.d.element(e2).RelationList.containsKey(QString::number(r)));
    const int k1 = b.connector(e1, r), k2 = b.connector(e2, r);
    ASSERT_TRUE(k1 && k2);
    EXPECT_TRUE(b.d.isRelationshipConnector(k1));
    EXPECT_TRUE(b.d.connector(k1).MN.Visible);
    EXPECT_EQ(b.d.connector(k1).MN.Caption, "");
    EXPECT_EQ(b.d.connector(k1).Line1.BorderStyle, kLineSolid);
    for (int i = 1; i < b.d.elementCount(); ++i)
        EXPECT_EQ(b.d.element(i).BackColor, b.d.settings.WindowBackColor) << i;
}

TEST(RelationshipConnection, RecursiveRelationshipHasTwoKeysAndTwoDottedConnectors) {
    DiagramBuilder b;
    const int e = b.entity("Employee");
    b.entity("x2");
    b.entity("x3");
    b.entity("x4");
    const int r = b.relationship("Supervises");
    ASSERT_EQ(e, 1);
    ASSERT_EQ(r, 5);
    const auto [k1, k2] = b.recursive(e, r);
    const Collection& related = b.d.element(r).RelativeEntityList;
    EXPECT_EQ(related.items(), (std::vector<qint16>{1, 1}));
    EXPECT_TRUE(related.containsKey("1"));
    EXPECT_TRUE(related.containsKey("1_2"));
    EXPECT_EQ(b.d.element(e).RelationList.items(), std::vector<qint16>{5});
    EXPECT_TRUE(b.d.connector(k1).joins(1, 5));
    EXPECT_TRUE(b.d.connector(k2).joins(1, 5));
    EXPECT_TRUE(b.d.connector(k1).Line1.dotted());
    EXPECT_TRUE(b.d.connector(k2).Line1.dotted());
    EXPECT_EQ(k2, k1 + 1);
}

TEST(RelationshipConnection, AThirdParticipantJoinsInOneClick) {
    DiagramBuilder b;
    const int e1 = b.entity("Supplier"), e2 = b.entity("Part"), e3 = b.entity("Project");
    const int r = b.relationship("Supply");
    b.binary(e1, r, e2);
    const int connectors = b.d.connectorCount();
    b.editor.toolbarButton("RelLine");
    b.click(e3);
    b.click(r);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_EQ(b.d.connectorCount(), connectors + 1);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(),
              (std::vector<qint16>{qint16(e1), qint16(e2), qint16(e3)}));
    EXPECT_TRUE(b.d.element(e3).RelationList.containsItem(qint16(r)));
    EXPECT_TRUE(b.d.connector(connectors).joins(e3, r));
    EXPECT_TRUE(b.d.connector(connectors).MN.Visible);
}

TEST(RelationshipConnection, RelationshipsAlreadyLinkedToTheFirstEntityAreNoCandidates) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B");
    const int r = b.relationship("R");
    b.binary(e1, r, e2);
    b.editor.toolbarButton("RelLine");
    b.click(e1);
    EXPECT_FALSE(shows(b, r, b.d.settings.CandidateColor));
    b.click(r);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::Relationship);
}

TEST(RelationshipConnection, OtherCandidateRelationshipsShowAsPickedToo) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int r5 = b.relationship("R5"), r6 = b.relationship("R6");
    b.editor.toolbarButton("RelLine");
    b.click(e);
    EXPECT_TRUE(shows(b, r5, b.d.settings.CandidateColor));
    EXPECT_TRUE(shows(b, r6, b.d.settings.CandidateColor));
    b.click(r5);
    EXPECT_TRUE(shows(b, r5, b.d.settings.SelectedColor));
    EXPECT_TRUE(shows(b, r6, b.d.settings.SelectedColor));
    EXPECT_TRUE(shows(b, e, b.d.settings.CandidateColor));
    b.click(e);
    EXPECT_EQ(b.d.element(r6).BackColor, b.d.settings.WindowBackColor);
}

TEST(RelationshipConnection, CancelInModeFiveLeavesTheFirstConnector) {
    DiagramBuilder b;
    const int e1 = b.entity("A");
    b.entity("B");
    const int r = b.relationship("R");
    b.editor.toolbarButton("RelLine");
    b.click(e1);
    b.click(r);
    const int k = b.d.state.CurrentLine;
    ASSERT_NE(k, 0);
    b.editor.cancel();
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_EQ(b.d.state.FirstPick, 0);
    EXPECT_EQ(b.d.state.RelationPick, 0);
    EXPECT_TRUE(b.d.view.toolbarEnabled);
    EXPECT_FALSE(b.d.view.legendVisible);
    EXPECT_EQ(b.d.view.prompt, "請選定 Relationship 的第二個 Entity");  // the prompt is not cleared
    EXPECT_TRUE(b.d.connector(k).Line1.Visible);
    EXPECT_TRUE(b.d.connector(k).MN.Visible);
    EXPECT_EQ(b.d.connector(k).MN.Caption, "");
    EXPECT_TRUE(b.d.element(r).RelativeEntityList.isEmpty());
    for (int i = 1; i < b.d.elementCount(); ++i)
        EXPECT_EQ(b.d.element(i).BackColor, b.d.settings.WindowBackColor) << i;
}

TEST(RelationshipConnection, CancelKeepsAColourChosenAfterAnEarlierHighlight) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.editor.toolbarButton("AttLine");
    b.editor.cancel();
    b.d.element(e).BackColor = 0x00FF00;  // chosen by the user afterwards
    b.editor.toolbarButton("RelLine");
    b.click(e);
    b.editor.cancel();
    EXPECT_EQ(b.d.element(e).BackColor, 0x00FF00u);
    b.editor.toolbarButton("AttLine");
    b.editor.cancel();
    b.editor.cancel();
    EXPECT_EQ(b.d.element(e).BackColor, 0x00FF00u);
}

TEST(RelationshipConnection, AnEntityTheRelationshipAlreadyListsIsNoSecondCandidate) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B");
    const int r = b.relationship("R");
    b.binary(e1, r, e2);
    // A relationship that lost a participant lists one entity only.
    b.d.element(r).RelativeEntityList.removeKey(QString::number(e1));
    b.d.element(e1).RelationList.removeKey(QString::number(r));
    const int e3 = b.entity("C");
    b.editor.toolbarButton("RelLine");
    b.click(e3);
    b.click(r);
    EXPECT_FALSE(shows(b, e2, b.d.settings.CandidateColor));
    b.click(e2);  // ignored
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::SecondEntity);
    b.click(e1);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(),
              (std::vector<qint16>{qint16(e2), qint16(e3), qint16(e1)}));
}

TEST(WeakEntity, DesignationDoublesTheLinkAndRecordsOwners) {
    DiagramBuilder b;
    const int owner = b.entity("Employee");
    const int weak = b.entity("Dependent");
    const int r = b.relationship("Has");
    const auto [k1, k2] = b.binary(owner, r, weak);
    b.editor.elementRightDown(weak);
    b.editor.menuWeakEntity(weak);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::IdentifyingRelationship);
    EXPECT_EQ(b.d.view.prompt, "請選定此 WeakEntityType 的識別關係型態");
    EXPECT_FALSE(b.d.view.toolbarEnabled);
    EXPECT_TRUE(shows(b, weak, b.d.settings.SelectedColor));
    EXPECT_TRUE(shows(b, r, b.d.settings.CandidateColor));
    b.click(r);
    const Element& w = b.d.element(weak);
    EXPECT_TRUE(w.is(KindWeakEntity));
    EXPECT_TRUE(b.d.element(r).is(KindWeakRelationship));
    EXPECT_EQ(w.WeakRelationList.items(), std::vector<qint16>{qint16(r)});
    EXPECT_EQ(w.PrimaryEntityList.items(), std::vector<qint16>{qint16(owner)});
    EXPECT_TRUE(b.d.connector(k2).Line2.Visible);
    EXPECT_FALSE(b.d.connector(k1).Line2.Visible);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_TRUE(b.d.view.toolbarEnabled);
    EXPECT_EQ(w.BackColor, b.d.settings.WindowBackColor);
    EXPECT_EQ(b.d.element(r).BackColor, b.d.settings.WindowBackColor);
}

TEST(WeakEntity, TernaryAndRecursiveRelationshipsAreNoCandidates) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B"), e3 = b.entity("C");
    const int ternary = b.relationship("T");
    b.binary(e1, ternary, e2);
    b.join(e3, ternary);
    const int recursive = b.relationship("Rec");
    b.recursive(e1, recursive);
    b.editor.elementRightDown(e1);
    b.editor.menuWeakEntity(e1);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::IdentifyingRelationship);
    EXPECT_FALSE(shows(b, ternary, b.d.settings.CandidateColor));
    EXPECT_FALSE(shows(b, recursive, b.d.settings.CandidateColor));
    b.click(recursive);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::IdentifyingRelationship);
    EXPECT_TRUE(b.d.element(e1).WeakRelationList.isEmpty());
    b.editor.cancel();
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_EQ(b.d.element(e1).BackColor, b.d.settings.WindowBackColor);
}

TEST(WeakEntity, ASecondIdentifyingRelationshipWithTheSameOwnerIsNoCandidate) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r1 = b.relationship("R1"), r2 = b.relationship("R2");
    b.binary(owner, r1, weak);
    b.binary(owner, r2, weak);
    b.makeWeak(weak, r1);
    b.editor.elementRightDown(weak);
    b.editor.menuWeakEntity(weak);
    EXPECT_FALSE(shows(b, r2, b.d.settings.CandidateColor));
    EXPECT_FALSE(shows(b, r1, b.d.settings.CandidateColor));
    b.editor.cancel();
    EXPECT_EQ(b.d.element(weak).PrimaryEntityList.items(), std::vector<qint16>{qint16(owner)});
}

TEST(PopupMenu, ChecksFollowTheElementsKindAndLock) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.d.element(e).IsSizeLock = true;
    EXPECT_EQ(b.editor.elementRightDown(e), Editor::Popup::Entity);
    EXPECT_EQ(b.d.state.ContextElement, e);
    EXPECT_TRUE(b.d.checks.Entity);
    EXPECT_FALSE(b.d.checks.WeakEntity);
    EXPECT_TRUE(b.d.checks.EntityLockSize);
    const int r = b.relationship("R");
    EXPECT_EQ(b.editor.elementRightDown(r), Editor::Popup::Relationship);
    EXPECT_TRUE(b.d.checks.Relationship);
    EXPECT_FALSE(b.d.checks.RelationshipLockSize);
    b.d.element(r).Shape = 6;
    EXPECT_EQ(b.editor.elementRightDown(r), Editor::Popup::Specialization);
    b.d.element(r).Shape = 8;
    EXPECT_EQ(b.editor.elementRightDown(r), Editor::Popup::None);
}

TEST(Hover, ListsRelationsOrSaysNone) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B");
    const int r = b.relationship("R");
    b.editor.elementHover(e1);
    EXPECT_EQ(b.d.view.hover[0], QString("Index: %1").arg(e1));
    EXPECT_EQ(b.d.view.hover[1], "RelationshipType元素: 無");
    EXPECT_EQ(b.d.view.hover[2], "相關的Entity元素: 無");
    b.binary(e1, r, e2);
    b.editor.elementHover(r);
    EXPECT_EQ(b.d.view.hover[2], QString("相關的Entity元素: %1,%2").arg(e1).arg(e2));
    b.editor.elementHover(e2);
    EXPECT_EQ(b.d.view.hover[1], QString("RelationshipType元素: %1").arg(r));
}

TEST(Hover, AWeakEntityShowsItsIdentifyingRelationshipAndOwners) {
    DiagramBuilder b;
    const int o1 = b.entity("O1"), weak = b.entity("W");
    const int r = b.relationship("R");
    b.binary(o1, r, weak);
    b.makeWeak(weak, r);
    b.editor.elementHover(weak);
    EXPECT_EQ(b.d.view.hover[1], QString("WeakEntity: %1").arg(r));
    EXPECT_EQ(b.d.view.hover[2], QString("PrimaryEntity: %1").arg(o1));
    const int lone = b.entity("L");
    b.d.element(lone).Shape = KindWeakEntity;
    b.editor.elementHover(lone);
    EXPECT_EQ(b.d.view.hover[1], "WeakEntity: ");
    EXPECT_EQ(b.d.view.hover[2], "PrimaryEntity: ");
}

TEST(Dragging, DropMovesByTheGrabOffsetAndRelaysConnectors) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e1, r, e2);
    b.editor.elementLeftDown(e1, 7, 9);
    b.editor.dropElement(e1, 400, 300);
    EXPECT_EQ(b.d.element(e1).Left, 393);
    EXPECT_EQ(b.d.element(e1).Top, 291);
    Line expected = b.d.connector(k1).Line1;
    Label label = b.d.connector(k1).MN;
    PlaceLine(b.d, qint16(e1), qint16(r), expected, label, false);
    EXPECT_EQ(b.d.connector(k1).Line1.X1, expected.X1);
    EXPECT_EQ(b.d.connector(k1).Line1.Y2, expected.Y2);
    (void)k2;
}

TEST(ConnectorMenu, HitWithinTenUnitsOfTheMidpointOnBothAxes) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e1, r, e2);
    for (int k = 1; k < b.d.connectorCount(); ++k) b.d.connector(k).Line1.Visible = false;
    Line& line = b.d.connector(k2).Line1;
    line.Visible = true;
    line.X1 = 100, line.Y1 = 100, line.X2 = 200, line.Y2 = 300;  // midpoint (150, 200)
    EXPECT_EQ(b.editor.connectorAt(159, 191), k2);
    EXPECT_EQ(b.editor.connectorAt(141, 209), k2);
    EXPECT_EQ(b.editor.connectorAt(160, 200), 0);
    EXPECT_EQ(b.editor.connectorAt(150, 190), 0);
    EXPECT_TRUE(b.editor.drawingAreaRightDown(155, 205));
    EXPECT_EQ(b.d.state.CurrentLine, k2);
    EXPECT_FALSE(b.d.checks.DescriptionEnabled);
    line.BorderStyle = kLineDotted;
    b.editor.drawingAreaRightDown(155, 205);
    EXPECT_TRUE(b.d.checks.DescriptionEnabled);
    EXPECT_FALSE(b.editor.drawingAreaRightDown(10, 10));
    (void)k1;
}

// Two relationship lines: k1 from (100,100) to (200,300), midpoint (150,200); k2 level at
// y = 130 from x = 60 to 170, midpoint (115,130), which lies on k1.
struct NearCase {
    const char* what;
    float x, y, tolerance;
    int hit;  // 0 none, 1 k1, 2 k2
};

std::ostream& operator<<(std::ostream& os, const NearCase& c) {
    return os << c.what;
}

class ConnectorNear : public ::testing::TestWithParam<NearCase> {};

TEST_P(ConnectorNear, TheMidpointRuleFirstThenTheNearestLineWithinTheTolerance) {
    DiagramBuilder b;
    const auto [k1, k2] = b.binary(b.entity("A"), b.relationship("R"), b.entity("B"));
    const auto place = [&](int k, float x1, float y1, float x2, float y2) {
        Line& line = b.d.connector(k).Line1;
        line.X1 = x1, line.Y1 = y1, line.X2 = x2, line.Y2 = y2;
    };
    place(k1, 100, 100, 200, 300);
    place(k2, 60, 130, 170, 130);
    const NearCase& c = GetParam();
    const int expected = c.hit == 1 ? k1 : c.hit == 2 ? k2 : 0;
    b.d.state.CurrentLine = 0;
    EXPECT_EQ(b.editor.drawingAreaRightDown(c.x, c.y, c.tolerance), expected != 0);
    EXPECT_EQ(b.d.state.CurrentLine, expected);
}

const NearCase kNearCases[] = {
    {"onTheLineWithoutATolerance", 110, 120, 0, 0},
    {"onTheLineFarFromItsMidpoint", 110, 120, 2, 1},
    {"fourUnitsAside", 113.578f, 118.211f, 5, 1},
    {"fourUnitsAsideBeyondThree", 113.578f, 118.211f, 3, 0},
    {"sixPastTheEnd", 100, 94, 5, 0},
    {"sixPastTheEndWithinSeven", 100, 94, 7, 1},
    {"nearerTheSloping", 126, 150, 25, 1},
    {"nearerTheLevel", 104, 133, 25, 2},
    {"aMidpointBeforeANearerLine", 116, 131, 5, 2},
    {"aMidpointWithoutATolerance", 116, 131, 0, 2},
};

INSTANTIATE_TEST_SUITE_P(Points, ConnectorNear, ::testing::ValuesIn(kNearCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(ConnectorNear, EitherDottedLineOfARecursivePairOpensItsMenu) {
    DiagramBuilder b;
    const int e = b.entity("E"), r = b.relationship("R");
    b.editor.elementLeftDown(r, 0, 0);
    b.editor.dropElement(r, 400, 300);
    const auto [k1, k2] = b.recursive(e, r);
    for (int k : {k1, k2}) {
        const Line& line = b.d.connector(k).Line1;
        ASSERT_TRUE(line.dotted());
        // A quarter of the way from the entity, well away from the midpoint.
        const float x = line.X1 + (line.X2 - line.X1) / 4, y = line.Y1 + (line.Y2 - line.Y1) / 4;
        ASSERT_EQ(b.editor.connectorAt(x, y), 0);
        b.d.checks.DescriptionEnabled = false;
        EXPECT_TRUE(b.editor.drawingAreaRightDown(x, y + 2, 4));
        EXPECT_EQ(b.d.state.CurrentLine, k);
        EXPECT_TRUE(b.d.checks.DescriptionEnabled);
    }
}

TEST(ConnectorMenu, AttributeConnectorsAreNeverHit) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a = b.attribute(e, "a");
    Line& line = b.d.connector(b.connector(e, a)).Line1;
    line.X1 = 0, line.Y1 = 0, line.X2 = 20, line.Y2 = 20;
    EXPECT_EQ(b.editor.connectorAt(10, 10), 0);
}

}  // namespace

namespace {

TEST(RelationshipConnection, TheLineMenuDuringModeFiveDoesNotRetargetTheConnection) {
    DiagramBuilder b;
    const int a = b.entity("A"), c = b.entity("C");
    const int other = b.relationship("Other");
    const auto [k1, k2] = b.binary(a, other, c);
    const int r = b.relationship("R");
    b.editor.toolbarButton("RelLine");
    b.click(a);
    b.click(r);
    const int pending = b.d.state.PendingLine;
    const Line& line = b.d.connector(k1).Line1;
    ASSERT_TRUE(b.editor.drawingAreaRightDown((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2));
    EXPECT_EQ(b.d.state.CurrentLine, k1);
    b.click(c);
    EXPECT_TRUE(b.d.connector(k1).joins(a, other));
    EXPECT_TRUE(b.d.connector(pending).joins(a, r));
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(),
              (std::vector<qint16>{qint16(a), qint16(c)}));
    (void)k2;
}

TEST(WeakEntity, DesignationDuringAnotherModeEndsThatModeFirst) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("R");
    b.binary(owner, r, weak);
    b.editor.toolbarButton("RelLine");
    b.click(weak);  // mode 4: the weak-to-be shows the selected colour
    b.editor.elementRightDown(weak);
    b.editor.menuWeakEntity(weak);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::IdentifyingRelationship);
    b.click(r);
    EXPECT_TRUE(b.d.element(weak).is(KindWeakEntity));
    for (int i = 1; i < b.d.elementCount(); ++i)
        EXPECT_EQ(b.d.element(i).BackColor, b.d.settings.WindowBackColor) << i;
}

TEST(WeakEntity, EntityOnAnOwnerLeavesTheIdentificationAlone) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(owner, r, weak);
    b.makeWeak(weak, r);
    b.editor.elementRightDown(owner);
    b.editor.menuEntity(owner);
    EXPECT_TRUE(b.d.element(r).is(KindWeakRelationship));
    EXPECT_TRUE(b.d.connector(k2).Line2.Visible);
    EXPECT_EQ(b.d.element(weak).WeakRelationList.items(), std::vector<qint16>{qint16(r)});
    (void)k1;
}

TEST(WeakEntity, AnEntityJoiningTheIdentifyingRelationshipLaterBecomesAnOwner) {
    DiagramBuilder b;
    const int o1 = b.entity("O1"), weak = b.entity("W"), o2 = b.entity("O2");
    const int r = b.relationship("R");
    b.binary(o1, r, weak);
    b.makeWeak(weak, r);
    b.join(o2, r);
    EXPECT_EQ(b.d.element(weak).PrimaryEntityList.items(),
              (std::vector<qint16>{qint16(o1), qint16(o2)}));
}

}  // namespace

namespace {

TEST(RelationshipConnection, CancelKeepsTheColourOfAnElementNeverHighlighted) {
    DiagramBuilder b;
    const int e = b.entity("E");
    // Loaded from a project drawn with other settings: its own colour is this user's candidate
    // colour, and it has no saved colour.
    b.d.element(e).BackColor = b.d.settings.CandidateColor;
    b.editor.cancel();
    EXPECT_EQ(b.d.element(e).BackColor, b.d.settings.CandidateColor);
}

// ---- the selection ----

TEST(Selection, AClickSelectsOutsideTheConnectModesOnly) {
    DiagramBuilder b;
    const int e = b.entity("E"), f = b.entity("F");
    b.click(e);
    EXPECT_EQ(b.d.view.selection, std::set<int>{e});
    b.click(f);
    EXPECT_EQ(b.d.view.selection, std::set<int>{f}) << "a click selects that element alone";

    b.editor.toolbarButton("AttLine");
    EXPECT_TRUE(b.d.view.selection.empty()) << "starting a connect mode lets go";
    b.click(e);
    EXPECT_TRUE(b.d.view.selection.empty()) << "a pick is no selection";
    b.editor.cancel();
    b.click(f);
    b.editor.cancel();
    EXPECT_TRUE(b.d.view.selection.empty()) << "Cancel (Esc) lets go";

    b.click(e);
    b.editor.clearSelection();
    b.editor.deleteSelection();
    EXPECT_TRUE(b.d.isLiveElement(e)) << "nothing selected, nothing deleted";
    b.click(e);
    b.editor.deleteSelection();
    EXPECT_FALSE(b.d.isLiveElement(e));
    EXPECT_TRUE(b.d.isLiveElement(f));
    EXPECT_TRUE(b.d.view.selection.empty());
}

}  // namespace

namespace {

// ---- highlights: the session's, not the document's ----

// A connect mode marks its candidates and picks in the editing session: entering and leaving it
// changes no element, announces none and leaves no step to take back.
TEST(Highlights, AModeMarksTheSessionAndLeavesTheDocumentAlone) {
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    const int e = b.entity("E");
    const int a = b.editor.createElement(KindAttribute);
    const Document before = b.d.document();
    const int steps = history.stack().count();
    std::vector<int> announced;
    QObject::connect(&b.d, &Diagram::changed, [&](const DiagramChange& change) {
        announced.insert(announced.end(), change.elements.begin(), change.elements.end());
    });

    for (const char* button : {"AttLine", "RelLine"}) {
        b.editor.toolbarButton(button);
        EXPECT_FALSE(b.d.view.highlights.empty()) << button;
        b.click(e);
        EXPECT_EQ(b.d.view.highlights.of(e), Highlight::Selected) << button;
        b.editor.cancel();
        EXPECT_TRUE(b.d.view.highlights.empty()) << button;
    }
    EXPECT_TRUE(announced.empty());
    for (int i = 0; i < b.d.elementCount(); ++i)
        EXPECT_TRUE(b.d.document().element(i) == before.element(i)) << i;
    EXPECT_EQ(history.stack().count(), steps) << "a cancelled mode is no step";

    // A finished connection is one step; taking it back leaves no highlight either.
    b.editor.toolbarButton("AttLine");
    b.click(e);
    b.click(a);
    ASSERT_EQ(history.stack().count(), steps + 1);
    b.editor.undo();
    EXPECT_TRUE(b.d.view.highlights.empty());
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
}

// A colour chosen for a marked element shows at once: the element is no candidate any more.
TEST(Highlights, AColourChosenDuringAModeEndsTheElementsHighlight) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a = b.editor.createElement(KindAttribute);
    b.editor.toolbarButton("AttLine");
    b.click(e);
    ASSERT_EQ(b.d.view.highlights.of(a), Highlight::Candidate);
    b.prompts.answerColour(0x00FF00);
    b.editor.color(a);
    EXPECT_EQ(b.d.shownColour(a), 0x00FF00u);
    b.click(a);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::Attribute) << "not picked";
    EXPECT_TRUE(b.d.element(e).AttributeList.isEmpty());
}

}  // namespace
