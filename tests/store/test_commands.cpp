#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

// The Save and Load buttons: their prompts, the name they remember, and their messages.
class Buttons : public StoreTest {
protected:
    ProjectNameSetting setting() {
        return {[this](const QString& name) {
            remembered = name;
            ++writes;
        }};
    }

    QString remembered = "last time";
    int writes = 0;
};

TEST_P(Buttons, SaveAsksANewDiagramForANameAndRemembersTheAnswer) {
    DiagramBuilder b;
    b.attribute(b.entity("E"), "id", true);  // a diagram that passes validation
    b.prompts.answer("library");
    EXPECT_TRUE(saveProject(store(), b.editor, setting()));
    ASSERT_EQ(b.prompts.inputRequests.size(), 1u);
    EXPECT_EQ(b.prompts.inputRequests[0].prompt, "What's your project name");
    EXPECT_EQ(b.prompts.inputRequests[0].title, "Project Name");
    EXPECT_EQ(b.prompts.inputRequests[0].defaultText, "")
        << "no name offered: the last project typed is another project";
    EXPECT_EQ(remembered, "library");
    EXPECT_EQ(b.d.view.projectName, "library");
    EXPECT_TRUE(b.prompts.messages.isEmpty());
    EXPECT_EQ(rowsText("SELECT * FROM \"Project\""), QStringList{"1 | library"});
}

TEST_P(Buttons, CancelInTheNameBoxStopsTheSaveWithNothingChanged) {
    ASSERT_FALSE(store().check().isSet());
    DiagramBuilder b;
    b.attribute(b.entity("E"), "id", true);  // a diagram that passes validation
    b.d.view.projectName = "current";
    b.prompts.answerCancel();
    EXPECT_FALSE(saveProject(store(), b.editor, setting()));
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(b.d.view.projectName, "current");
    EXPECT_TRUE(b.prompts.messages.isEmpty());
    EXPECT_EQ(count("Project"), 0);
}

TEST_P(Buttons, AFailedSaveShowsOneMessageAndKeepsTheTypedName) {
    DiagramBuilder b;
    b.attribute(b.entity("E"), "id", true);  // a diagram that passes validation
    b.prompts.answer("lost");
    EXPECT_FALSE(
        saveProject(ProjectStore(QString("mysql://root@localhost/erd")), b.editor, setting()));
    ASSERT_EQ(b.prompts.messages.size(), 1);
    EXPECT_TRUE(b.prompts.messages[0].endsWith(": Open database"))
        << b.prompts.messages[0].toStdString();
    EXPECT_EQ(remembered, "lost");
    EXPECT_EQ(b.d.view.projectName, "lost");
}

