#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "editor.h"

class QAction;
class QMenu;
class QWidget;

// The pop-up menus of the drawing area: one per element kind and the Line menu of relationship
// connectors. They are built once, parented to the window so their actions can be found by
// object name, and every item calls one Editor command on the element or connector the menu was
// opened on. Check marks are window state kept in the diagram (MenuChecks): the actions only
// mirror it, before every pop-up and after every command.
class ElementMenus : public QObject {
    Q_OBJECT
public:
    ElementMenus(Editor& editor, QWidget* window);

    QMenu* entityMenu() const { return entityMenu_; }
    QMenu* attributeMenu() const { return attributeMenu_; }
    QMenu* relationshipMenu() const { return relationshipMenu_; }
    QMenu* lineMenu() const { return lineMenu_; }
    QMenu* specializationMenu() const { return specializationMenu_; }
    // The menu a right click on an element opens; nullptr for Popup::None.
    QMenu* menuFor(Editor::Popup popup) const;

    // Shows the menu of `element` (of `connector`) without waiting for a choice; returns it
    // (nullptr when there is none). Its items act on that element (connector).
    QMenu* popupElementMenu(Editor::Popup popup, int element, const QPoint& globalPos);
    QMenu* popupLineMenu(int connector, const QPoint& globalPos);
    int elementTarget() const { return element_; }
    int lineTarget() const { return line_; }

    // Sets every check mark and the Line menu's "Description" from the diagram.
    void syncChecks();

private:
    QAction* addCommand(QMenu* menu, const char* objectName, const QString& text,
                        std::function<void()> command, bool checkable = false);
    void buildEntityMenu(QWidget* window);
    void buildAttributeMenu(QWidget* window);
    void buildRelationshipMenu(QWidget* window);
    void buildLineMenu(QWidget* window);
    void buildSpecializationMenu(QWidget* window);
    // The circle menu's checks from the circle it was opened on; a category's menu hides what
    // only a specialization has.
    void syncSpecializationChecks();

    Editor& editor_;
    int element_ = 0;  // what the element menus were last opened on
    int line_ = 0;     // what the Line menu was last opened on
    QMenu* entityMenu_ = nullptr;
    QMenu* attributeMenu_ = nullptr;
    QMenu* relationshipMenu_ = nullptr;
    QMenu* lineMenu_ = nullptr;
    QMenu* specializationMenu_ = nullptr;

    QAction* entity_ = nullptr;
    QAction* weakEntity_ = nullptr;
    QAction* entityLockSize_ = nullptr;
    QAction* attribute_ = nullptr;
    QAction* multAttribute_ = nullptr;
    QAction* key_ = nullptr;
    QAction* attributeLockSize_ = nullptr;
    QAction* relationship_ = nullptr;
    QAction* weakRelationship_ = nullptr;
    QAction* relationshipLockSize_ = nullptr;
    QAction* description_ = nullptr;
    QAction* disjoint_ = nullptr;
    QAction* overlapping_ = nullptr;
    QAction* total_ = nullptr;
    QAction* partial_ = nullptr;
    QAction* mappings_[4] = {};
    QAction* definingAttribute_ = nullptr;
};
