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
    QWidget* parentWindow() const { return parent_; }

    void message(const QString& text) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<OleColor> chooseColour(OleColor initial) override;
    bool confirm(const QString& text, Answer enter) override;
    SaveChoice askToSave(const QString& text) override;
    bool offerDraft(const QString& problems) override;

private:
    QPointer<QWidget> parent_;
};

// While it lives, the real dialogs behind `prompts` are modal over `window`; afterwards they are
// over the window they were over before. A window that stands beside the main window (the
// options window) opens one around its commands, so the dialogs they cause belong to it: the
// window manager keeps them above it, and when they close it is the one brought back to the
// front, not the main window. Scripted prompts have no dialogs and are left alone.
class PromptsParentScope {
public:
    PromptsParentScope(Prompts& prompts, QWidget* window)
        : dialogs_(dynamic_cast<DialogPrompts*>(&prompts)) {
        if (!dialogs_) return;
        previous_ = dialogs_->parentWindow();
        dialogs_->setParentWindow(window);
    }
    ~PromptsParentScope() {
        if (dialogs_) dialogs_->setParentWindow(previous_);
    }
    PromptsParentScope(const PromptsParentScope&) = delete;
    PromptsParentScope& operator=(const PromptsParentScope&) = delete;

private:
    DialogPrompts* dialogs_;
    QPointer<QWidget> previous_;
};