TEST_P(Buttons, LoadAsksBeforeClearingADiagramAndNoChangesNothing) {
    DiagramBuilder saved;
    saved.entity("stored");
    ASSERT_TRUE(store().saveAs(saved.d, "p").ok);
    DiagramBuilder b;
    b.entity("on screen");
    b.d.view.projectName = "current";
    b.prompts.answerConfirm(false);
    EXPECT_FALSE(loadProject(store(), b.editor, setting()));
    EXPECT_EQ(b.prompts.confirmations.size(), 1);
    EXPECT_TRUE(b.prompts.inputRequests.empty());
    EXPECT_EQ(b.d.element(1).Caption, "on screen");
    EXPECT_EQ(b.d.view.projectName, "current");
    EXPECT_EQ(writes, 0);

    b.prompts.answerConfirm(true);
    b.prompts.answer("p");
    EXPECT_TRUE(loadProject(store(), b.editor, setting()));
    EXPECT_EQ(b.prompts.inputRequests.back().defaultText, "current");
    EXPECT_EQ(b.prompts.inputRequests.back().title, "載入 Project");
    EXPECT_EQ(b.d.element(1).Caption, "stored");
    EXPECT_EQ(b.d.view.projectName, "p");
    EXPECT_EQ(remembered, "p");
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST_P(Buttons, LoadOnAnEmptyCanvasDoesNotAskAndCancelChangesNothing) {
    DiagramBuilder b;
    b.prompts.answerCancel();
    EXPECT_FALSE(loadProject(store(), b.editor, setting()));
    EXPECT_TRUE(b.prompts.confirmations.isEmpty());
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(b.prompts.messages.isEmpty());
}

TEST_P(Buttons, LoadingAnUnknownNameSaysSoAndLeavesTheCanvas) {
    DiagramBuilder b;
    b.entity("on screen");
    b.prompts.answerConfirm(true);
    b.prompts.answer("nobody saved this");
    EXPECT_FALSE(loadProject(store(), b.editor, setting()));
    EXPECT_EQ(b.prompts.messages, QStringList{"資料庫內沒有這個 Project"});
    EXPECT_TRUE(b.d.isLiveElement(1));
    EXPECT_EQ(b.d.view.projectName, "nobody saved this");
    EXPECT_EQ(remembered, "nobody saved this");
}

TEST_P(Buttons, LoadTellsOnceHowManyRowsWereLeftOut) {
    ASSERT_FALSE(store().check().isSet());
    ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (1, 'p')"));
    ASSERT_TRUE(execute("INSERT INTO \"EntityType\" VALUES (1, 1, 'E', '255', 1, 1, 73, 41, 0)"));
    ASSERT_TRUE(
        execute("INSERT INTO \"Attribute\" VALUES (1, 2, 9, 'A', '255', 1, 0, 1, 1, 73, 41)"));
    ASSERT_TRUE(execute("INSERT INTO \"Invoke\" VALUES (1, 8, 1, 0, '0', 'N', 0, '')"));
    DiagramBuilder b;
    b.prompts.answer("p");
    EXPECT_TRUE(loadProject(store(), b.editor, setting()));
    EXPECT_EQ(b.prompts.messages, QStringList{"有 2 筆資料無法載入, 已略過"});
    EXPECT_TRUE(b.d.isLiveElement(1));
}

TEST_P(Buttons, SavingOverAnotherStoredProjectAsksFirst) {
    DiagramBuilder first;
    first.attribute(first.entity("E"), "id", true);
    first.prompts.answer("library");
    ASSERT_TRUE(saveProject(store(), first.editor, setting()));
    EXPECT_TRUE(first.prompts.confirmations.isEmpty()) << "a new name replaces nothing";
    ASSERT_TRUE(saveProject(store(), first.editor, setting()));
    EXPECT_EQ(first.prompts.inputRequests.size(), 1u) << "Save goes to its own project unasked";
    first.prompts.answer("library");
    ASSERT_TRUE(saveProject(store(), first.editor, setting(), nullptr, SaveTarget::AskForName));
    EXPECT_TRUE(first.prompts.confirmations.isEmpty()) << "saving again under its own name";
    EXPECT_EQ(first.d.view.project.name, "library");

    DiagramBuilder other;
    other.attribute(other.entity("Other"), "id", true);
    other.prompts.answer("library");
    other.prompts.answerConfirm(false);
    EXPECT_FALSE(saveProject(store(), other.editor, setting()));
    EXPECT_EQ(other.prompts.confirmations, QStringList{"Project library 已存在, 要覆蓋嗎?"});
    EXPECT_EQ(rowsText("SELECT \"eName\" FROM \"EntityType\""), QStringList{"E"});
    EXPECT_TRUE(other.d.view.project.name.isEmpty());

    other.prompts.answer("library");
    other.prompts.answerConfirm(true);
    EXPECT_TRUE(saveProject(store(), other.editor, setting()));
    EXPECT_EQ(rowsText("SELECT \"eName\" FROM \"EntityType\""), QStringList{"Other"});
}

TEST_P(Buttons, ABlankNameIsRefused) {
    ASSERT_FALSE(store().check().isSet());
    DiagramBuilder b;
    b.attribute(b.entity("E"), "id", true);
    b.prompts.answer("   ");
    EXPECT_FALSE(saveProject(store(), b.editor, setting()));
    EXPECT_EQ(b.prompts.messages, QStringList{"請輸入 Project 名稱"});
    EXPECT_EQ(count("Project"), 0);
    EXPECT_EQ(remembered, "last time") << "a refused name is not remembered";
}

INSTANTIATE_TEST_SUITE_P(Engines, Buttons, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
