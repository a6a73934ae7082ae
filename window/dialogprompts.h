#pragma once

#include <QPointer>
#include <QWidget>

#include "prompts.h"

// Prompts answered by the real dialogs, modal over `parent`, all titled with the program's title
// unless the command names its own.
class DialogPrompts : public Prompts {
public:
    explicit DialogPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    // The window the dialogs are modal over.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void message(const QString& text) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<OleColor> chooseColour(OleColor initial) override;
    bool confirm(const QString& text) override;
    SaveChoice askToSave(const QString& text) override;

private:
    QPointer<QWidget> parent_;
};
