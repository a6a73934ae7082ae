#include <gtest/gtest.h>

#include <map>

#include "diagrambuilder.h"

namespace {

using Items = std::vector<qint16>;

bool connectorHidden(const Diagram& d, int k) {
    const Connector& c = d.connector(k);
    return !c.Line1.Visible && !c.Line2.Visible && !c.MN.Visible && !c.Description.Visible;
}

void deleteViaMenu(DiagramBuilder& b, int i) {
    switch (b.editor.elementRightDown(i)) {
        case Editor::Popup::Entity:
            b.editor.deleteEntity(i);
            break;
        case Editor::Popup::Attribute:
            b.editor.deleteAttribute(i);
            break;
        case Editor::Popup::Relationship:
            b.editor.deleteRelationship(i);
            break;
        case Editor::Popup::Specialization:
            b.editor.deleteSpecialization(i);
            break;
        case Editor::Popup::None:
            break;
    }
}

void deleteLine(DiagramBuilder& b, int k) {
    b.d.state.CurrentLine = qint16(k);
    b.editor.deleteConnector(k);
}

// ---- entities ----

TEST(DeleteEntity, TakesItsAttributesAndLinksButLeavesTheRelationship) {
    DiagramBuilder b;
    const int e = b.entity("Employee"), other = b.entity("Department");
    const int a1 = b.attribute(e, "id", true), a2 = b.attribute(e, "name");
    const int r = b.relationship("WorksFor");
    const auto [k1, k2] = b.binary(e, r, other);
    b.setParticipation(k1, "1,N");
    const int ka1 = b.connector(e, a1), ka2 = b.connector(e, a2);

    deleteViaMenu(b, e);

    for (const int i : {e, a1, a2}) EXPECT_FALSE(b.d.element(i).Visible) << i;
    for (const int k : {k1, ka1, ka2}) EXPECT_TRUE(connectorHidden(b.d, k)) << k;
    EXPECT_TRUE(b.d.element(r).Visible);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(), Items{qint16(other)});
    EXPECT_TRUE(b.d.connector(k2).Line1.Visible);
    EXPECT_TRUE(b.d.element(e).AttributeList.isEmpty());
    EXPECT_EQ(b.d.element(e).RelationList.items(), Items{qint16(r)});  // kept on the hidden entity
    EXPECT_EQ(b.d.state.ContextElement, e);
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST(DeleteEntity, RemovesBothEntriesOfARecursiveRelationship) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.recursive(e, r);
    deleteViaMenu(b, e);
    EXPECT_TRUE(b.d.element(r).RelativeEntityList.isEmpty());
    EXPECT_TRUE(connectorHidden(b.d, k1));
    EXPECT_TRUE(connectorHidden(b.d, k2));
}

// An entity's attributes go one after another whether its list is as drawing files it or holds
// a stray entry as well (an element long deleted, filed without a key): both diagrams end alike,
// entry for entry, whatever way each list is worked through.
TEST(DeleteEntity, ItsAttributesGoAlikeWithOrWithoutAStrayEntryInItsList) {
    DiagramBuilder b;
    const int e = b.entity("E"), other = b.entity("F");
    const int stray = b.attribute(e, "old");
    b.editor.deleteAttribute(stray);
    b.attribute(e, "id", true);
    const int address = b.attribute(e, "Address");
    const int street = b.attribute(address, "Street");
    b.attribute(street, "Number");
    b.attribute(address, "City");
    for (int n = 0; n < 20; ++n) b.attribute(e, QStringLiteral("a%1").arg(n));
    const int r = b.relationship("R");
    b.binary(e, r, other);

    DiagramBuilder damaged;
    damaged.editor.replaceDiagram(b.d.document());
    damaged.d.element(e).AttributeList.add(qint16(stray));

    b.editor.deleteEntity(e);
    damaged.editor.deleteEntity(e);
    const Document& want = b.d.document();
    const Document& got = damaged.d.document();
    ASSERT_EQ(got.elementCount(), want.elementCount());
    ASSERT_EQ(got.connectorCount(), want.connectorCount());
    for (int i = 0; i < want.elementCount(); ++i)
        EXPECT_TRUE(got.element(i) == want.element(i)) << "element " << i;
    for (int k = 0; k < want.connectorCount(); ++k)
        EXPECT_TRUE(got.connector(k) == want.connector(k)) << "connector " << k;
    EXPECT_FALSE(want.element(street).Visible);
    EXPECT_TRUE(want.element(e).AttributeList.isEmpty());
}

