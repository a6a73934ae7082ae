#include "listorders.h"

#include <QHash>
#include <algorithm>
#include <deque>
#include <limits>
#include <map>

namespace {

constexpr QChar kPartSeparator = QLatin1Char(';');
constexpr QChar kDetached = QLatin1Char('!');

// The lists whose order the load cannot rebuild, by their letter in the text.
struct ListField {
    char letter;
    Collection Element::*list;
};
constexpr ListField kLists[] = {
    {'a', &Element::AttributeList},      {'l', &Element::RelationList},
    {'r', &Element::RelativeEntityList}, {'p', &Element::PrimaryEntityList},
    {'w', &Element::WeakRelationList},
};

QString joinedItems(const Collection& list) {
    QStringList items;
    for (const qint16 item : list.items()) items << QString::number(item);
    return items.join(QLatin1Char(','));
}

// Whole numbers in the 16-bit range only; anything else spoils the part it is in.
std::optional<qint16> itemOf(QStringView text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}

std::optional<std::vector<qint16>> itemsOf(QStringView text) {
    std::vector<qint16> items;
    for (const QStringView part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<qint16> item = itemOf(part);
        if (!item) return std::nullopt;
        items.push_back(*item);
    }
    return items;
}

// The list in the order of `items`, when it holds exactly those items (each entry keeps its key;
// entries of one item keep their order among themselves).
std::optional<Collection> reordered(const Collection& list, std::vector<qint16> items) {
    if (int(items.size()) != list.count()) return std::nullopt;
    std::vector<qint16> held = list.items();
    std::vector<qint16> wanted = items;
    std::sort(held.begin(), held.end());
    std::sort(wanted.begin(), wanted.end());
    if (held != wanted) return std::nullopt;
    std::map<qint16, std::deque<const Collection::Entry*>> byItem;
    for (const Collection::Entry& entry : list.entries()) byItem[entry.item].push_back(&entry);
    Collection result;
    for (const qint16 item : items) {
        const Collection::Entry* entry = byItem[item].front();
        byItem[item].pop_front();
        if (!result.add(entry->item, entry->key)) return std::nullopt;
    }
    return result;
}

}  // namespace

QString encodeListOrders(const Document& d) {
    QStringList parts;
    QStringList connectors;
    for (int k = 1; k < d.connectorCount(); ++k) {
        if (!d.isLiveConnector(k) || !d.connector(k).isRelationship()) continue;
        const Connector& c = d.connector(k);
        QString part = QString::number(c.first) + QLatin1Char('.') + QString::number(c.second);
        const bool related =
            d.isElement(c.second) && d.element(c.second).RelativeEntityList.containsItem(c.first);
        if (!related) part += kDetached;
        connectors << part;
    }
    if (!connectors.isEmpty()) parts << QStringLiteral("c:") + connectors.join(QLatin1Char(','));
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        if (!e.Visible) continue;
        for (const ListField& field : kLists) {
            const Collection& list = e.*field.list;
            if (list.count() < 2) continue;
            parts << QLatin1Char(field.letter) + QString::number(i) + QLatin1Char(':') +
                         joinedItems(list);
        }
    }
    return parts.join(kPartSeparator);
}

void orderInvokeRows(std::vector<ProjectRows::InvokeRow>& rows, const QString& orders) {
    QStringView sequence;
    for (const QStringView part : QStringView(orders).split(kPartSeparator))
        if (part.startsWith(QLatin1String("c:"))) sequence = part.mid(2);
    if (sequence.isEmpty()) return;
    // Each connector's place in the drawing, by its ends; a pair drawn twice (a recursive
    // relationship) takes its places in turn, its first row the first.
    QHash<std::pair<int, int>, std::deque<std::pair<int, bool>>> places;
    int place = 0;
    for (QStringView item : sequence.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const bool detached = item.endsWith(kDetached);
        if (detached) item.chop(1);
        const qsizetype dot = item.indexOf(QLatin1Char('.'));
        const auto entity = itemOf(item.left(dot)), relationship = itemOf(item.mid(dot + 1));
        if (dot < 0 || !entity || !relationship) return;  // not written by Relvane: leave it
        places[{*relationship, *entity}].push_back({place++, detached});
    }
    std::vector<std::pair<int, ProjectRows::InvokeRow>> ranked;
    ranked.reserve(rows.size());
    for (ProjectRows::InvokeRow& row : rows) {
        auto& queue = places[{row.relationship, row.entity}];
        int rank = place + int(ranked.size());
        if (!queue.empty()) {
            rank = queue.front().first;
            row.detached = queue.front().second;
            queue.pop_front();
        }
        ranked.emplace_back(rank, std::move(row));
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t n = 0; n < rows.size(); ++n) rows[n] = std::move(ranked[n].second);
}

void applyListOrders(Document& d, const QString& orders) {
    for (const QStringView part : QStringView(orders).split(kPartSeparator, Qt::SkipEmptyParts)) {
        const qsizetype colon = part.indexOf(QLatin1Char(':'));
        if (colon < 2) continue;
        const char letter = part.front().toLatin1();
        const auto field =
            std::find_if(std::begin(kLists), std::end(kLists),
                         [letter](const ListField& f) { return f.letter == letter; });
        const std::optional<qint16> index = itemOf(part.mid(1, colon - 1));
        const auto items = itemsOf(part.mid(colon + 1));
        if (field == std::end(kLists) || !index || !d.isLiveElement(*index) || !items) continue;
        Collection& list = d.element(*index).*field->list;
        if (auto ordered = reordered(list, *items)) list = std::move(*ordered);
    }
}
