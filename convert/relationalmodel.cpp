#include "relationalmodel.h"

#include <QCoreApplication>

void RelationalModelBuilder::startRelation(const QString& name, int element,
                                           RelationOrigin origin) {
    current_ = int(model_.relations.size());
    appendingFor_ = 0;
    model_.relations.push_back(Relation{name, element, origin, {}, {}, {}});
    if (origin == RelationOrigin::Entity || origin == RelationOrigin::WeakEntity)
        entityRelations_.emplace(element, current_);
    model_.steps.push_back(OutputStep{current_, false, 0, 0});
}

void RelationalModelBuilder::add(Column column) {
    if (current_ < 0) return;
    Relation& relation = model_.relations[size_t(current_)];
    column.addedBy = appendingFor_;
    column.why = columnsWhy_;
    relation.columns.push_back(std::move(column));
    ++model_.steps.back().columnCount;
}

void RelationalModelBuilder::addOwnColumn(const QString& caption, bool underline, int element,
                                          bool required) {
    Column c;
    c.name = caption;
    c.key = underline;
    c.required = underline || required;
    c.element = element;
    add(std::move(c));
}

void RelationalModelBuilder::addForeignKeyColumn(const QString& text, bool underline, bool italic,
                                                 const ForeignKey& references, bool required) {
    Column c;
    c.name = text;
    c.key = underline;
    c.required = underline || required;
    c.italic = italic;
    c.references = references;
    add(std::move(c));
}

bool RelationalModelBuilder::openForAppending(int holder, int relationship) {
    const auto found = entityRelations_.find(holder);
    if (found == entityRelations_.end()) {
        current_ = -1;
        return false;
    }
    current_ = found->second;
    appendingFor_ = relationship;
    const int first = int(model_.relations[size_t(current_)].columns.size());
    model_.steps.push_back(OutputStep{current_, true, first, 0});
    return true;
}

bool RelationalModelBuilder::allowValues(int element, const QStringList& values) {
    if (current_ < 0) return false;
    for (Column& column : model_.relations[size_t(current_)].columns)
        if (!column.references && column.element == element) {
            column.allowedValues = values;
            column.why = columnsWhy_;
            return true;
        }
    return false;
}

void RelationalModelBuilder::alsoReference(int group, int entity) {
    if (current_ >= 0) model_.relations[size_t(current_)].sharedKeys.push_back({group, entity});
}

void RelationalModelBuilder::finishRelation() {
    current_ = -1;
    appendingFor_ = 0;
}

void RelationalModelBuilder::explainRelation(Explanation why) {
    if (current_ >= 0) model_.relations[size_t(current_)].why = std::move(why);
}

QString ruleTitle(int rule) {
    static const char* const names[] = {QT_TRANSLATE_NOOP("RelationalModel", "實體"),
                                        QT_TRANSLATE_NOOP("RelationalModel", "弱實體"),
                                        QT_TRANSLATE_NOOP("RelationalModel", "一對一關係"),
                                        QT_TRANSLATE_NOOP("RelationalModel", "一對多關係"),
                                        QT_TRANSLATE_NOOP("RelationalModel", "多對多關係"),
                                        QT_TRANSLATE_NOOP("RelationalModel", "多值屬性"),
                                        QT_TRANSLATE_NOOP("RelationalModel", "多元關係")};
    static const char* const classRules[] = {
        QT_TRANSLATE_NOOP("RelationalModel", "規則 8A 特殊化: 超類別與每個子類別各一個關聯"),
        QT_TRANSLATE_NOOP("RelationalModel", "規則 8B 特殊化: 只有子類別的關聯"),
        QT_TRANSLATE_NOOP("RelationalModel", "規則 8C 特殊化: 一個關聯加一個類型屬性"),
        QT_TRANSLATE_NOOP("RelationalModel", "規則 8D 特殊化: 一個關聯加每個子類別的布林旗標"),
        QT_TRANSLATE_NOOP("RelationalModel", "規則 9 類別: 以代理鍵參照各超類別")};
    if (rule >= RuleSpecializationA && rule <= RuleCategory)
        return QCoreApplication::translate("RelationalModel",
                                           classRules[rule - RuleSpecializationA]);
    if (rule < RuleEntity || rule > RuleNary) return QString();
    return QCoreApplication::translate("RelationalModel", "規則 %1 ").arg(rule) +
           QCoreApplication::translate("RelationalModel", names[rule - 1]);
}
