#include "shortcutlist.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace {

// A menu item's or a menu's name without its mnemonic mark and without the key shown after a tab.
// The icon text stays put while the text changes (Undo names the step it takes back).
QString plainName(const QAction* action) {
    QString name = action->iconText().section(QLatin1Char('\t'), 0, 0);
    name.remove(QLatin1Char('&'));
    return name.trimmed();
}

QString keysText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys) texts << key.toString(QKeySequence::NativeText);
    return texts.join(QStringLiteral(", "));
}

// True when the object sits in the window itself, not in a window it opened (the help window's
// own text browser, say).
bool inWindow(const QObject* object, const QMainWindow& window) {
    for (const QObject* o = object; o; o = o->parent())
        if (const auto* widget = qobject_cast<const QWidget*>(o))
            return widget->window() == &window;
    return false;
}

class Collector {
public:
    void menu(const QMenu* menu, const QString& path) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            const QString name = path + QStringLiteral(" → ") + plainName(action);
            if (const QMenu* sub = action->menu()) {
                this->menu(sub, name);
            } else {
                add(action, name);
            }
        }
    }

    void add(const QAction* action, const QString& command) {
        if (action->shortcuts().isEmpty() || seen_.contains(action)) return;
        seen_.insert(action);
        entries_.push_back({keysText(action->shortcuts()), command});
    }

    void add(const QAbstractButton* button) {
        if (button->shortcut().isEmpty()) return;
        entries_.push_back(
            {keysText({button->shortcut()}),
             QCoreApplication::translate("ShortcutList", "「%1」按鈕").arg(button->text())});
    }

    std::vector<ShortcutEntry> take() { return std::move(entries_); }

private:
    QSet<const QAction*> seen_;
    std::vector<ShortcutEntry> entries_;
};

}  // namespace

std::vector<ShortcutEntry> shortcutsOf(const QMainWindow& window) {
    Collector collect;
    for (const QAction* top : window.menuBar()->actions())
        if (const QMenu* menu = top->menu()) collect.menu(menu, plainName(top));
    for (const QAction* action : window.findChildren<QAction*>())
        if (inWindow(action, window)) collect.add(action, plainName(action));
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (inWindow(button, window)) collect.add(button);
    return collect.take();
}
