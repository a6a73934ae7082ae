#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "canvas.h"
#include "captionedit.h"
#include "fakeprompts.h"
#include "form1.h"
#include "history.h"

namespace {

// Renaming in place and the sticky connect tools, driven by real mouse and key events.
class Form1InPlaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    int create(const char* key) {
        form.toolbarButton(QLatin1String(key))->click();
        return d.elementCount() - 1;
    }
    QPoint centre(int i) { return form.canvas()->elementRect(i).center(); }
    void click(int i, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(form.canvas(), Qt::LeftButton, modifiers, centre(i));
    }
    QLineEdit* box() { return form.canvas()->captionEdit(); }
    const QUndoStack& steps() { return workspace.history().stack(); }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    Diagram& d = form.diagram();
};

TEST_F(Form1InPlaceTest, DoubleClickTypesACaptionKeptByEnterAsOneStep) {
    const int e = create("Entity");
    const int start = steps().count();
    QTest::mouseDClick(form.canvas(), Qt::LeftButton, Qt::NoModifier, centre(e));
    ASSERT_TRUE(box()->isVisible());
    EXPECT_EQ(box()->text(), "Entity1");
    EXPECT_TRUE(box()->geometry().contains(centre(e)));
    // Every key goes to the box: Delete edits the text, it deletes no element.
    QTest::keyClick(box(), Qt::Key_Delete);
    QTest::keyClicks(box(), "DEPARTMENT");
    EXPECT_TRUE(d.element(e).Visible);
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_FALSE(box()->isVisible());
    EXPECT_EQ(d.element(e).Caption, "DEPARTMENT");
    EXPECT_GT(d.element(e).Width, 73.f) << "the element fits its longer caption";
    EXPECT_EQ(steps().count(), start + 1);
    EXPECT_EQ(steps().undoText(), "重新命名 Entity1");
    form.editor().undo();
    EXPECT_EQ(d.element(e).Caption, "Entity1");
}

TEST_F(Form1InPlaceTest, F2OpensTheBoxEscGivesUpAndLeavingItKeeps) {
    const int e = create("Entity");
    const int start = steps().count();
    QTest::keyClick(form.canvas(), Qt::Key_F2);
    EXPECT_FALSE(box()->isVisible()) << "nothing selected";

    click(e);
    QTest::keyClick(form.canvas(), Qt::Key_F2);
    ASSERT_TRUE(box()->isVisible());
    QTest::keyClicks(box(), "X");
    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_FALSE(box()->isVisible());
    EXPECT_EQ(d.element(e).Caption, "Entity1");
    EXPECT_EQ(steps().count(), start);
    EXPECT_EQ(d.view.selection, std::set<int>{e}) << "Esc closed the box only, not as Cancel";

    // At another zoom the box covers the element as shown; a click elsewhere keeps the text.
    form.canvas()->setZoom(2);
    QTest::keyClick(form.canvas(), Qt::Key_F2);
    ASSERT_TRUE(box()->isVisible());
    EXPECT_TRUE(box()->geometry().contains(centre(e)));
    QTest::keyClicks(box(), "EMPLOYEE");
    QTest::mouseClick(form.canvas(), Qt::LeftButton, Qt::NoModifier,
                      form.canvas()->rect().bottomLeft() + QPoint(150, -150));
    EXPECT_FALSE(box()->isVisible());
    EXPECT_EQ(d.element(e).Caption, "EMPLOYEE");
    EXPECT_EQ(steps().count(), start + 1);
}

TEST_F(Form1InPlaceTest, ShiftClickedSetAttributeStaysUntilEsc) {
    const int e = create("Entity");
    const int a1 = create("Attribute");
    const int a2 = create("Attribute");
    const int start = steps().count();
    QTest::mouseClick(form.toolbarButton("AttLine"), Qt::LeftButton, Qt::ShiftModifier);
    for (int a : {a1, a2}) {
        ASSERT_EQ(d.state.ConnectMode, ConnectMode::AttributeOwner);
        click(e);
        click(a);
    }
    EXPECT_EQ(d.element(e).AttributeList.count(), 2);
    EXPECT_EQ(steps().count(), start + 2) << "each connection its own step";
    EXPECT_EQ(d.state.ConnectMode, ConnectMode::AttributeOwner) << "still running";
    QTest::keyClick(form.canvas(), Qt::Key_Escape);
    // Esc clicks Cancel as the mouse would, after a moment.
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.state.ConnectMode == ConnectMode::None; }));
    EXPECT_TRUE(d.view.highlights.empty());

    // Without Shift the tool ends after one connection, as before.
    const int a3 = create("Attribute");
    QTest::mouseClick(form.toolbarButton("AttLine"), Qt::LeftButton);
    click(e);
    click(a3);
    EXPECT_EQ(d.state.ConnectMode, ConnectMode::None);
}

}  // namespace
