#include <gtest/gtest.h>

#include <ostream>

#include "diagram.h"
#include "editor.h"
#include "fakeprompts.h"

namespace {

const QString kFormatError = QStringLiteral("輸入格式錯誤");
const QString kMinMaxPrompt = QStringLiteral("參與關係為..(如N,N)");
const QString kTextbookPrompt = QStringLiteral("參與關係為..(如1,N)");
const QString kDegreeTitle = QStringLiteral("degree..");

// Entity 1 at (100,100) 60 x 30 and relationship 2 at (300,100) 60 x 40, joined by connector 1.
// Laid out by PlaceLine: entity right-middle (160,115) to relationship left-middle (300,120); as
// a lone recursive connector: right-middle (160,115) to top-centre (330,100).
class LineCommands : public ::testing::Test {
protected:
    void SetUp() override {
        entity = addElement(100, 100, 60, 30, KindEntity);
        rel = addElement(300, 100, 60, 40, KindRelationship);
        k = d.loadConnector(ConnectorKind::Relationship, entity, rel);
        Connector& c = d.connector(k);
        c.Line1.Visible = true;
        c.Line1.BorderColor = d.settings.RelLineColor;
        // Ends far from any layout, so tests see whether the command laid the line out.
        c.Line1.X1 = c.Line1.Y1 = c.Line1.X2 = c.Line1.Y2 = -1;
        c.Line2.X1 = c.Line2.Y1 = c.Line2.X2 = c.Line2.Y2 = -1;
        d.state.CurrentLine = qint16(k);
        d.settings.MNPosition = 1;
        d.settings.DoubleLineWidth = 5;
    }

    int addElement(float left, float top, float width, float height, int kind) {
        const int i = d.loadElement();
        Element& e = d.element(i);
        e.Visible = true;
        e.Shape = float(kind);
        e.Left = left;
        e.Top = top;
        e.Width = width;
        e.Height = height;
        return i;
    }

    Connector& c() { return d.connector(k); }
    bool laidOut() const { return d.connector(k).Line1.X1 != -1; }
    void makeDotted() { c().Line1.BorderStyle = kLineDotted; }
    void useTextbook() { d.settings.PresentStyle = 0; }

    Diagram d;
    FakePrompts prompts;
    Editor editor{d, prompts};
    int entity = 0, rel = 0, k = 0;
};

// ---- Participation: answers ----

struct AnswerCase {
    const char* name;
    const char* typed;
    const char* minMaxCaption;    // stored in min,max notation
    const char* textbookCaption;  // stored in textbook notation
    bool doubled;                 // textbook notation shows the second line
};

std::ostream& operator<<(std::ostream& os, const AnswerCase& a) {
    return os << a.name;
}

const AnswerCase kAccepted[] = {
    {"optionalMany", "0,N", "0,N", "N", false},
    {"totalMany_lowerCase", "1,n", "1,N", "N", true},
    {"manyMany_lowerCase", "n,n", "N,N", "N", false},
    {"totalOne", "1,1", "1,1", "1", true},
    {"minimumAboveMaximum", "5,2", "5,2", "2", false},
    {"nineZero", "9,0", "9,0", "0", false},
};

class AcceptedAnswer : public LineCommands, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AcceptedAnswer, MinMaxNotationStoresTheWholeText) {
    c().Line2.Visible = false;
    prompts.answer(QString::fromUtf8(GetParam().typed));
    editor.participation(k);

    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(c().MN.Caption, QString::fromUtf8(GetParam().minMaxCaption));
    EXPECT_FLOAT_EQ(c().MN.Width, float(d.labelSize(c().MN.Caption).width()));
    EXPECT_TRUE(c().MN.Visible);
    EXPECT_FALSE(c().Line2.Visible);  // the minimum is in the text, not in a second line
    // Laid out once, with the label at the relationship end sized to the new text.
    EXPECT_FLOAT_EQ(c().Line1.X1, 160);
    EXPECT_FLOAT_EQ(c().Line1.Y1, 115);
    EXPECT_FLOAT_EQ(c().Line1.X2, 300);
    EXPECT_FLOAT_EQ(c().Line1.Y2, 120);
    EXPECT_FLOAT_EQ(c().MN.Left, 300 - c().MN.Width);
    EXPECT_FLOAT_EQ(c().MN.Top, 120);
}

