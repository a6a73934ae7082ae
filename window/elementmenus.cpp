#include "elementmenus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "classlinks.h"

ElementMenus::ElementMenus(Editor& editor, QWidget* window) : QObject(window), editor_(editor) {
    buildEntityMenu(window);
    buildAttributeMenu(window);
    buildRelationshipMenu(window);
    buildLineMenu(window);
    buildSpecializationMenu(window);
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

void ElementMenus::buildSpecializationMenu(QWidget* window) {
    QMenu* menu = specializationMenu_ = new QMenu(window);
    menu->setObjectName(QStringLiteral("SpecializationMenu"));
    disjoint_ = addCommand(
        menu, "mnuDisjoint", tr("不相交 (d)"), [this] { editor_.setOverlapping(element_, false); },
        true);
    overlapping_ = addCommand(
        menu, "mnuOverlapping", tr("重疊 (o)"), [this] { editor_.setOverlapping(element_, true); },
        true);
    menu->addSeparator();
    total_ = addCommand(
        menu, "mnuTotal", tr("全部 (total)"),
        [this] { editor_.setTotalSpecialization(element_, true); }, true);
    partial_ = addCommand(
        menu, "mnuPartial", tr("部分 (partial)"),
        [this] { editor_.setTotalSpecialization(element_, false); }, true);
    menu->addSeparator();
    for (int m = 0; m < 4; ++m) {
        const auto mapping = SubclassMapping(m);
        const QByteArray name = "mnuMapping" + subclassMappingName(mapping).toLatin1();
        mappings_[m] = addCommand(
            menu, name.constData(), tr("對映 %1").arg(subclassMappingName(mapping)),
            [this, mapping] { editor_.setSubclassMapping(element_, mapping); }, true);
    }
    definingAttribute_ = addCommand(menu, "mnuDefiningAttribute", tr("定義屬性..."),
                                    [this] { editor_.chooseDefiningAttribute(element_); });
    menu->addSeparator();
    addCommand(menu, "mnuSBigger", QStringLiteral("Bigger"), [this] { editor_.bigger(element_); });
    addCommand(menu, "mnuSSmaller", QStringLiteral("Smaller"),
               [this] { editor_.smaller(element_); });
    addCommand(menu, "mnuSColor", QStringLiteral("Color"), [this] { editor_.color(element_); });
    addCommand(menu, "mnuDelSpecialization", tr("刪除"),
               [this] { editor_.deleteSpecialization(element_); });
}

void ElementMenus::syncSpecializationChecks() {
    const Diagram& d = editor_.diagram();
    if (!d.isElement(element_) || !d.element(element_).isSpecializationKind()) return;
    const Element& circle = d.element(element_);
    const bool specialization = circle.is(KindSpecialization);
    for (QAction* only : {disjoint_, overlapping_, mappings_[0], mappings_[1], mappings_[2],
                          mappings_[3], definingAttribute_})
        only->setVisible(specialization);
    disjoint_->setChecked(!circle.Overlapping);
    overlapping_->setChecked(circle.Overlapping);
    total_->setChecked(circle.Total);
    partial_->setChecked(!circle.Total);
    for (int m = 0; m < 4; ++m) mappings_[m]->setChecked(circle.Mapping == SubclassMapping(m));
}

QMenu* ElementMenus::menuFor(Editor::Popup popup) const {
    switch (popup) {
        case Editor::Popup::Entity:
            return entityMenu_;
        case Editor::Popup::Attribute:
            return attributeMenu_;
        case Editor::Popup::Relationship:
            return relationshipMenu_;
        case Editor::Popup::Specialization:
            return specializationMenu_;
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
    syncSpecializationChecks();
}
