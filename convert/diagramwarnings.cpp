#include "diagramwarnings.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <optional>

#include "module1.h"

namespace {

using Kind = DiagramWarning::Kind;

// A participation bound as a number; "N" (or any other word) is unbounded.
std::optional<int> bound(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString captionOf(const Diagram& d, int i) {
    return d.isElement(i) ? d.element(i).Caption : QString();
}

bool hasOwnKey(const Diagram& d, const Element& e) {
    for (const qint16 a : e.AttributeList.items())
        if (d.isLiveElement(a) && d.element(a).underlined()) return true;
    return false;
}

// The live relationship connectors ending on relationship r.
std::vector<int> connectorsOfRelationship(const Diagram& d, int r) {
    std::vector<int> out;
    for (int k : d.connectorsOf(r))
        if (d.isLiveConnector(k) && d.isRelationshipConnector(k) && d.connector(k).second == r)
            out.push_back(k);
    return out;
}

}  // namespace

std::vector<DiagramWarning> findWarnings(const Diagram& d) {
    std::vector<DiagramWarning> out;
    QHash<QString, int> entityNames, relationshipNames;
    for (int i = 1; i < d.elementCount(); ++i) {
        if (!d.isLiveElement(i)) continue;
        const Element& e = d.element(i);
        const QString caption = e.Caption.trimmed();
        if (e.isEntityKind() || e.isRelationshipKind()) {
            QHash<QString, int>& names = e.isEntityKind() ? entityNames : relationshipNames;
            if (names.contains(caption))
                out.push_back(
                    {Kind::DuplicateName,
                     QCoreApplication::translate("DiagramWarnings", "%1 與另一個%2同名")
                         .arg(e.Caption,
                              e.isEntityKind()
                                  ? QCoreApplication::translate("DiagramWarnings", "實體")
                                  : QCoreApplication::translate("DiagramWarnings", "關係")),
                     i});
            else
                names.insert(caption, i);
            QSet<QString> attributes;
            for (const qint16 a : e.AttributeList.items()) {
                if (!d.isLiveElement(a)) continue;
                const QString name = d.element(a).Caption.trimmed();
                if (attributes.contains(name))
                    out.push_back(
                        {Kind::DuplicateAttribute,
                         QCoreApplication::translate("DiagramWarnings", "%1 有兩個名為 %2 的屬性")
                             .arg(e.Caption, name),
                         i});
                attributes.insert(name);
            }
        }
        if (e.is(KindWeakEntity) && !hasOwnKey(d, e))
            out.push_back(
                {Kind::WeakEntityWithoutOwnKey,
                 QCoreApplication::translate("DiagramWarnings", "弱實體 %1 沒有自己的部分鍵")
                     .arg(e.Caption),
                 i});
        if (e.is(KindRelationship)) {
            const std::vector<int> ends = connectorsOfRelationship(d, i);
            const auto manyAndTotal = [&](int k) {
                const QString p = d.connector(k).MN.Caption;
                return MaxPart(p) == QLatin1String("N") && bound(MinPart(p)).value_or(0) >= 1;
            };
            if (ends.size() == 2 && manyAndTotal(ends[0]) && manyAndTotal(ends[1]))
                out.push_back(
                    {Kind::ManyToManyBothTotal,
                     QCoreApplication::translate("DiagramWarnings",
                                                 "關係 %1 是多對多關係, 兩邊都是完全參與, 請再確認")
                         .arg(e.Caption),
                     i});
        }
    }
    for (int k = 1; k < d.connectorCount(); ++k) {
        if (!d.isLiveConnector(k) || !d.isRelationshipConnector(k)) continue;
        const Connector& c = d.connector(k);
        const std::optional<int> low = bound(MinPart(c.MN.Caption));
        const std::optional<int> high = bound(MaxPart(c.MN.Caption));
        if (low && high && *low > *high)
            out.push_back({Kind::MinimumAboveMaximum,
                           QCoreApplication::translate(
                               "DiagramWarnings",
                               "Entity %1 與 Relationship %2 之間的參與度 %3 最小值大於最大值")
                               .arg(captionOf(d, c.first), captionOf(d, c.second), c.MN.Caption),
                           0, k});
    }
    return out;
}
