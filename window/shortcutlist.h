#pragma once

#include <QString>
#include <vector>

class QMainWindow;

// One key of a window and what it does: "Ctrl+Z" and "編輯 → 復原".
struct ShortcutEntry {
    QString keys;  // every key of the command, ", " between them
    QString command;
};

// The keys that a window's menu items, other actions and buttons answer to, in menu order, then
// the actions outside the menus, then the buttons. Read from the widgets themselves, so a list
// shown from it is as current as the window.
std::vector<ShortcutEntry> shortcutsOf(const QMainWindow& window);