TEST(DeleteEntity, AWeakEntityIsRefused) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("Has");
    b.binary(owner, r, weak);
    b.attribute(weak, "no", true);
    b.makeWeak(weak, r);
    deleteViaMenu(b, weak);
    EXPECT_EQ(b.prompts.messages,
              QStringList{"弱實體型態不可直接刪除, 請先更新為實體型態(未確定)"});
    EXPECT_TRUE(b.d.element(weak).Visible);
    EXPECT_EQ(b.d.element(weak).AttributeList.count(), 1);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.count(), 2);
}

TEST(DeleteEntity, AnOwnerLeavesTheWeakEntitysOwnerList) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("Has");
    b.binary(owner, r, weak);
    b.makeWeak(weak, r);
    ASSERT_EQ(b.d.element(weak).PrimaryEntityList.items(), Items{qint16(owner)});
    deleteViaMenu(b, owner);
    EXPECT_FALSE(b.d.element(owner).Visible);
    EXPECT_TRUE(b.d.element(weak).PrimaryEntityList.isEmpty());
    EXPECT_EQ(b.d.element(weak).WeakRelationList.items(), Items{qint16(r)});
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(), Items{qint16(weak)});
}

TEST(DeleteEntity, AConnectorLeftByACancelledConnectionGoesToo) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.entity("F");
    const int r = b.relationship("R");
    b.editor.toolbarButton("RelLine");
    b.click(e);
    b.click(r);
    const int pending = b.d.state.CurrentLine;
    b.editor.cancel();
    deleteViaMenu(b, e);
    EXPECT_TRUE(connectorHidden(b.d, pending));
}

// ---- relationships ----

TEST(DeleteRelationship, AnIdentifyingRelationshipIsRefusedByName) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("Has");
    b.binary(owner, r, weak);
    b.makeWeak(weak, r);
    deleteViaMenu(b, r);
    EXPECT_EQ(b.prompts.messages,
              QStringList{"識別關係型態 Has 不可直接刪除, 請先作弱實體型態的更新"});
    EXPECT_TRUE(b.d.element(r).Visible);
    EXPECT_TRUE(b.d.element(weak).RelationList.containsItem(qint16(r)));
}

TEST(DeleteRelationship, UnlinksEveryParticipantAndHidesBothDottedConnectors) {
    DiagramBuilder b;
    const int e = b.entity("E"), f = b.entity("F");
    const int rec = b.relationship("Rec"), bin = b.relationship("Bin");
    const auto [k1, k2] = b.recursive(e, rec);
    const auto [k3, k4] = b.binary(e, bin, f);
    const int a = b.attribute(rec, "since");
    const int ka = b.connector(rec, a);

    deleteViaMenu(b, rec);

    EXPECT_FALSE(b.d.element(rec).Visible);
    EXPECT_FALSE(b.d.element(a).Visible);
    for (const int k : {k1, k2}) EXPECT_TRUE(connectorHidden(b.d, k)) << k;
    EXPECT_FALSE(b.d.connector(ka).Line1.Visible);
    EXPECT_EQ(b.d.element(e).RelationList.items(), Items{qint16(bin)});
    EXPECT_TRUE(b.d.connector(k3).Line1.Visible);
    EXPECT_TRUE(b.d.connector(k4).Line1.Visible);
    // The hidden relationship keeps its participants listed.
    EXPECT_EQ(b.d.element(rec).RelativeEntityList.count(), 2);
    EXPECT_EQ(b.d.state.ContextElement, rec);
}

