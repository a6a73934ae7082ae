#include "checkdiagram.h"

#include <QHash>
#include <QPair>
#include <vector>

#include "module1.h"

namespace {

QString captionOf(const Diagram& d, const QString& indexText) {
    const int i = indexText.toInt();
    return d.isElement(i) ? d.element(i).Caption : QString();
}

bool hasKeyAttribute(const Diagram& d, const Element& entity) {
    for (const auto& entry : entity.AttributeList->entries())
        if (d.isElement(entry.item) && d.element(entry.item).underlined()) return true;
    return false;
}

using TagHalves = QPair<QString, QString>;

// Live connectors by the two halves of their tag, lowest index first: the twin of a recursive
// connector is found here. A deleted connector keeps its tag but takes no part.
QHash<TagHalves, std::vector<int>> liveConnectorsByTag(const Diagram& d) {
    QHash<TagHalves, std::vector<int>> index;
    for (int j = 1; j < d.connectorCount(); ++j) {
        const Line& line = d.connector(j).Line1;
        if (line.Visible) index[{MinPart(line.Tag), MaxPart(line.Tag)}].push_back(j);
    }
    return index;
}

}  // namespace

bool CheckDiagram(Diagram& d, Prompts& prompts) {
    bool anyVisible = false;
    for (int i = 1; i < d.elementCount() && !anyVisible; ++i) anyVisible = d.element(i).Visible;
    if (!anyVisible) {
        prompts.message(QStringLiteral("目前沒有任何資料"));
        return false;
    }

    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        if (!e.Visible) continue;
        if (e.is(KindEntity)) {
            if (!hasKeyAttribute(d, e)) {
                prompts.message(QStringLiteral("實體 ") + e.Caption +
                                QStringLiteral(" 沒有設定主鍵"));
                return false;
            }
        } else if (e.isAttributeKind()) {
            if (e.RelativeEntityList->isEmpty()) {
                prompts.message(QStringLiteral("屬性 ") + e.Caption +
                                QStringLiteral(" 未設定擁有者!"));
                return false;
            }
        } else if (e.isRelationshipKind()) {
            if (e.RelativeEntityList->count() < 2) {
                prompts.message(QStringLiteral("關聯實體 ") + e.Caption +
                                QStringLiteral(" 的關聯數至少應是 2 個"));
                return false;
            }
        }
    }

    const QHash<TagHalves, std::vector<int>> twins = liveConnectorsByTag(d);
    for (int k = 1; k < d.connectorCount(); ++k) {
        Connector& c = d.connector(k);
        if (!c.Line1.Visible || !d.isRelationshipConnector(k)) continue;
        const TagHalves halves{MinPart(c.Line1.Tag), MaxPart(c.Line1.Tag)};
        const QString between = QStringLiteral("Entity ") + captionOf(d, halves.first) +
                                QStringLiteral(" 與 Relationship ") + captionOf(d, halves.second);

        if (c.Line2.Visible && d.settings.PresentStyle == 1 &&
            c.MN.Caption != QStringLiteral("1,N")) {
            prompts.message(between + QStringLiteral(" 之間為弱實體關係, 參與度必須為 1,N"));
            return false;
        }

        if (c.MN.Caption.isEmpty()) {
            prompts.message(between + QStringLiteral(" 之間的參與度未設定, 已更改為預設值 0,N"));
            d.setLabelCaption(c.MN, QStringLiteral("0,N"));
            d.notifyConnector(k);
        }

        if (c.Line1.dotted()) {
            if (c.Description.Caption.isEmpty()) {
                prompts.message(between + QStringLiteral(" 為遞迴關係, 請設定角色"));
                return false;
            }
            const auto found = twins.constFind(halves);
            if (found == twins.constEnd()) continue;
            for (int j : *found) {
                if (j == k) continue;
                if (MaxPart(c.MN.Caption) == QStringLiteral("N") &&
                    MaxPart(d.connector(j).MN.Caption) == QStringLiteral("N")) {
                    prompts.message(between + QStringLiteral(" 的兩個角色, 不可為 N:N 的關係"));
                    return false;
                }
            }
        }
    }
    return true;
}
