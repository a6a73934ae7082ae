#include "dialogprompts.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

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

Prompts::SaveChoice DialogPrompts::askToSave(const QString& text) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton,
                    parent_);
    QPushButton* save = box.addButton(QCoreApplication::translate("DialogPrompts", "儲存"),
                                      QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QCoreApplication::translate("DialogPrompts", "不儲存"),
                                         QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("DialogPrompts", "取消"),
                                        QMessageBox::RejectRole);
    // Enter keeps everything as it is.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

bool DialogPrompts::confirm(const QString& text, Answer enter) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(enter == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool DialogPrompts::offerDraft(const QString& problems) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(), problems, QMessageBox::NoButton,
                    parent_);
    QPushButton* draft = box.addButton(
        QCoreApplication::translate("DialogPrompts", "儲存為草稿"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("DialogPrompts", "取消"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == draft;
}