TEST_P(AcceptedAnswer, TextbookNotationShowsTheMinimumAsASecondLine) {
    useTextbook();
    prompts.answer(QString::fromUtf8(GetParam().typed));
    editor.participation(k);

    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(c().MN.Caption, QString::fromUtf8(GetParam().textbookCaption));
    EXPECT_TRUE(c().MN.Visible);
    EXPECT_EQ(c().Line2.Visible, GetParam().doubled);
    EXPECT_FLOAT_EQ(c().Line1.X1, 160);
    EXPECT_FLOAT_EQ(c().Line1.Y2, 120);
    if (GetParam().doubled) {
        EXPECT_EQ(c().Line2.BorderStyle, kLineSolid);
        // Pair 0 moves both ends down by the line width; the label follows the second line.
        EXPECT_FLOAT_EQ(c().Line2.Y1, 120);
        EXPECT_FLOAT_EQ(c().Line2.Y2, 125);
        EXPECT_FLOAT_EQ(c().MN.Top, 125);
    } else {
        EXPECT_FLOAT_EQ(c().Line2.X1, -1);
        EXPECT_FLOAT_EQ(c().MN.Top, 120);
    }
}

INSTANTIATE_TEST_SUITE_P(Participation, AcceptedAnswer, ::testing::ValuesIn(kAccepted),
                         [](const auto& info) { return std::string(info.param.name); });

struct RejectedCase {
    const char* name;
    const char* typed;
};

std::ostream& operator<<(std::ostream& os, const RejectedCase& r) {
    return os << r.name;
}

const RejectedCase kRejected[] = {
    {"empty", ""},
    {"twoCharacters", "1N"},
    {"fourCharacters", "1,NN"},
    {"twoDigitMinimum", "10,N"},
    {"semicolon", "1;N"},
    {"letterAsMinimum", "M,N"},
    {"letterAsMaximum", "1,x"},
    {"spaceAsMinimum", " ,N"},
    {"fullWidthDigit", "１,N"},
    {"fullWidthComma", "1，N"},
    {"signAsMaximum", "1,-"},
};

class RejectedAnswer : public LineCommands,
                       public ::testing::WithParamInterface<std::tuple<RejectedCase, bool>> {};

TEST_P(RejectedAnswer, ShowsTheFormatErrorAndKeepsTheDefault) {
    const auto& [rc, textbook] = GetParam();
    if (textbook) useTextbook();
    c().Line2.Visible = true;
    prompts.answer(QString::fromUtf8(rc.typed));
    editor.participation(k);

    EXPECT_EQ(prompts.messages, QStringList{kFormatError});
    // The default written before the question stays; nothing else moves.
    EXPECT_EQ(c().MN.Caption, textbook ? QStringLiteral("N") : QStringLiteral("0,N"));
    EXPECT_FALSE(c().MN.Visible);
    EXPECT_TRUE(c().Line2.Visible);
    EXPECT_FALSE(laidOut());
    EXPECT_FLOAT_EQ(c().Line2.X1, -1);
}

INSTANTIATE_TEST_SUITE_P(Participation, RejectedAnswer,
                         ::testing::Combine(::testing::ValuesIn(kRejected), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_textbook" : "_minMax");
                         });

// ---- Participation: what the box opens with ----

TEST_F(LineCommands, MinMaxNotationOpensWithZeroMany) {
    prompts.answerCancel();
    editor.participation(k);
    ASSERT_EQ(prompts.inputRequests.size(), 1u);
    EXPECT_EQ(prompts.inputRequests[0].prompt, kMinMaxPrompt);
    EXPECT_EQ(prompts.inputRequests[0].title, kDegreeTitle);
    EXPECT_EQ(prompts.inputRequests[0].defaultText, QStringLiteral("0,N"));
}

TEST_F(LineCommands, MinMaxNotationOpensWithTheCurrentText) {
    d.setLabelCaption(c().MN, QStringLiteral("1,1"));
    prompts.answerCancel();
    editor.participation(k);
    EXPECT_EQ(prompts.inputRequests.at(0).defaultText, QStringLiteral("1,1"));
}

// Validation's default goes in from outside the Line menu; its label is placed at once, below the
// relationship-side end (300,120) and with its right edge there, as wide as "0,N" is.
TEST_F(LineCommands, ValidationsDefaultIsPlacedForItsText) {
    d.setLabelCaption(c().MN, QString());
    editor.applyDefaultParticipations({k});
    EXPECT_EQ(c().MN.Caption, QStringLiteral("0,N"));
    EXPECT_GT(c().MN.Width, 0);
    EXPECT_EQ(c().MN.Left + c().MN.Width, 300.0f);
    EXPECT_EQ(c().MN.Top, 120.0f);
    EXPECT_TRUE(laidOut());
}

struct TextbookDefaultCase {
    const char* name;
    int relationshipKind;
    bool doubled;
    const char* caption;
    const char* boxDefault;
    const char* captionAfterOpening;
};

