#include "fragment.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <map>

#include "classlinks.h"
#include "diagram.h"
#include "invariants.h"
#include "recoverysnapshot.h"

namespace {

// The fragment's bytes: this marker, then the document as a recovery image holds it.
constexpr char kFragmentMagic[] = "RELVANE-FRAGMENT";
// More than any diagram can hold is no fragment of one; refused before it is read.
constexpr qsizetype kLargestFragmentBytes = 64 * 1024 * 1024;

using IndexMap = std::map<int, int>;

// Collections file their items under the item's own index ("12"), the second link of a recursive
// relationship under "12_2": the key follows the item to its new index. Entries naming elements
// outside the map are dropped.
Collection remapped(const Collection& from, const IndexMap& map) {
    static const QRegularExpression indexKey(QStringLiteral("^(\\d+)(_2)?$"));
    Collection to;
    for (const Collection::Entry& entry : from.entries()) {
        const auto found = map.find(entry.item);
        if (found == map.end()) continue;
        QString key = entry.key;
        const QRegularExpressionMatch m = indexKey.match(key);
        if (m.hasMatch() && m.captured(1).toInt() == entry.item)
            key = QString::number(found->second) + m.captured(2);
        to.add(qint16(found->second), key);
    }
    return to;
}

bool isKnownKind(const Element& e) {
    for (int kind = KindEntity; kind <= KindCategory; ++kind)
        if (e.is(kind)) return true;
    return false;
}

// Whether the live connector k shows a relation its two ends still list.
bool showsRelation(const Document& doc, const Connector& c) {
    const QString second = QString::number(c.second);
    if (c.isAttribute()) return doc.element(c.first).AttributeList.containsKey(second);
    // Superclass and subclass lines are the relation itself: no collection lists them.
    if (c.isClassLink()) return true;
    return c.isRelationship() && doc.element(c.first).RelationList.containsKey(second) &&
           doc.element(c.second).RelativeEntityList.containsItem(c.first);
}

// Cuts the weak designations that lost their other half in the copy (see Fragment).
void settleWeakness(Document& doc, const std::map<int, int>& lostIdentifying) {
    for (int i = 1; i < doc.elementCount(); ++i) {
        Element& e = doc.element(i);
        if (e.is(KindWeakEntity) && e.WeakRelationList.isEmpty() && lostIdentifying.count(i)) {
            e.Shape = KindEntity;
            e.PrimaryEntityList.clear();
        }
        if (!e.is(KindWeakRelationship)) continue;
        bool identifies = false;
        for (int w = 1; w < doc.elementCount(); ++w)
            identifies =
                identifies || (doc.element(w).is(KindWeakEntity) &&
                               doc.element(w).WeakRelationList.containsKey(QString::number(i)));
        if (identifies) continue;
        e.Shape = KindRelationship;
        for (int k : doc.connectorsOf(i)) doc.connector(k).Line2.Visible = false;
    }
}

// A circle keeps its defining attribute only while the attribute came along with the superclass
// that owns it.
void settleDefiningAttributes(Document& doc) {
    for (int i = 1; i < doc.elementCount(); ++i) {
        Element& circle = doc.element(i);
        if (circle.DefiningAttribute == 0) continue;
        const ClassLinks links = classLinksOf(doc, i);
        if (links.superclasses.empty() || !doc.isElement(circle.DefiningAttribute) ||
            !doc.element(circle.DefiningAttribute)
                 .RelativeEntityList.containsItem(qint16(links.superclasses.front())))
            circle.DefiningAttribute = 0;
    }
}

}  // namespace

void renumberCollections(Element& e, const std::map<int, int>& map) {
    for (Collection* list : {&e.AttributeList, &e.RelationList, &e.RelativeEntityList,
                             &e.PrimaryEntityList, &e.WeakRelationList, &e.WeakEntityList})
        *list = remapped(*list, map);
    // A circle's defining attribute comes along only with the attribute itself.
    const auto attribute = map.find(e.DefiningAttribute);
    e.DefiningAttribute = attribute == map.end() ? 0 : qint16(attribute->second);
}

QRectF Fragment::bounds() const {
    QRectF all;
    for (int i = 1; i < document.elementCount(); ++i) {
        const Element& e = document.element(i);
        all = all.united(QRectF(e.Left, e.Top, e.Width, e.Height));
    }
    return all;
}

Fragment copyFragment(const Diagram& diagram, const std::set<int>& selection) {
    const Document& source = diagram.document();
    IndexMap map;
    for (int i : selection)
        if (source.isLiveElement(i)) map.emplace(i, int(map.size()) + 1);

    Fragment fragment;
    Document& doc = fragment.document;
    std::map<int, int> lostIdentifying;  // fragment index -> identifying relationships left behind
    for (const auto& [from, to] : map) {
        Element e = source.element(from);
        const int identifying = e.WeakRelationList.count();
        renumberCollections(e, map);
        if (e.WeakRelationList.count() < identifying) lostIdentifying[to] = identifying;
        doc.appendElement(e);
    }
    for (int k = 1; k < source.connectorCount(); ++k) {
        if (!source.isLiveConnector(k)) continue;
        Connector c = source.connector(k);
        const auto first = map.find(c.first), second = map.find(c.second);
        if (first == map.end() || second == map.end() || !showsRelation(source, c)) continue;
        c.first = qint16(first->second);
        c.second = qint16(second->second);
        doc.appendConnector(c);
    }
    settleWeakness(doc, lostIdentifying);
    settleDefiningAttributes(doc);
    return fragment;
}

QByteArray encodeFragment(const Fragment& fragment) {
    RecoverySnapshot snapshot;
    snapshot.document = fragment.document;
    return QByteArray(kFragmentMagic) + encodeSnapshot(snapshot);
}

std::optional<Fragment> decodeFragment(const QByteArray& bytes, QString* problem) {
    const auto refuse = [problem](const QString& why) -> std::optional<Fragment> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    const QString unreadable =
        QCoreApplication::translate("Fragment", "剪貼簿的內容不是可貼上的圖形元素");
    if (bytes.size() > kLargestFragmentBytes)
        return refuse(QCoreApplication::translate("Fragment", "剪貼簿的內容太大, 無法貼上"));
    if (!bytes.startsWith(kFragmentMagic)) return refuse(unreadable);
    const std::optional<RecoverySnapshot> snapshot =
        decodeSnapshot(bytes.mid(qsizetype(sizeof kFragmentMagic - 1)), nullptr);
    if (!snapshot) return refuse(unreadable);

    // Only live elements of known kinds and live connectors between them, forming a consistent
    // diagram of their own: anything else did not come from copyFragment.
    const Document& doc = snapshot->document;
    for (int i = 1; i < doc.elementCount(); ++i)
        if (!doc.isLiveElement(i) || !isKnownKind(doc.element(i))) return refuse(unreadable);
    for (int k = 1; k < doc.connectorCount(); ++k) {
        const Connector& c = doc.connector(k);
        if (!doc.isLiveConnector(k) || c.kind == ConnectorKind::None || !doc.isElement(c.first) ||
            !doc.isElement(c.second))
            return refuse(unreadable);
    }
    Diagram check;
    check.replaceDocument(doc);
    if (!findInconsistency(check, {}).isEmpty()) return refuse(unreadable);
    return Fragment{doc};
}
