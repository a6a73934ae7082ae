#include "classlinks.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

bool contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

#include <QCoreApplication>
#include <QStringList>

ClassLinks classLinksOf(const Document& document, int circle) {
    ClassLinks links;
    if (!document.isLiveElement(circle)) return links;
    for (int k : document.connectorsOf(circle)) {
        const Connector& c = document.connector(k);
        if (!c.Line1.Visible || c.second != circle || !document.isLiveElement(c.first)) continue;
        if (c.kind == ConnectorKind::Superclass) {
            links.superclasses.push_back(c.first);
            links.superclassConnectors.push_back(k);
        } else if (c.kind == ConnectorKind::Subclass) {
            links.subclasses.push_back(c.first);
            links.subclassConnectors.push_back(k);
        }
    }
    return links;
}

QString classCaptions(const Document& document, const std::vector<int>& classes) {
    if (classes.empty()) return QCoreApplication::translate("ClassLinks", "無");
    QStringList captions;
    for (int i : classes) captions << document.element(i).Caption;
    return captions.join(QStringLiteral(", "));
}

bool carriesTotal(const Element& circle, ConnectorKind kind) {
    return circle.is(KindCategory) ? kind == ConnectorKind::Subclass
                                   : kind == ConnectorKind::Superclass;
}

QString specializationMark(const Element& circle) {
    if (circle.is(KindCategory)) return QStringLiteral("\u222A");
    return circle.Overlapping ? QStringLiteral("o") : QStringLiteral("d");
}

QString subclassMappingName(SubclassMapping mapping) {
    return QStringLiteral("8") + QChar(u'A' + int(mapping));
}

bool parseSubclassMapping(const QString& text, SubclassMapping* mapping) {
    QString letter = text.trimmed().toUpper();
    if (letter.startsWith(QLatin1Char('8'))) letter.remove(0, 1);
    if (letter.size() != 1 || letter[0] < QLatin1Char('A') || letter[0] > QLatin1Char('D'))
        return false;
    *mapping = SubclassMapping(letter[0].unicode() - u'A');
    return true;
}

QString subclassLinkRefusal(const Document& document, int superclass, int circle, int subclass) {
    const ClassLinks links = classLinksOf(document, circle);
    const bool category = document.element(circle).is(KindCategory);
    const auto caption = [&document](int i) { return document.element(i).Caption; };
    if (superclass == subclass)
        return QCoreApplication::translate("Specializing", "%1 不能是自己的子類別")
            .arg(caption(subclass));
    if (!category && !links.superclasses.empty() && links.superclasses.front() != superclass)
        return QCoreApplication::translate("Specializing", "特殊化 %1 已有父類別 %2")
            .arg(caption(circle), caption(links.superclasses.front()));
    if (category && !links.subclasses.empty() && links.subclasses.front() != subclass)
        return QCoreApplication::translate("Specializing", "類別 %1 已有子類別 %2")
            .arg(caption(circle), caption(links.subclasses.front()));
    if (contains(links.superclasses, subclass) || contains(links.subclasses, superclass))
        return QCoreApplication::translate("Specializing", "%1 與 %2 不能同時是父類別與子類別")
            .arg(caption(superclass), caption(subclass));
    if (contains(links.superclasses, superclass) && contains(links.subclasses, subclass))
        return QCoreApplication::translate("Specializing", "%1 已是 %2 的子類別")
            .arg(caption(subclass), caption(superclass));
    return {};
}