std::ostream& operator<<(std::ostream& os, const TextbookDefaultCase& t) {
    return os << t.name;
}

const TextbookDefaultCase kTextbookDefaults[] = {
    {"ordinaryRelationship", KindRelationship, false, "", "0,N", "N"},
    {"identifyingRelationship", KindWeakRelationship, false, "", "0,1", "1"},
    {"identifyingDoubled", KindWeakRelationship, true, "", "1,1", "1"},
    {"existingDoubled", KindRelationship, true, "N", "1,N", "N"},
    {"existingSingle", KindWeakRelationship, false, "3", "0,3", "3"},
};

class TextbookDefault : public LineCommands,
                        public ::testing::WithParamInterface<TextbookDefaultCase> {};

TEST_P(TextbookDefault, SpellsTheSecondLineOutAsTheMinimum) {
    const TextbookDefaultCase& t = GetParam();
    useTextbook();
    d.element(rel).Shape = float(t.relationshipKind);
    c().Line2.Visible = t.doubled;
    d.setLabelCaption(c().MN, QString::fromUtf8(t.caption));
    prompts.answerCancel();
    editor.participation(k);

    ASSERT_EQ(prompts.inputRequests.size(), 1u);
    EXPECT_EQ(prompts.inputRequests[0].prompt, kTextbookPrompt);
    EXPECT_EQ(prompts.inputRequests[0].title, kDegreeTitle);
    EXPECT_EQ(prompts.inputRequests[0].defaultText, QString::fromUtf8(t.boxDefault));
    EXPECT_EQ(c().MN.Caption, QString::fromUtf8(t.captionAfterOpening));
}

