#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "canvas.h"
#include "fakeprompts.h"
#include "form1.h"
#include "helptext.h"
#include "helpwindow.h"

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
    QString label(const char* name) { return form.findChild<QLabel*>(QLatin1String(name))->text(); }

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

TEST_F(Form1GuidanceTest, F1OpensTheManualWithEveryKeyOfTheWindow) {
    // An action added after the window was built (as the application adds F9) is listed too.
    auto* late = new QAction(QStringLiteral("Late"), &form);
    late->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
    form.addAction(late);

    press(Qt::Key_F1);
    auto* help = form.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString text = help->browser()->toPlainText();
    for (const HelpSection& section : helpSections()) {
        EXPECT_TRUE(text.contains(QCoreApplication::translate("HelpText", section.title)));
        for (const HelpItem& item : section.items) {
            EXPECT_FALSE(helpTerm(item).contains(QLatin1Char('%'))) << item.text;
            EXPECT_TRUE(text.contains(helpTerm(item)) && text.contains(helpText(item)))
                << item.text;
        }
    }
    for (const QAction* action : form.findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts())
            EXPECT_TRUE(text.contains(key.toString(QKeySequence::NativeText)))
                << key.toString().toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ctrl+Alt+K")));

    // 說明 -> 快速鍵 reuses the window and marks the list of keys.
    form.findChild<QAction*>(QStringLiteral("mnuHelpShortcuts"))->trigger();
    EXPECT_EQ(form.findChildren<HelpWindow*>().size(), 1);
    const auto* contents = help->findChild<QListWidget*>(QStringLiteral("helpContents"));
    EXPECT_EQ(contents->currentRow(), contents->count() - 1);
}

// The manual quotes each message of the diagram check as the check words it, and leaves none out.
TEST(HelpText, QuotesEveryMessageOfTheDiagramCheck) {
    QFile source(QStringLiteral(RELVANE_SOURCE_DIR "/convert/checkdiagram.cpp"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QRegularExpression message(QStringLiteral(R"re("CheckDiagram",\s*"([^"]+)")re"));
    QSet<QString> checked, quoted;
    for (const auto& match : message.globalMatch(QString::fromUtf8(source.readAll())))
        checked << match.captured(1);
    for (const HelpSection& section : helpSections())
        for (const HelpItem& item : section.items)
            if (item.termContext && qstrcmp(item.termContext, "CheckDiagram") == 0)
                quoted << QString::fromUtf8(item.term);
    EXPECT_FALSE(checked.isEmpty());
    EXPECT_EQ(quoted, checked);
}

TEST_F(Form1GuidanceTest, ButtonsExplainThemselvesAndCancelClearsThePrompt) {
    for (const char* key : {"Entity", "Attribute", "Relationship", "AttLine", "RelLine"}) {
        const QToolButton* button = form.toolbarButton(QLatin1String(key));
        EXPECT_FALSE(button->toolTip().isEmpty()) << key;
        if (const QMenu* menu = button->menu()) {
            for (const QAction* item : menu->actions())
                EXPECT_FALSE(item->toolTip() == item->text()) << item->text().toStdString();
        }
    }
    for (const QPushButton* button : form.canvas()->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->text().toStdString();
        if (!button->shortcut().isEmpty()) {
            EXPECT_TRUE(button->toolTip().contains(button->shortcut().toString()));
        }
    }

    form.toolbarButton(QStringLiteral("AttLine"))->click();
    EXPECT_EQ(label("StatusBar2Panel1"), QStringLiteral("請選定屬性的 Entity"));
    EXPECT_FALSE(label("StatusBar2ModeHint").isEmpty());
    press(Qt::Key_Escape);
    // A button's key clicks it as the mouse would, after a moment.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.diagram().state.ConnectMode == ConnectMode::None; }));
    EXPECT_TRUE(label("StatusBar2Panel1").isEmpty());
    EXPECT_TRUE(label("StatusBar2ModeHint").isEmpty());
}

}  // namespace