TEST(DeleteRelationship, AConnectorNoParticipantListsIsHiddenToo) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.entity("F");
    const int r = b.relationship("R");
    b.editor.toolbarButton("RelLine");
    b.click(e);
    b.click(r);
    const int pending = b.d.state.CurrentLine;
    b.editor.cancel();
    deleteViaMenu(b, r);
    EXPECT_TRUE(connectorHidden(b.d, pending));
}

// ---- connectors ----

TEST(DeleteConnector, UnlinksTheEntityFromTheRelationship) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B"), e3 = b.entity("C");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e1, r, e2);
    const int k3 = b.join(e3, r);
    deleteLine(b, k2);
    EXPECT_TRUE(connectorHidden(b.d, k2));
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(), (Items{qint16(e1), qint16(e3)}));
    EXPECT_TRUE(b.d.element(e2).RelationList.isEmpty());
    EXPECT_TRUE(b.d.connector(k1).Line1.Visible);
    EXPECT_TRUE(b.d.connector(k3).Line1.Visible);
}

TEST(DeleteConnector, OneOfARecursivePairLeavesOneOrdinaryLink) {
    DiagramBuilder b;
    const int e = b.entity("Employee");
    const int r = b.relationship("Supervises");
    const auto [k1, k2] = b.recursive(e, r);
    b.setParticipation(k2, "0,N");
    b.setRole(k1, "boss");
    b.setRole(k2, "worker");
    deleteLine(b, k1);

    EXPECT_TRUE(connectorHidden(b.d, k1));
    const Connector& survivor = b.d.connector(k2);
    EXPECT_TRUE(survivor.Line1.Visible);
    EXPECT_FALSE(survivor.Line1.dotted());
    EXPECT_EQ(survivor.Description.Caption, "");
    EXPECT_FALSE(survivor.Description.Visible);
    EXPECT_EQ(survivor.MN.Caption, "0,N");
    const Collection& related = b.d.element(r).RelativeEntityList;
    EXPECT_EQ(related.items(), Items{qint16(e)});
    EXPECT_TRUE(related.containsKey(QString::number(e)));
    EXPECT_EQ(b.d.element(e).RelationList.items(), Items{qint16(r)});

    // Deleting the survivor then unlinks them completely.
    deleteLine(b, k2);
    EXPECT_TRUE(related.isEmpty());
    EXPECT_TRUE(b.d.element(e).RelationList.isEmpty());
}

TEST(DeleteConnector, TheIdentifyingLinkIsRefusedTheOwnersLinkDropsTheOwner) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("Has");
    const auto [ko, kw] = b.binary(owner, r, weak);
    b.makeWeak(weak, r);
    deleteLine(b, kw);
    EXPECT_EQ(b.prompts.messages,
              QStringList{"識別關係型態 Has 的連線不可直接刪除, 請先作弱實體型態的更新"});
    EXPECT_TRUE(b.d.connector(kw).Line2.Visible);
    EXPECT_TRUE(b.d.element(weak).RelationList.containsItem(qint16(r)));

    deleteLine(b, ko);
    EXPECT_TRUE(connectorHidden(b.d, ko));
    EXPECT_TRUE(b.d.element(weak).PrimaryEntityList.isEmpty());
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(), Items{qint16(weak)});
}

TEST(DeleteConnector, AnOwnerThroughAnotherIdentifyingRelationshipStaysOwner) {
    DiagramBuilder b;
    const int o = b.entity("O"), p = b.entity("P"), w = b.entity("W");
    const int r1 = b.relationship("R1"), r2 = b.relationship("R2");
    b.binary(o, r1, w);
    b.binary(p, r2, w);
    b.makeWeak(w, r1);
    b.makeWeak(w, r2);
    ASSERT_EQ(b.d.element(w).PrimaryEntityList.items(), (Items{qint16(o), qint16(p)}));
    const int late = b.join(o, r2);  // joins after the designation: no owner through r2
    deleteLine(b, late);
    EXPECT_EQ(b.d.element(w).PrimaryEntityList.items(), (Items{qint16(o), qint16(p)}));
    deleteLine(b, b.connector(o, r1));
    EXPECT_EQ(b.d.element(w).PrimaryEntityList.items(), Items{qint16(p)});
}

