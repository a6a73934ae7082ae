#include <gtest/gtest.h>

#include <tuple>

#include "diagrambuilder.h"
#include "geometry.h"
#include "history.h"
#include "module1.h"

namespace {

// ---- ReName ----

struct RenameCase {
    Editor::Menu menu;
    int kind;
    const char* prompt;
    const char* title;
};

class Rename : public ::testing::TestWithParam<RenameCase> {
protected:
    // An element of the case's kind, right-clicked so that it is the menu's target.
    int target(DiagramBuilder& b, const QString& caption) {
        const int i = b.editor.createElement(GetParam().kind);
        b.d.element(i).Caption = caption;
        b.editor.elementRightDown(i);
        return i;
    }
};

TEST_P(Rename, AsksWithTheMenusTextsAndTheCurrentName) {
    DiagramBuilder b;
    const int i = target(b, "Old");
    b.prompts.answer("新名稱");
    b.editor.rename(GetParam().menu, i);
    ASSERT_EQ(b.prompts.inputRequests.size(), 1u);
    EXPECT_EQ(b.prompts.inputRequests[0].prompt, QString::fromUtf8(GetParam().prompt));
    EXPECT_EQ(b.prompts.inputRequests[0].title, QString::fromUtf8(GetParam().title));
    EXPECT_EQ(b.prompts.inputRequests[0].defaultText, "Old");
    EXPECT_EQ(b.d.element(i).Caption, "新名稱");
}

TEST_P(Rename, AnEmptyAnswerEmptiesTheNameButCancelKeepsIt) {
    DiagramBuilder b;
    const int i = target(b, "Old");
    b.prompts.answerCancel();
    b.editor.rename(GetParam().menu, i);
    EXPECT_EQ(b.d.element(i).Caption, "Old");
    b.prompts.answer("");
    b.editor.rename(GetParam().menu, i);
    EXPECT_EQ(b.d.element(i).Caption, "");
}

// After a rename the element is as Resize would make it, so a Resize that follows changes
// nothing; the other elements keep their sizes, and undo takes name, size and lines back at once.
TEST(RenameFit, AnUnlockedElementFitsItsNewNameInTheSameStep) {
    DiagramBuilder b;
    History history(b.d);
    b.editor.setHistory(&history);
    const int e1 = b.entity("A"), r = b.relationship("R"), e2 = b.entity("B");
    b.binary(e1, r, e2);
    b.attribute(r, "since");
    b.editor.resizeToCaptions();
    const Document fitted = b.d.document();

    b.editor.elementRightDown(r);
    b.prompts.answer("a much longer name than before");
    b.editor.rename(Editor::Menu::Relationship, r);
    EXPECT_EQ(history.stack().undoText(), "重新命名 R");
    EXPECT_GT(b.d.element(r).Width, fitted.element(r).Width);
    EXPECT_EQ(b.d.element(e1), fitted.element(e1));
    const Document renamed = b.d.document();
    b.editor.resizeToCaptions();
    for (int i = 1; i < renamed.elementCount(); ++i)
        EXPECT_EQ(b.d.element(i), renamed.element(i)) << "element " << i;
    for (int k = 1; k < renamed.connectorCount(); ++k)
        EXPECT_EQ(b.d.connector(k), renamed.connector(k)) << "connector " << k;

    EXPECT_EQ(history.stack().undoText(), "重新命名 R") << "a Resize that changes nothing";
    b.editor.undo();
    for (int k = 1; k < fitted.connectorCount(); ++k)
        EXPECT_EQ(b.d.connector(k), fitted.connector(k)) << "connector " << k;
    EXPECT_EQ(b.d.element(r), fitted.element(r));
}

TEST(RenameFit, ALockedElementKeepsItsSize) {
    DiagramBuilder b;
    const int a = b.editor.createElement(KindAttribute);
    b.editor.elementRightDown(a);
    b.editor.lockSize(Editor::Menu::Attribute, a);
    const float width = b.d.element(a).Width, height = b.d.element(a).Height;
    b.prompts.answer("a much longer name than before");
    b.editor.rename(Editor::Menu::Attribute, a);
    EXPECT_EQ(b.d.element(a).Width, width);
    EXPECT_EQ(b.d.element(a).Height, height);
}

INSTANTIATE_TEST_SUITE_P(Menus, Rename,
                         ::testing::Values(RenameCase{Editor::Menu::Entity, KindEntity,
                                                      "Entity的名稱為...", "Name for Entity"},
                                           RenameCase{Editor::Menu::Attribute, KindAttribute,
                                                      "Attribute的名稱為...", "Name for Attribute"},
                                           RenameCase{Editor::Menu::Relationship, KindRelationship,
                                                      "Relationship的名稱為...",
                                                      "Name for Relationship"}));

// ---- Lock Size ----

struct LockCase {
    Editor::Menu menu;
    int kind;
    bool MenuChecks::*check;
};

class LockSize : public ::testing::TestWithParam<LockCase> {};

TEST_P(LockSize, FlipsTheMenusOwnCheckAndCopiesItToTheElement) {
    DiagramBuilder b;
    const int i = b.editor.createElement(GetParam().kind);
    b.editor.elementRightDown(i);
    const MenuChecks before = b.d.checks;
    b.editor.lockSize(GetParam().menu, i);
    EXPECT_TRUE(b.d.checks.*GetParam().check);
    EXPECT_TRUE(b.d.element(i).IsSizeLock);
    // The other menus' checks are theirs.
    for (bool MenuChecks::*other : {&MenuChecks::EntityLockSize, &MenuChecks::AttributeLockSize,
                                    &MenuChecks::RelationshipLockSize})
        if (other != GetParam().check) {
            EXPECT_EQ(b.d.checks.*other, before.*other);
        }

    b.editor.elementRightDown(i);
    b.editor.lockSize(GetParam().menu, i);
    EXPECT_FALSE(b.d.checks.*GetParam().check);
    EXPECT_FALSE(b.d.element(i).IsSizeLock);
}

INSTANTIATE_TEST_SUITE_P(Menus, LockSize,
                         ::testing::Values(LockCase{Editor::Menu::Entity, KindEntity,
                                                    &MenuChecks::EntityLockSize},
                                           LockCase{Editor::Menu::Attribute, KindMultAttribute,
                                                    &MenuChecks::AttributeLockSize},
                                           LockCase{Editor::Menu::Relationship, KindRelationship,
                                                    &MenuChecks::RelationshipLockSize}));

// ---- Bigger and Smaller ----

TEST(Resize, BiggerThenSmallerDoesNotRestoreTheSize) {
    DiagramBuilder b;
    const int e = b.entity("E");
    Element& el = b.d.element(e);
    el.Width = 100;
    el.Height = 50;
    const float left = el.Left, top = el.Top;
    b.editor.elementRightDown(e);
    b.editor.bigger(e);
    EXPECT_EQ(el.Width, 110.0f);
    EXPECT_EQ(el.Height, 55.0f);
    b.editor.smaller(e);
    EXPECT_EQ(el.Width, 99.0f);
    EXPECT_EQ(el.Height, 49.5f);
    EXPECT_EQ(el.Left, left);
    EXPECT_EQ(el.Top, top);
}

TEST(Resize, LockedElementsStillResize) {
    DiagramBuilder b;
    const int a = b.editor.createElement(KindAttribute);
    b.editor.elementRightDown(a);
    b.editor.lockSize(Editor::Menu::Attribute, a);
    const float width = b.d.element(a).Width;
    b.editor.smaller(a);
    EXPECT_FLOAT_EQ(b.d.element(a).Width, width * 0.9f);
    EXPECT_TRUE(b.d.element(a).IsSizeLock);
}

TEST(Resize, ConnectorsOfTheElementFollowAndOthersStay) {
    DiagramBuilder b;
    const int e1 = b.entity("A"), e2 = b.entity("B");
    const int r = b.relationship("R");
    const auto [k1, k2] = b.binary(e1, r, e2);
    const int ka = b.connector(e1, b.attribute(e1, "id", true));
    const int other = b.entity("C");
    const int kc = b.connector(other, b.attribute(other, "x"));
    // Make k1 a doubled connector so that its second line has to follow as well.
    b.d.connector(k1).Line2.Visible = true;
    b.d.connector(kc).Line1.X1 = 4321;  // a mark that only a layout of kc would overwrite
    const Line before = b.d.connector(k1).Line1;
    b.editor.elementRightDown(e1);
    b.editor.bigger(e1);
    // The relationship lies to the right of the entity: the line leaves from its grown right side.
    EXPECT_GT(b.d.connector(k1).Line1.X1, before.X1);

    for (const int k : {k1, ka}) {
        const Connector& c = b.d.connector(k);
        Line line = c.Line1;
        Label mn = c.MN;
        PlaceLine(b.d, qint16(e1), c.second, line, mn, false);
        EXPECT_EQ(c.Line1.X1, line.X1) << k;
        EXPECT_EQ(c.Line1.Y1, line.Y1) << k;
        EXPECT_EQ(c.Line1.X2, line.X2) << k;
        EXPECT_EQ(c.Line1.Y2, line.Y2) << k;
    }
    Line second = b.d.connector(k1).Line2;
    Label mn = b.d.connector(k1).MN;
    PlaceLine(b.d, qint16(e1), qint16(r), second, mn, true);
    EXPECT_EQ(b.d.connector(k1).Line2.X1, second.X1);
    EXPECT_EQ(b.d.connector(k1).Line2.Y2, second.Y2);
    EXPECT_EQ(b.d.connector(k1).MN.Left, mn.Left);
    EXPECT_EQ(b.d.connector(k1).MN.Top, mn.Top);
    EXPECT_EQ(b.d.connector(kc).Line1.X1, 4321);
    (void)k2;
}

// Builds an entity with a recursive relationship whose first connector is doubled.
struct RecursiveDiagram {
    DiagramBuilder b;
    int e = 0, r = 0, k1 = 0, k2 = 0;

