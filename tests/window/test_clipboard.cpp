#include <gtest/gtest.h>

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

#include "canvas.h"
#include "fakeprompts.h"
#include "form1.h"
#include "fragment.h"
#include "history.h"
#include "invariants.h"

// Copy and paste with the keys, between two main windows through the system clipboard.

namespace {

struct Window {
    Window() {
        form.show();
        form.activateWindow();
    }
    // A key pressed on the canvas, the window active as a user's would be.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(form.canvas(), key, modifiers);
    }
    int liveElements() const {
        int n = 0;
        for (int i = 1; i < d.elementCount(); ++i) n += d.isLiveElement(i);
        return n;
    }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    Diagram& d = form.diagram();
    Editor& editor = form.editor();
};

}  // namespace

TEST(Clipboard, CopyInOneWindowPastesInAnotherAndUndoesAsOneStep) {
    QCursor::setPos(0, 0);  // off both canvases: the paste lands beside where it was copied
    Window from, to;
    const int e = from.editor.createElement(KindEntity);
    const int a = from.editor.createElement(KindAttribute);
    from.editor.toolbarButton(QStringLiteral("AttLine"));
    from.editor.elementLeftDown(e, 1, 1);
    from.editor.elementLeftDown(a, 1, 1);
    ASSERT_TRUE(from.d.element(e).AttributeList.containsItem(qint16(a)));
    from.editor.selectAll();

    from.press(Qt::Key_C);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QString::fromLatin1(kFragmentMimeType)));
    EXPECT_TRUE(data->hasImage()) << "a picture for other programs";

    to.editor.createElement(KindEntity);  // takes the name "Entity1"
    to.press(Qt::Key_V);
    ASSERT_EQ(to.liveElements(), 3);
    EXPECT_EQ(findInconsistency(to.d, {}), QString());
    EXPECT_EQ(to.d.element(2).Caption, "Entity1_2");
    EXPECT_EQ(to.d.element(2).Left, from.d.element(e).Left + Editor::kPasteStep.x());
    EXPECT_TRUE(to.d.element(2).AttributeList.containsItem(3));

    to.press(Qt::Key_Z);
    EXPECT_EQ(to.liveElements(), 1) << "the paste is one step";
    to.press(Qt::Key_A);
    to.press(Qt::Key_D);
    EXPECT_EQ(to.liveElements(), 2) << "Ctrl+D duplicates the selection";

    from.press(Qt::Key_X);
    EXPECT_EQ(from.liveElements(), 0);
    EXPECT_EQ(from.workspace.history().stack().undoText(), "剪下 2 個元素");
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(
        QString::fromLatin1(kFragmentMimeType)));

    QGuiApplication::clipboard()->setText(QStringLiteral("not a drawing"));
    to.press(Qt::Key_V);
    EXPECT_EQ(to.liveElements(), 2);
    EXPECT_FALSE(to.prompts.messages.isEmpty()) << "refused with a message";
}