TEST(DeleteConnector, AHiddenOrUnknownConnectorIsIgnored) {
    DiagramBuilder b;
    const int e = b.entity("A"), f = b.entity("B");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e, r, f);
    deleteLine(b, k1);
    deleteLine(b, k1);
    deleteLine(b, 0);
    deleteLine(b, 77);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(), Items{qint16(f)});
    EXPECT_TRUE(b.d.connector(k2).Line1.Visible);
}

// ---- attributes ----

class MultivaluedOwner : public ::testing::TestWithParam<std::pair<int, int>> {};

// A multivalued attribute with n components loses one: with exactly one left it becomes an
// ordinary attribute.
TEST_P(MultivaluedOwner, TurnsOrdinaryWithExactlyOneComponentLeft) {
    const auto [components, kindAfter] = GetParam();
    DiagramBuilder b;
    const int e = b.entity("E");
    const int m = b.multAttribute(e, "Phones");
    std::vector<int> subs;
    for (int n = 0; n < components; ++n) subs.push_back(b.attribute(m, QString("p%1").arg(n)));
    deleteViaMenu(b, subs.front());
    EXPECT_EQ(b.d.element(m).Shape, float(kindAfter));
    EXPECT_EQ(b.d.element(m).AttributeList.count(), components - 1);
    EXPECT_FALSE(b.d.element(subs.front()).Visible);
    EXPECT_FALSE(b.d.connector(b.connector(m, subs.front())).Line1.Visible);
}

INSTANTIATE_TEST_SUITE_P(Components, MultivaluedOwner,
                         ::testing::Values(std::pair{1, int(KindMultAttribute)},
                                           std::pair{2, int(KindAttribute)},
                                           std::pair{3, int(KindMultAttribute)}));

TEST(DeleteAttribute, TakesDirectSubAttributesAndFreesTheirOwn) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int address = b.attribute(e, "Address");
    const int street = b.attribute(address, "Street");
    const int number = b.attribute(street, "Number");
    const int city = b.attribute(address, "City");
    const int kAddress = b.connector(e, address), kStreet = b.connector(address, street);
    const int kNumber = b.connector(street, number), kCity = b.connector(address, city);

    deleteViaMenu(b, address);

    for (const int i : {address, street, city}) EXPECT_FALSE(b.d.element(i).Visible) << i;
    for (const int k : {kAddress, kStreet, kCity})
        EXPECT_FALSE(b.d.connector(k).Line1.Visible) << k;
    EXPECT_TRUE(b.d.element(e).AttributeList.isEmpty());
    EXPECT_TRUE(b.d.element(address).AttributeList.isEmpty());
    EXPECT_TRUE(b.d.element(address).RelativeEntityList.isEmpty());
    // The sub-attribute's own sub-attribute stays, without an owner and without a line to one.
    EXPECT_TRUE(b.d.element(number).Visible);
    EXPECT_TRUE(b.d.element(number).RelativeEntityList.isEmpty());
    EXPECT_FALSE(b.d.connector(kNumber).Line1.Visible);
    EXPECT_TRUE(b.d.element(street).AttributeList.isEmpty());
    // It can be given a new owner.
    b.editor.toolbarButton("AttLine");
    b.click(e);
    b.click(number);
    EXPECT_EQ(b.d.element(number).RelativeEntityList.items(), Items{qint16(e)});
}

TEST(DeleteAttribute, TwoAttributesOwningEachOtherBothGo) {
    DiagramBuilder b;
    const int a1 = b.editor.createElement(KindAttribute);
    const int a2 = b.attribute(a1, "a2");
    b.editor.toolbarButton("AttLine");
    b.click(a2);
    b.click(a1);
    ASSERT_EQ(b.d.element(a1).RelativeEntityList.items(), Items{qint16(a2)});
    deleteViaMenu(b, a1);
    EXPECT_FALSE(b.d.element(a1).Visible);
    EXPECT_FALSE(b.d.element(a2).Visible);
    for (int k = 1; k < b.d.connectorCount(); ++k)
        EXPECT_FALSE(b.d.connector(k).Line1.Visible) << k;
}

