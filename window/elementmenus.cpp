#include "elementmenus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

ElementMenus::ElementMenus(Editor& editor, QWidget* window) : QObject(window), editor_(editor) {
    buildEntityMenu(window);
    buildAttributeMenu(window);
    buildRelationshipMenu(window);
    buildLineMenu(window);
    syncChecks();
}

QAction* ElementMenus::addCommand(QMenu* menu, const char* objectName, const QString& text,
                                  std::function<void()> command, bool checkable) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    action->setCheckable(checkable);
    // Qt has already toggled a checkable action when `triggered` arrives; the command flips the
    // diagram's check marks itself, so the actions are set back from the diagram afterwards.
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        command();
        syncChecks();
    });
    return action;
}

void ElementMenus::buildEntityMenu(QWidget* window) {
    entityMenu_ = new QMenu(window);
    entityMenu_->setObjectName(QStringLiteral("EntityMenu"));
    entity_ = addCommand(
        entityMenu_, "mnuEntity", QStringLiteral("Entity"),
        [this] { editor_.menuEntity(element_); }, true);
    weakEntity_ = addCommand(
        entityMenu_, "mnuWeakEntity", QStringLiteral("WeakEnitty"),
        [this] { editor_.menuWeakEntity(element_); }, true);
    entityMenu_->addSeparator();
    addCommand(entityMenu_, "mnuEReName", QStringLiteral("ReName"),
               [this] { editor_.rename(Editor::Menu::Entity, element_); });
    entityLockSize_ = addCommand(
        entityMenu_, "mnuELSize", QStringLiteral("Lock Size"),
        [this] { editor_.lockSize(Editor::Menu::Entity, element_); }, true);
    addCommand(entityMenu_, "mnuEBigger", QStringLiteral("Bigger"),
               [this] { editor_.bigger(element_); });
    addCommand(entityMenu_, "mnuESmaller", QStringLiteral("Smaller"),
               [this] { editor_.smaller(element_); });
    addCommand(entityMenu_, "mnuEColor", QStringLiteral("Color"),
               [this] { editor_.color(element_); });
    addCommand(entityMenu_, "mnuDelEntity", QStringLiteral("Delete"),
               [this] { editor_.deleteEntity(element_); });
}

void ElementMenus::buildAttributeMenu(QWidget* window) {
    attributeMenu_ = new QMenu(window);
    attributeMenu_->setObjectName(QStringLiteral("AttributeMenu"));
    attribute_ = addCommand(
        attributeMenu_, "mnuAttribute", QStringLiteral("Attribute"),
        [this] { editor_.menuAttribute(element_); }, true);
    multAttribute_ = addCommand(
        attributeMenu_, "mnuMultAttribute", QStringLiteral("MultAttribute"),
        [this] { editor_.menuMultAttribute(element_); }, true);
    attributeMenu_->addSeparator();
    key_ = addCommand(
        attributeMenu_, "mnuKey", QStringLiteral("Key"), [this] { editor_.menuKey(element_); },
        true);
    addCommand(attributeMenu_, "mnuAReName", QStringLiteral("ReName"),
               [this] { editor_.rename(Editor::Menu::Attribute, element_); });
    attributeLockSize_ = addCommand(
        attributeMenu_, "mnuALSize", QStringLiteral("Lock Size"),
        [this] { editor_.lockSize(Editor::Menu::Attribute, element_); }, true);
    addCommand(attributeMenu_, "mnuABigger", QStringLiteral("Bigger"),
               [this] { editor_.bigger(element_); });
    addCommand(attributeMenu_, "mnuASmaller", QStringLiteral("Smaller"),
               [this] { editor_.smaller(element_); });
    addCommand(attributeMenu_, "mnuAColor", QStringLiteral("Color"),
               [this] { editor_.color(element_); });
    addCommand(attributeMenu_, "mnuDelAttribute", QStringLiteral("Delete"),
               [this] { editor_.deleteAttribute(element_); });
}

