#include "dialogprompts.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "appinfo.h"

void DialogPrompts::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<QString> DialogPrompts::input(const QString& prompt, const QString& title,
                                            const QString& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, title.isEmpty() ? applicationTitle() : title, prompt,
                              QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

std::optional<OleColor> DialogPrompts::chooseColour(OleColor initial) {
    const QColor chosen = QColorDialog::getColor(toQColor(initial), parent_, applicationTitle());
    if (!chosen.isValid()) return std::nullopt;
    return fromQColor(chosen);
}

namespace {

// A question with the given buttons and 取消 after them; Enter and Esc answer 取消, so Enter keeps
// everything as it is. Returns the index of the button chosen, or -1 for 取消.
int askWithCancel(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                  const std::vector<std::pair<QString, QMessageBox::ButtonRole>>& choices) {
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const auto& [caption, role] : choices) buttons.push_back(box.addButton(caption, role));
    QPushButton* cancel = box.addButton(QCoreApplication::translate("DialogPrompts", "取消"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? -1 : int(chosen - buttons.begin());
}

}  // namespace

Prompts::SaveChoice DialogPrompts::askToSave(const QString& text) {
    switch (askWithCancel(
        parent_, QMessageBox::Question, text,
        {{QCoreApplication::translate("DialogPrompts", "儲存"), QMessageBox::AcceptRole},
         {QCoreApplication::translate("DialogPrompts", "不儲存"), QMessageBox::DestructiveRole}})) {
        case 0:
            return SaveChoice::Save;
        case 1:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

bool DialogPrompts::confirm(const QString& text, Answer enter) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(enter == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool DialogPrompts::offerDraft(const QString& problems) {
    return askWithCancel(parent_, QMessageBox::Warning, problems,
                         {{QCoreApplication::translate("DialogPrompts", "儲存為草稿"),
                           QMessageBox::AcceptRole}}) == 0;
}
