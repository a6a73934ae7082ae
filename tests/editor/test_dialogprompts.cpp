// The real dialogs behind the commands' questions: Enter never overwrites, deletes or discards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "dialogprompts.h"

namespace {

// Runs `ask`, which opens a modal box, and presses Enter in the box; returns the box's text and
// the answer.
template <typename Ask>
auto pressEnter(Ask ask, QString* shown) {
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer.stop();
        *shown = box->text();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
    });
    timer.start();
    return ask();
}

TEST(DialogPrompts, EnterAnswersNoCancelOrYesOnlyWhereYesLosesNothing) {
    DialogPrompts prompts;
    QString shown;
    EXPECT_FALSE(
        pressEnter([&] { return prompts.confirm("overwrite B?", Prompts::Answer::No); }, &shown));
    EXPECT_EQ(shown, "overwrite B?");
    EXPECT_TRUE(
        pressEnter([&] { return prompts.confirm("recover?", Prompts::Answer::Yes); }, &shown));
    EXPECT_EQ(pressEnter([&] { return prompts.askToSave("save changes?"); }, &shown),
              Prompts::SaveChoice::Cancel);
    EXPECT_FALSE(pressEnter([&] { return prompts.offerDraft("no key"); }, &shown));
    EXPECT_EQ(shown, "no key");
}

}  // namespace
