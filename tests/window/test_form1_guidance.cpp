#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "canvas.h"
#include "fakeprompts.h"
#include "form1.h"

namespace {

// Every warning Qt prints while it lives ("QAction::event: Ambiguous shortcut overload: ...").
class WarningLog {
public:
    WarningLog() {
        lines().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { lines() << text; });
    }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    static QStringList& lines() {
        static QStringList all;
        return all;
    }

private:
    QtMessageHandler previous_;
};

class Form1GuidanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.canvas(), Qt::Key(key), modifiers);
    }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
};

TEST_F(Form1GuidanceTest, ZoomKeysStepTheZoomWithoutAmbiguity) {
    const WarningLog log;
    const struct {
        int key;
        int direction;
    } presses[] = {{Qt::Key_Plus, 1}, {Qt::Key_Equal, 1}, {Qt::Key_Minus, -1}, {Qt::Key_Minus, -1}};
    for (const auto& [key, direction] : presses) {
        const double before = form.canvas()->zoom();
        press(key, Qt::ControlModifier);
        const double after = form.canvas()->zoom();
        EXPECT_EQ(after > before   ? 1
                  : after < before ? -1
                                   : 0,
                  direction)
            << QKeySequence(key).toString().toStdString();
    }
    press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(form.canvas()->zoom(), 1.0);
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join('\n').toStdString();
}

}  // namespace