    RecursiveDiagram() {
        e = b.entity("Employee");
        r = b.relationship("Supervises");
        std::tie(k1, k2) = b.recursive(e, r);
        b.setRole(k1, "boss");
        b.setRole(k2, "worker");
        b.d.connector(k1).Line2.Visible = true;
        b.d.connector(k1).Line2.BorderStyle = kLineDotted;
    }
};

void expectSameLayout(const Connector& got, const Connector& want, int k) {
    for (const auto& [g, w] : {std::pair{&got.Line1, &want.Line1}, {&got.Line2, &want.Line2}}) {
        EXPECT_EQ(g->X1, w->X1) << k;
        EXPECT_EQ(g->Y1, w->Y1) << k;
        EXPECT_EQ(g->X2, w->X2) << k;
        EXPECT_EQ(g->Y2, w->Y2) << k;
        EXPECT_EQ(g->Visible, w->Visible) << k;
    }
    EXPECT_EQ(got.MN.Left, want.MN.Left) << k;
    EXPECT_EQ(got.MN.Top, want.MN.Top) << k;
    EXPECT_EQ(got.Description.Left, want.Description.Left) << k;
    EXPECT_EQ(got.Description.Top, want.Description.Top) << k;
}

TEST(Resize, RecursiveConnectorsFollowWithTheRecursiveLayout) {
    RecursiveDiagram resized;
    resized.b.editor.elementRightDown(resized.e);
    resized.b.editor.bigger(resized.e);

    // The same diagram, grown by hand and laid out with the recursive routine directly.
    RecursiveDiagram expected;
    Diagram& d = expected.b.d;
    Element& entity = d.element(expected.e);
    entity.Width = float(double(entity.Width) * 1.1);
    entity.Height = float(double(entity.Height) * 1.1);
    for (const int k : {expected.k1, expected.k2}) {
        Connector& c = d.connector(k);
        PlaceRecursiveLine(d, qint16(expected.e), qint16(expected.r), qint16(k), c.MN,
                           c.Description, false);
        if (c.Line2.Visible)
            PlaceRecursiveLine(d, qint16(expected.e), qint16(expected.r), qint16(k), c.MN,
                               c.Description, true);
    }

    EXPECT_EQ(resized.b.d.element(resized.e).Width, entity.Width);
    for (const int k : {expected.k1, expected.k2})
        expectSameLayout(resized.b.d.connector(k), d.connector(k), k);
    // The ordinary layout would put both lines on the same pair of sides.
    const Line& first = resized.b.d.connector(resized.k1).Line1;
    const Line& second = resized.b.d.connector(resized.k2).Line1;
    EXPECT_TRUE(first.X1 != second.X1 || first.Y1 != second.Y1);
}

TEST(Resize, TheRelationshipOfARecursivePairMovesBothConnectorsToo) {
    RecursiveDiagram resized;
    resized.b.editor.elementRightDown(resized.r);
    resized.b.editor.smaller(resized.r);

    RecursiveDiagram expected;
    Diagram& d = expected.b.d;
    Element& relationship = d.element(expected.r);
    relationship.Width = float(double(relationship.Width) * 0.9);
    relationship.Height = float(double(relationship.Height) * 0.9);
    for (const int k : {expected.k1, expected.k2}) expected.b.editor.layoutConnector(k);
    for (const int k : {expected.k1, expected.k2})
        expectSameLayout(resized.b.d.connector(k), d.connector(k), k);
}

// ---- Color ----

struct ColourCase {
    const char* name;
    OleColor ProgramSettings::*refused;  // nullptr: an ordinary colour
    const char* message;
};

class Colour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(Colour, HighlightColoursAreRefusedOthersTaken) {
    DiagramBuilder b;
    const int r = b.relationship("R");
    b.d.element(r).BackColor = 0x123456;
    b.editor.elementRightDown(r);
    const OleColor chosen = GetParam().refused ? b.d.settings.*GetParam().refused : 0x00FF00;
    b.prompts.answerColour(chosen);
    b.editor.color(r);
    ASSERT_EQ(b.prompts.colourRequests.size(), 1u);
    EXPECT_EQ(b.prompts.colourRequests[0], 0x123456u);  // the dialog opens on the own colour
    if (GetParam().refused) {
        EXPECT_EQ(b.prompts.messages, QStringList{QString::fromUtf8(GetParam().message)});
        EXPECT_EQ(b.d.element(r).BackColor, 0x123456u);
    } else {
        EXPECT_TRUE(b.prompts.messages.isEmpty());
        EXPECT_EQ(b.d.element(r).BackColor, 0x00FF00u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, Colour,
    ::testing::Values(ColourCase{"candidate", &ProgramSettings::CandidateColor, "請勿選擇 候選色!"},
                      ColourCase{"selected", &ProgramSettings::SelectedColor, "請勿選擇 已選色!"},
                      ColourCase{"ordinary", nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Colour, CancelKeepsTheColour) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.d.element(e).BackColor = 0x654321;
    b.editor.elementRightDown(e);
    b.prompts.answerColour(std::nullopt);
    b.editor.color(e);
    EXPECT_EQ(b.d.element(e).BackColor, 0x654321u);
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST(Colour, TheDefaultHighlightColoursAreRedAndBlue) {
    DiagramBuilder b;
    const int e = b.entity("E");
    b.editor.elementRightDown(e);
    b.prompts.answerColour(0x0000FF);  // pure red
    b.prompts.answerColour(0xFF0000);  // pure blue
    b.editor.color(e);
    b.editor.color(e);
    EXPECT_EQ(b.prompts.messages, (QStringList{"請勿選擇 候選色!", "請勿選擇 已選色!"}));
}

TEST(Editing, CommandsWithoutATargetDoNothing) {
    DiagramBuilder b;
    b.entity("E");
    b.editor.rename(Editor::Menu::Entity, 0);
    b.editor.lockSize(Editor::Menu::Entity, 0);
    b.editor.bigger(0);
    b.editor.color(0);
    b.editor.smaller(99);
    b.editor.menuKey(-1);
    EXPECT_TRUE(b.prompts.inputRequests.empty());
    EXPECT_TRUE(b.prompts.colourRequests.empty());
    EXPECT_FALSE(b.d.checks.EntityLockSize);
}

}  // namespace
