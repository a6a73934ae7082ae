#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "options.h"

// The model side of the options: colours put in force on a drawn diagram.
namespace {

TEST(ApplyColourChoice, ConnectorsKeepTheirKindWhenColoursTradePlaces) {
    DiagramBuilder b;
    const int e1 = b.entity("A");
    const int r = b.relationship("R");
    const int e2 = b.entity("B");
    const auto [k1, k2] = b.binary(e1, r, e2);
    const int a = b.attribute(e1, "Name");
    const int attributeLink = b.connector(e1, a);

    ColourChoice swapped = coloursInForce(b.d.settings);
    std::swap(swapped.attLine, swapped.relLine);
    applyColourChoice(b.d, swapped);

    EXPECT_TRUE(b.d.isAttributeConnector(attributeLink));
    EXPECT_TRUE(b.d.isRelationshipConnector(k1));
    EXPECT_TRUE(b.d.isRelationshipConnector(k2));
    EXPECT_EQ(b.d.connector(attributeLink).Line1.BorderColor, swapped.attLine);
}

TEST(ApplyColourChoice, UnchangedColoursTouchNothing) {
    DiagramBuilder b;
    const int e = b.entity("A");
    const int r = b.relationship("R");
    b.binary(e, r, b.entity("B"));
    b.editor.toolbarButton("RelLine");  // everything a candidate
    std::vector<OleColor> before;
    const Diagram& model = b.d;  // read without counting as a change
    for (int i = 1; i < model.elementCount(); ++i) before.push_back(model.element(i).BackColor);
    int notified = 0;
    QObject::connect(&b.d, &Diagram::changed, [&](const DiagramChange& change) {
        notified += int(change.elements.size() + change.connectors.size()) + change.reset;
    });

    b.editor.applySettings(b.d.settings, TemplateInsets{});
    EXPECT_EQ(notified, 0);
    for (int i = 1; i < b.d.elementCount(); ++i)
        EXPECT_EQ(b.d.element(i).BackColor, before[size_t(i - 1)]);
}

TEST(ApplyColourChoice, TheBackgroundReachesTheTemplateNotTheDrawnElements) {
    DiagramBuilder b;
    const int drawn = b.entity("Drawn");
    const OleColor old = b.d.element(drawn).BackColor;
    ColourChoice choice = coloursInForce(b.d.settings);
    choice.windowBack = 0xCCFFCC;
    applyColourChoice(b.d, choice);
    EXPECT_EQ(b.d.element(drawn).BackColor, old);
    EXPECT_EQ(b.d.element(0).BackColor, 0xCCFFCCu);
    EXPECT_EQ(b.d.element(b.entity("New")).BackColor, 0xCCFFCCu);
}

TEST(IsIdentifyingLink, OnlyTheWeakEntitysLinkToItsIdentifyingRelationship) {
    DiagramBuilder b;
    const int owner = b.entity("Owner");
    const int r = b.relationship("R");
    const int weak = b.entity("Weak");
    b.binary(owner, r, weak);
    EXPECT_FALSE(isIdentifyingLink(b.d, weak, r)) << "not weak yet";
    b.makeWeak(weak, r);
    EXPECT_TRUE(isIdentifyingLink(b.d, weak, r));
    EXPECT_FALSE(isIdentifyingLink(b.d, owner, r));
    EXPECT_FALSE(isIdentifyingLink(b.d, 99, 1));
    EXPECT_FALSE(isIdentifyingLink(b.d, -1, r));
}

}  // namespace
