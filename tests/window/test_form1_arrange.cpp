#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "canvas.h"
#include "fakeprompts.h"
#include "findwindow.h"
#include "form1.h"

namespace {

// The 排列 menu, the grid and the find window, driven through the main window as a user does.
class Form1ArrangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    int entity(const QString& caption, float left, float top) {
        const int i = form.editor().createElement(KindEntity);
        d.element(i).Caption = caption;
        d.element(i).Left = left;
        d.element(i).Top = top;
        d.notifyElement(i);
        return i;
    }
    QAction* action(const char* name) {
        auto* found = form.findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    Diagram& d = form.diagram();
};

TEST_F(Form1ArrangeTest, AutomaticArrangementItemsWorkWithoutASelection) {
    const int a = entity("A", 40, 60), b = entity("B", 45, 65);
    form.editor().clearSelection();
    action("mnuArrangeDiagram")->trigger();
    EXPECT_FALSE(
        QRectF(d.element(a).Left, d.element(a).Top, d.element(a).Width, d.element(a).Height)
            .intersects(QRectF(d.element(b).Left, d.element(b).Top, d.element(b).Width,
                               d.element(b).Height)))
        << "two entities on top of each other come apart";
    QUndoStack& steps = workspace.history().stack();
    EXPECT_EQ(steps.undoText(), QStringLiteral("排列全圖"));
    const int count = steps.count();
    action("mnuArrangeAttributes")->trigger();
    EXPECT_EQ(steps.count(), count) << "no attributes, nothing to arrange, no step";
}

TEST_F(Form1ArrangeTest, ArrangeItemsNeedTwoOrThreeSelectedAndTheirKeysWork) {
    const int a = entity("A", 40, 60), b = entity("B", 200, 90), c = entity("C", 120, 200);
    form.editor().selectElements({a});
    EXPECT_FALSE(action("mnuAlignLeft")->isEnabled());
    form.editor().selectElements({a, b});
    EXPECT_TRUE(action("mnuAlignLeft")->isEnabled());
    EXPECT_FALSE(action("mnuDistributeHorizontally")->isEnabled());
    form.editor().selectAll();
    EXPECT_TRUE(action("mnuDistributeVertically")->isEnabled());

    QTest::keyClick(form.canvas(), Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(d.element(b).Top, 60.f) << "Alt+W aligns the tops";
    EXPECT_EQ(d.element(c).Top, 60.f);
    QTest::keyClick(form.canvas(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(d.element(b).Left, 40.f) << "Alt+A aligns the left edges";
}

TEST_F(Form1ArrangeTest, TheGridShowsOnScreenOnlyAndMovesNothing) {
    const int a = entity("A", 33, 47);
    QAction* grid = action("mnuShowGrid");
    ASSERT_TRUE(grid->isCheckable());
    const QImage plain = form.canvas()->grab().toImage();
    grid->trigger();
    EXPECT_TRUE(form.gridShown());
    QCoreApplication::processEvents();
    const QImage gridded = form.canvas()->grab().toImage();
    EXPECT_NE(plain, gridded);
    // A line 20 units from the origin at 100 %, on an empty part of the drawing.
    const QPoint onLine = form.canvas()->mapping().toPixels(QPointF(400, 410)).toPoint();
    EXPECT_NE(gridded.pixel(onLine), plain.pixel(onLine));
    EXPECT_EQ(d.element(a).Left, 33.f);
    const QRectF area(0, 0, 300, 200);
    const QImage pictureWithGridShown = form.canvas()->renderAtFullSize(area).toImage();
    grid->trigger();
    EXPECT_FALSE(form.gridShown());
    EXPECT_EQ(pictureWithGridShown, form.canvas()->renderAtFullSize(area).toImage())
        << "pictures never show the grid";
}

TEST_F(Form1ArrangeTest, CtrlFListsMatchesEnterSelectsAndF3GoesOnWrapping) {
    const int emp = entity("EMPLOYEE", 40, 60), proj = entity("PROJECT", 2600, 1900);
    entity("DEPARTMENT", 300, 60);
    QTest::keyClick(form.canvas(), Qt::Key_F, Qt::ControlModifier);
    FindWindow* find = form.findChild<FindWindow*>();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(find));
    auto* box = find->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    auto* list = find->findChild<QListWidget*>(QStringLiteral("lstFound"));
    QTest::keyClicks(box, "o");
    EXPECT_EQ(find->matches(), (std::vector<int>{emp, proj}));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "PROJECT");

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(d.view.selection, std::set<int>{emp});
    QTest::keyClick(box, Qt::Key_F3);
    EXPECT_EQ(d.view.selection, std::set<int>{proj});
    EXPECT_TRUE(form.canvas()->visibleArea().contains(QPointF(2610, 1910)))
        << "the drawing scrolled to it";
    QTest::keyClick(box, Qt::Key_F3);
    EXPECT_EQ(d.view.selection, std::set<int>{emp}) << "from the last round to the first";
    QTest::keyClick(box, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(d.view.selection, std::set<int>{proj});
    Q_EMIT list->itemClicked(list->item(0));
    EXPECT_EQ(d.view.selection, std::set<int>{emp});
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(d.view.selection, std::set<int>{emp}) << "Esc closes the window, it cancels nothing";
}

}  // namespace