// ---- the Delete key ----

struct DeleteKeyCase {
    const char* name;
    int kind;
    bool deleted;
};

class DeleteKey : public ::testing::TestWithParam<DeleteKeyCase> {};

TEST_P(DeleteKey, RunsTheMenuCommandOfTheElementsKind) {
    DiagramBuilder b;
    const int owner = b.entity("O"), weak = b.entity("W");
    const int r = b.relationship("Has");
    b.binary(owner, r, weak);
    const int attribute = b.attribute(owner, "a");
    const int mult = b.multAttribute(owner, "m");
    const int plainR = b.relationship("Plain");
    b.makeWeak(weak, r);
    const std::map<int, int> byKind{{KindEntity, owner},        {KindWeakEntity, weak},
                                    {KindAttribute, attribute}, {KindMultAttribute, mult},
                                    {KindRelationship, plainR}, {KindWeakRelationship, r}};
    const int i = byKind.at(GetParam().kind);
    b.d.state.ContextElement = 0;
    b.editor.deleteElement(i);
    EXPECT_EQ(b.d.state.ContextElement, i);
    EXPECT_EQ(b.d.element(i).Visible, !GetParam().deleted);
    EXPECT_EQ(b.prompts.messages.isEmpty(), GetParam().deleted);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DeleteKey,
                         ::testing::Values(DeleteKeyCase{"Entity", KindEntity, true},
                                           DeleteKeyCase{"WeakEntity", KindWeakEntity, false},
                                           DeleteKeyCase{"Attribute", KindAttribute, true},
                                           DeleteKeyCase{"MultAttribute", KindMultAttribute, true},
                                           DeleteKeyCase{"Relationship", KindRelationship, true},
                                           DeleteKeyCase{"WeakRelationship", KindWeakRelationship,
                                                         false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeleteKey, AHiddenElementIsLeftAlone) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.editor.deleteElement(e);
    b.d.state.ContextElement = 0;
    b.editor.deleteElement(e);
    b.editor.deleteElement(0);
    b.editor.deleteElement(500);
    EXPECT_EQ(b.d.state.ContextElement, 0);
}

// ---- deleting what a running connect mode has picked ----

TEST(DeleteDuringConnection, DeletingThePickedEntityEndsTheMode) {
    DiagramBuilder b;
    const int e = b.entity("E"), f = b.entity("F");
    const int r = b.relationship("R");
    b.editor.toolbarButton("RelLine");
    b.click(e);
    b.click(r);
    const int pending = b.d.state.CurrentLine;
    ASSERT_EQ(b.d.state.ConnectMode, ConnectMode::SecondEntity);
    deleteViaMenu(b, e);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    EXPECT_TRUE(b.d.view.toolbarEnabled);
    EXPECT_TRUE(connectorHidden(b.d, pending));
    b.click(f);
    EXPECT_TRUE(b.d.element(r).RelativeEntityList.isEmpty());
    for (const int i : {f, r}) EXPECT_EQ(b.d.element(i).BackColor, b.d.settings.WindowBackColor);
}

TEST(DeleteDuringConnection, DeletingThePickedOwnerEndsTheMode) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a = b.editor.createElement(KindAttribute);
    b.editor.toolbarButton("AttLine");
    b.click(e);
    deleteViaMenu(b, e);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);
    b.click(a);
    EXPECT_TRUE(b.d.element(a).RelativeEntityList.isEmpty());
}

TEST(DeleteDuringConnection, AnUnrelatedDeletionLetsTheModeGoOn) {
    DiagramBuilder b;
    const int e = b.entity("E"), f = b.entity("F"), g = b.entity("G");
    const int r = b.relationship("R");
    b.editor.toolbarButton("RelLine");
    b.click(e);
    b.click(r);
    deleteViaMenu(b, g);
    EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::SecondEntity);
    b.click(f);
    EXPECT_EQ(b.d.element(r).RelativeEntityList.items(), (Items{qint16(e), qint16(f)}));
}

}  // namespace