void ElementMenus::buildRelationshipMenu(QWidget* window) {
    relationshipMenu_ = new QMenu(window);
    relationshipMenu_->setObjectName(QStringLiteral("RelationshipMenu"));
    relationship_ = addCommand(
        relationshipMenu_, "mnuRelationship", QStringLiteral("Relationship"),
        [this] { editor_.menuRelationship(); }, true);
    weakRelationship_ = addCommand(
        relationshipMenu_, "mnuWeakRelationship", QStringLiteral("WeakRelationship"),
        [this] { editor_.menuWeakRelationship(); }, true);
    relationshipMenu_->addSeparator();
    addCommand(relationshipMenu_, "mnuRReName", QStringLiteral("ReName"),
               [this] { editor_.rename(Editor::Menu::Relationship, element_); });
    relationshipLockSize_ = addCommand(
        relationshipMenu_, "mnuRLSize", QStringLiteral("Lock Size"),
        [this] { editor_.lockSize(Editor::Menu::Relationship, element_); }, true);
    addCommand(relationshipMenu_, "mnuRBigger", QStringLiteral("Bigger"),
               [this] { editor_.bigger(element_); });
    addCommand(relationshipMenu_, "mnuRSmaller", QStringLiteral("Smaller"),
               [this] { editor_.smaller(element_); });
    addCommand(relationshipMenu_, "mnuRColor", QStringLiteral("Color"),
               [this] { editor_.color(element_); });
    addCommand(relationshipMenu_, "mnuDelRelationship", QStringLiteral("Delete"),
               [this] { editor_.deleteRelationship(element_); });
}

void ElementMenus::buildLineMenu(QWidget* window) {
    lineMenu_ = new QMenu(window);
    lineMenu_->setObjectName(QStringLiteral("LineMenu"));
    addCommand(lineMenu_, "mneParticipation", QStringLiteral("Participation"),
               [this] { editor_.participation(line_); });
    description_ = addCommand(lineMenu_, "mneDescription", QStringLiteral("Description"),
                              [this] { editor_.description(line_); });
    addCommand(lineMenu_, "mnuDelLine", QStringLiteral("Delete"),
               [this] { editor_.deleteConnector(line_); });
}

QMenu* ElementMenus::menuFor(Editor::Popup popup) const {
    switch (popup) {
        case Editor::Popup::Entity:
            return entityMenu_;
        case Editor::Popup::Attribute:
            return attributeMenu_;
        case Editor::Popup::Relationship:
            return relationshipMenu_;
        case Editor::Popup::None:
            break;
    }
    return nullptr;
}

QMenu* ElementMenus::popupElementMenu(Editor::Popup popup, int element, const QPoint& globalPos) {
    QMenu* menu = menuFor(popup);
    if (!menu) return nullptr;
    element_ = element;
    syncChecks();
    menu->popup(globalPos);
    return menu;
}

QMenu* ElementMenus::popupLineMenu(int connector, const QPoint& globalPos) {
    line_ = connector;
    syncChecks();
    lineMenu_->popup(globalPos);
    return lineMenu_;
}

void ElementMenus::syncChecks() {
    const MenuChecks& checks = editor_.diagram().checks;
    entity_->setChecked(checks.Entity);
    weakEntity_->setChecked(checks.WeakEntity);
    entityLockSize_->setChecked(checks.EntityLockSize);
    attribute_->setChecked(checks.Attribute);
    multAttribute_->setChecked(checks.MultAttribute);
    key_->setChecked(checks.Key);
    attributeLockSize_->setChecked(checks.AttributeLockSize);
    relationship_->setChecked(checks.Relationship);
    weakRelationship_->setChecked(checks.WeakRelationship);
    relationshipLockSize_->setChecked(checks.RelationshipLockSize);
    description_->setEnabled(checks.DescriptionEnabled);
}
