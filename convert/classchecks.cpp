#include "classchecks.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

using Kind = DiagramProblem::Kind;

QString captionOf(const Diagram& d, int i) {
    return d.isElement(i) ? d.element(i).Caption : QString();
}

QString captions(const Diagram& d, const std::vector<int>& elements) {
    QStringList out;
    for (int e : elements) out << captionOf(d, e);
    return out.join(QStringLiteral(", "));
}

bool hasKey(const Diagram& d, const ClassHierarchy& classes, int entity) {
    if (classes.isSubclass(entity)) return true;
    for (int a : d.element(entity).AttributeList.items())
        if (d.isLiveElement(a) && d.element(a).underlined()) return true;
    return false;
}

// Whether anything besides its specializations needs a relation of `entity` to reference:
// relationships, weak entities it owns, multivalued attributes, categories and further classes.
bool isReferenced(const Diagram& d, const ClassHierarchy& classes, int entity) {
    const Element& e = d.element(entity);
    for (int a : e.AttributeList.items())
        if (d.isLiveElement(a) && d.element(a).is(KindMultAttribute)) return true;
    for (int k : d.connectorsOf(entity))
        if (d.isLiveConnector(k) && d.connector(k).isRelationship()) return true;
    for (int w : e.WeakEntityList.items())
        if (d.isLiveElement(w)) return true;
    return classes.isSubclass(entity) || !classes.categoriesOver(entity).empty() ||
           classes.specializationsOf(entity).size() > 1;
}

void checkSpecialization(const Diagram& d, const ClassHierarchy& classes, int circle,
                         std::vector<DiagramProblem>& problems) {
    const ClassLinks& links = classes.links(circle);
    const Element& c = d.element(circle);
    const QString name = captions(d, links.superclasses);
    if (links.superclasses.size() != 1 || links.subclasses.empty()) {
        // Named by its mark and whatever classes it joins.
        QString which = specializationMark(c);
        if (const QString joined =
                captions(d, links.superclasses.empty() ? links.subclasses : links.superclasses);
            !joined.isEmpty())
            which += QStringLiteral(" (%1)").arg(joined);
        problems.push_back({Kind::ClassLinks,
                            QCoreApplication::translate(
                                "CheckDiagram", "特殊化 %1 必須恰有一個超類別, 並至少有一個子類別")
                                .arg(which),
                            circle, 0});
        return;
    }
    const int super = links.superclasses.front();
    if (c.DefiningAttribute && (!d.isLiveElement(c.DefiningAttribute) ||
                                !d.element(super).AttributeList.containsItem(c.DefiningAttribute)))
        problems.push_back(
            {Kind::DefiningAttribute,
             QCoreApplication::translate("CheckDiagram", "%1 的特殊化的定義屬性 %2 不是 %1 的屬性")
                 .arg(name, captionOf(d, c.DefiningAttribute)),
             circle, 0});
    QString refusal;
    if (c.Mapping == SubclassMapping::SubclassesOnly && !c.Total)
        refusal = QCoreApplication::translate(
            "CheckDiagram",
            "%1 的特殊化是部分特殊化, 不能用 8B 對映: 不屬任何子類別的 %1 會沒有關聯可放");
    else if (c.Mapping == SubclassMapping::SubclassesOnly && isReferenced(d, classes, super))
        refusal = QCoreApplication::translate(
            "CheckDiagram",
            "%1 的特殊化不能用 8B 對映: 8B 不給 %1 自己的關聯, 但 %1 還參與關係、擁有弱實體"
            "或多值屬性、或屬其他特殊化或類別, 需要一個關聯供參照");
    else if (c.Mapping == SubclassMapping::OneTypeAttribute && c.Overlapping)
        refusal = QCoreApplication::translate(
            "CheckDiagram", "%1 的特殊化是重疊的, 不能用 8C 對映: 一個類型屬性只能記錄一個子類別");
    if (!refusal.isEmpty()) problems.push_back({Kind::MappingOption, refusal.arg(name), circle, 0});
}

void checkCategory(const Diagram& d, const ClassHierarchy& classes, int circle,
                   std::vector<DiagramProblem>& problems) {
    const ClassLinks& links = classes.links(circle);
    // One superclass would make the category a mere subclass: a category unites at least two.
    if (links.superclasses.size() < 2 || links.subclasses.size() != 1) {
        problems.push_back({Kind::ClassLinks,
                            QCoreApplication::translate(
                                "CheckDiagram", "類別 %1 必須有至少兩個超類別, 並恰有一個子類別")
                                .arg(captions(d, links.subclasses)),
                            circle, 0});
        return;
    }
    for (int s : links.superclasses)
        if (!hasKey(d, classes, s))
            problems.push_back({Kind::CategoryKey,
                                QCoreApplication::translate(
                                    "CheckDiagram", "實體 %1 是類別 %2 的超類別, 必須設定主鍵")
                                    .arg(captionOf(d, s), captionOf(d, links.subclasses.front())),
                                s, 0});
}

}  // namespace

void checkCircle(const Diagram& d, const ClassHierarchy& classes, int circle,
                 std::vector<DiagramProblem>& problems) {
    if (d.element(circle).is(KindCategory))
        checkCategory(d, classes, circle, problems);
    else
        checkSpecialization(d, classes, circle, problems);
}

void checkClassCycles(const Diagram& d, const ClassHierarchy& classes,
                      std::vector<DiagramProblem>& problems) {
    const std::vector<int> cycle = classes.findCycle();
    if (cycle.empty()) return;
    QStringList chain;
    for (int e : cycle) chain << captionOf(d, e);
    problems.push_back(
        {Kind::ClassCycle,
         QCoreApplication::translate("CheckDiagram", "類別形成循環, %1 成為自己的子類別: %2")
             .arg(captionOf(d, cycle.front()), chain.join(QStringLiteral(" → "))),
         cycle.front(), 0});
}