INSTANTIATE_TEST_SUITE_P(Participation, TextbookDefault, ::testing::ValuesIn(kTextbookDefaults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LineCommands, IdentifyingConnectorAcceptsTotalOne) {
    useTextbook();
    d.element(rel).Shape = float(KindWeakRelationship);
    prompts.answer(QStringLiteral("1,1"));
    editor.participation(k);
    EXPECT_EQ(prompts.inputRequests.at(0).defaultText, QStringLiteral("0,1"));
    EXPECT_EQ(c().MN.Caption, QStringLiteral("1"));
    EXPECT_TRUE(c().Line2.Visible);
}

TEST_F(LineCommands, TextbookPartialParticipationUndoesADoubledLine) {
    useTextbook();
    c().Line2.Visible = true;
    d.setLabelCaption(c().MN, QStringLiteral("1"));
    prompts.answer(QStringLiteral("0,N"));
    editor.participation(k);
    EXPECT_EQ(prompts.inputRequests.at(0).defaultText, QStringLiteral("1,1"));
    EXPECT_FALSE(c().Line2.Visible);
    EXPECT_EQ(c().MN.Caption, QStringLiteral("N"));
}

TEST_F(LineCommands, MinMaxNotationLeavesTheSecondLineAlone) {
    c().Line2.Visible = true;
    prompts.answer(QStringLiteral("0,N"));
    editor.participation(k);
    EXPECT_TRUE(c().Line2.Visible);
    EXPECT_FLOAT_EQ(c().Line2.X1, -1);
    EXPECT_TRUE(laidOut());
}

TEST_F(LineCommands, RecursiveConnectorUsesTheRecursiveLayout) {
    makeDotted();
    prompts.answer(QStringLiteral("1,N"));
    editor.participation(k);
    // A lone dotted connector with the relationship right and below: entity right-middle to
    // relationship top-centre.
    EXPECT_FLOAT_EQ(c().Line1.X1, 160);
    EXPECT_FLOAT_EQ(c().Line1.Y1, 115);
    EXPECT_FLOAT_EQ(c().Line1.X2, 330);
    EXPECT_FLOAT_EQ(c().Line1.Y2, 100);
    EXPECT_FLOAT_EQ(c().Description.Left, 245);
    EXPECT_FLOAT_EQ(c().Description.Top, 107.5f - c().Description.Height);
    EXPECT_FALSE(c().Line2.Visible);
}

TEST_F(LineCommands, TextbookRecursiveTotalParticipationDoublesTheDottedLine) {
    useTextbook();
    makeDotted();
    prompts.answer(QStringLiteral("1,N"));
    editor.participation(k);
    EXPECT_TRUE(c().Line2.Visible);
    EXPECT_EQ(c().Line2.BorderStyle, kLineDotted);
    EXPECT_FLOAT_EQ(c().Line1.Y1, 115);
    // The second line of this row moves both ends up by the line width.
    EXPECT_FLOAT_EQ(c().Line2.X1, 160);
    EXPECT_FLOAT_EQ(c().Line2.Y1, 110);
    EXPECT_FLOAT_EQ(c().Line2.X2, 330);
    EXPECT_FLOAT_EQ(c().Line2.Y2, 95);
    EXPECT_FLOAT_EQ(c().MN.Left, 330);
    EXPECT_FLOAT_EQ(c().MN.Top, 95 - c().MN.Height);
}

TEST_F(LineCommands, TextbookRecursivePartialParticipationHidesTheSecondLine) {
    useTextbook();
    makeDotted();
    c().Line2.Visible = true;
    c().Line2.BorderStyle = kLineDotted;
    prompts.answer(QStringLiteral("0,1"));
    editor.participation(k);
    EXPECT_FALSE(c().Line2.Visible);
    EXPECT_FLOAT_EQ(c().Line1.X2, 330);
    EXPECT_FLOAT_EQ(c().Line2.X1, -1);
}

TEST_F(LineCommands, CancelKeepsTheDefaultAndSaysNothing) {
    prompts.answerCancel();
    editor.participation(k);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(c().MN.Caption, QStringLiteral("0,N"));
    EXPECT_FALSE(c().MN.Visible);
    EXPECT_FALSE(laidOut());
}

TEST_F(LineCommands, CancelKeepsAnEarlierParticipation) {
    useTextbook();
    c().Line2.Visible = true;
    d.setLabelCaption(c().MN, QStringLiteral("N"));
    c().MN.Visible = true;
    prompts.answerCancel();
    editor.participation(k);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(c().MN.Caption, QStringLiteral("N"));
    EXPECT_TRUE(c().Line2.Visible);
    EXPECT_FALSE(laidOut());
}

TEST_F(LineCommands, NoConnectorUnderTheMenuAsksNothing) {
    d.state.CurrentLine = 0;
    editor.participation(0);
    editor.description(0);
    d.state.CurrentLine = 9;
    editor.participation(9);
    editor.description(9);
    EXPECT_TRUE(prompts.inputRequests.empty());
}

// ---- Description ----

TEST_F(LineCommands, DescriptionAsksForTheRoleWithTheCurrentOne) {
    makeDotted();
    d.setLabelCaption(c().Description, QStringLiteral("boss"));
    prompts.answer(QStringLiteral("worker"));
    editor.description(k);
    ASSERT_EQ(prompts.inputRequests.size(), 1u);
    EXPECT_EQ(prompts.inputRequests[0].prompt, QStringLiteral("角色為.."));
    EXPECT_EQ(prompts.inputRequests[0].title, QStringLiteral("遞迴關係"));
    EXPECT_EQ(prompts.inputRequests[0].defaultText, QStringLiteral("boss"));
    EXPECT_EQ(c().Description.Caption, QStringLiteral("worker"));
    EXPECT_FLOAT_EQ(c().Description.Width, float(d.labelSize(QStringLiteral("worker")).width()));
    EXPECT_TRUE(c().Description.Visible);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(LineCommands, DescriptionLaysOutRecursivelyWhateverTheStyle) {
    prompts.answer(QStringLiteral("主管"));
    editor.description(k);
    EXPECT_FLOAT_EQ(c().Line1.X2, 330);  // recursive row, not the nearest pair (300)
    EXPECT_FLOAT_EQ(c().Line1.Y2, 100);
    EXPECT_FLOAT_EQ(c().Description.Left, 245);
    EXPECT_FLOAT_EQ(c().Description.Top, 107.5f - c().Description.Height);
    EXPECT_FALSE(c().Line2.Visible);
}

TEST_F(LineCommands, DescriptionTakesAnyTextUnchecked) {
    makeDotted();
    prompts.answer(QStringLiteral("a,b;c  n"));
    editor.description(k);
    EXPECT_EQ(c().Description.Caption, QStringLiteral("a,b;c  n"));
}

TEST_F(LineCommands, AnEmptyRoleClearsTheLabelAndShowsIt) {
    makeDotted();
    d.setLabelCaption(c().Description, QStringLiteral("boss"));
    prompts.answer(QString());
    editor.description(k);
    EXPECT_TRUE(c().Description.Caption.isEmpty());
    EXPECT_TRUE(c().Description.Visible);
    EXPECT_TRUE(laidOut());
}

TEST_F(LineCommands, CancelledDescriptionChangesNothing) {
    makeDotted();
    d.setLabelCaption(c().Description, QStringLiteral("boss"));
    prompts.answerCancel();
    editor.description(k);
    EXPECT_EQ(c().Description.Caption, QStringLiteral("boss"));
    EXPECT_FALSE(c().Description.Visible);
    EXPECT_FALSE(laidOut());
}

}  // namespace
