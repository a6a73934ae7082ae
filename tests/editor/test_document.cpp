#include <gtest/gtest.h>

#include "diagrambuilder.h"

namespace {

// A copy of the document is a snapshot: whatever changes in it afterwards, collections included,
// leaves the original as it was (and the other way round).
TEST(Document, ACopyIsIndependentOfTheOriginal) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a = b.attribute(e, "id", true);
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e, r, b.entity("F"));
    const Document original = b.d.document();

    Document copy = original;
    copy.element(e).Caption = "changed";
    copy.element(e).AttributeList.clear();
    copy.element(r).RelativeEntityList.add(99, "99");
    copy.connector(k1).Line1.Visible = false;
    copy.loadConnector(ConnectorKind::Relationship, a, r);

    EXPECT_EQ(original.element(e).Caption, "E");
    EXPECT_EQ(original.element(e).AttributeList.items(), std::vector<qint16>{qint16(a)});
    EXPECT_EQ(original.element(r).RelativeEntityList.count(), 2);
    EXPECT_TRUE(original.connector(k1).Line1.Visible);
    EXPECT_EQ(original.connectorCount(), k2 + 1);
    EXPECT_EQ(original.connectorsOf(r), (std::vector<int>{k1, k2}));

    // The editor's diagram held its own document all along.
    EXPECT_EQ(b.d.element(e).Caption, "E");
    EXPECT_EQ(b.d.element(r).RelativeEntityList.count(), 2);
    b.d.element(e).RelationList.clear();
    EXPECT_EQ(original.element(e).RelationList.items(), std::vector<qint16>{qint16(r)});
}

// Every command ends with one change notice naming what it changed.
TEST(Document, ACommandAnnouncesItsChangesOnce) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int f = b.entity("F");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e, r, f);
    std::vector<DiagramChange> notices;
    QObject::connect(&b.d, &Diagram::changed,
                     [&](const DiagramChange& change) { notices.push_back(change); });

    b.editor.elementLeftDown(r, 0, 0);
    notices.clear();
    b.editor.dropElement(r, 400, 300);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].elements, std::vector<int>{r});
    EXPECT_EQ(notices[0].connectors, (std::vector<int>{k1, k2}));
}

// A command that asks the user shows its work so far while the question waits, and still names
// everything it changed when it ends.
TEST(Document, ACommandThatAsksAnnouncesBeforeTheQuestionAndAtItsEnd) {
    DiagramBuilder b;
    const auto [k1, k2] = b.binary(b.entity("E"), b.relationship("R"), b.entity("F"));
    std::vector<DiagramChange> notices;
    QObject::connect(&b.d, &Diagram::changed,
                     [&](const DiagramChange& change) { notices.push_back(change); });
    b.prompts.answer("1,N");
    b.editor.participation(k1);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].connectors, std::vector<int>{k1});
    EXPECT_EQ(notices[1].connectors, std::vector<int>{k1});
    EXPECT_EQ(b.d.connector(k1).MN.Caption, "1,N");
}

}  // namespace
