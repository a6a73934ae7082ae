#pragma once

#include <QWidget>
#include <vector>

#include "shortcutlist.h"

class QListWidget;
class QTextBrowser;

// The help window "Relvane 使用說明": a list of contents beside the manual, whose last section
// lists the main window's keys. It never blocks; one window serves every request.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Writes the manual again with this list of keys.
    void setShortcuts(const std::vector<ShortcutEntry>& shortcuts);
    // Scrolls to a section by its anchor (the first section when empty) and marks it in the list.
    void showSection(const QString& anchor);

    QTextBrowser* browser() const { return browser_; }

private:
    QListWidget* contents_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};
