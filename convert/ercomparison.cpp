#include "ercomparison.h"

#include <QCoreApplication>
#include <map>

#include "classcomparison.h"
#include "module1.h"

namespace {

// Live elements of one family by comparable caption, each caption's elements in index order.
std::multimap<QString, int> byCaption(const Diagram& d, bool (Element::*family)() const) {
    std::multimap<QString, int> out;
    for (int i = 1; i < d.elementCount(); ++i)
        if (d.isLiveElement(i) && (d.element(i).*family)())
            out.emplace(comparableName(d.element(i).Caption), i);
    return out;
}

// Pairs each reference element with the student's element of the same caption (each used once).
std::vector<std::pair<int, int>> pairByCaption(const Diagram& student, const Diagram& reference,
                                               bool (Element::*family)() const) {
    std::multimap<QString, int> mine = byCaption(student, family);
    std::vector<std::pair<int, int>> pairs;
    for (const auto& [caption, r] : byCaption(reference, family)) {
        const auto found = mine.find(caption);
        if (found == mine.end()) continue;
        pairs.emplace_back(r, found->second);
        mine.erase(found);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// The live connectors of `kind` ending on element `i` at the given end.
std::vector<int> connectorsAt(const Diagram& d, int i, ConnectorKind kind, bool asSecond) {
    std::vector<int> out;
    for (int k : d.connectorsOf(i)) {
        const Connector& c = d.connector(k);
        if (d.isLiveConnector(k) && c.kind == kind && (asSecond ? c.second : c.first) == i)
            out.push_back(k);
    }
    return out;
}

// "0,N" for a participation never set, as validation fills it in.
QString participationOf(const Diagram& d, int k) {
    const QString text = d.connector(k).MN.Caption.trimmed();
    return text.isEmpty() ? QStringLiteral("0,N") : text;
}

class DrawingComparison {
public:
    DrawingComparison(const Diagram& s, const Diagram& r, std::vector<Difference>& out)
        : s_(s), r_(r), out_(out) {}

    void run() {
        for (const auto& [r, s] : pairByCaption(s_, r_, &Element::isEntityKind)) {
            const Element& ref = r_.element(r);
            if (ref.is(KindWeakEntity) != s_.element(s).is(KindWeakEntity))
                add(DifferenceCategory::WeakOrStrong, ref.Caption,
                    ref.is(KindWeakEntity)
                        ? QCoreApplication::translate("ErComparison",
                                                      "%1 在參考答案是弱實體, 這裡畫成一般實體")
                              .arg(ref.Caption)
                        : QCoreApplication::translate("ErComparison",
                                                      "%1 在參考答案是一般實體, 這裡畫成弱實體")
                              .arg(ref.Caption),
                    r, s);
            compareAttributes(r, s);
        }
        for (const auto& [r, s] : pairByCaption(s_, r_, &Element::isRelationshipKind)) {
            compareAttributes(r, s);
            compareParticipants(r, s);
        }
    }

private:
    // `reference` and `element`: the reference's element and the student's that differ.
    void add(DifferenceCategory category, const QString& relation, const QString& hint,
             int reference, int element, int connector = 0) {
        Difference d{category, relation, QString(), hint, element, connector};
        d.referenceElement = reference;
        out_.push_back(std::move(d));
    }

    void compareAttributes(int r, int s) {
        std::multimap<QString, int> mine;
        for (int k : connectorsAt(s_, s, ConnectorKind::Attribute, false)) {
            const int a = s_.connector(k).second;
            mine.emplace(comparableName(s_.element(a).Caption), a);
        }
        for (int k : connectorsAt(r_, r, ConnectorKind::Attribute, false)) {
            const int refAttribute = r_.connector(k).second;
            const Element& ref = r_.element(refAttribute);
            const auto found = mine.find(comparableName(ref.Caption));
            if (found == mine.end()) continue;
            const int a = found->second;
            mine.erase(found);
            const bool multivalued = ref.is(KindMultAttribute);
            if (multivalued == s_.element(a).is(KindMultAttribute)) continue;
            add(DifferenceCategory::Multivalued, r_.element(r).Caption,
                multivalued ? QCoreApplication::translate(
                                  "ErComparison", "%1 在參考答案是多值屬性, 這裡畫成單值屬性")
                                  .arg(ref.Caption)
                            : QCoreApplication::translate(
                                  "ErComparison", "%1 在參考答案是單值屬性, 這裡畫成多值屬性")
                                  .arg(ref.Caption),
                refAttribute, a);
        }
    }

    // The entities taking part, matched by caption (a recursive relationship's two connectors to
    // one entity pair up in index order).
    void compareParticipants(int r, int s) {
        std::multimap<QString, int> mine;
        for (int k : connectorsAt(s_, s, ConnectorKind::Relationship, true))
            mine.emplace(comparableName(s_.element(s_.connector(k).first).Caption), k);
        const QString relationship = r_.element(r).Caption;
        for (int k : connectorsAt(r_, r, ConnectorKind::Relationship, true)) {
            const QString entity = r_.element(r_.connector(k).first).Caption;
            const auto found = mine.find(comparableName(entity));
            if (found == mine.end()) continue;
            const int m = found->second;
            mine.erase(found);
            const QString want = participationOf(r_, k), have = participationOf(s_, m);
            if (MinPart(want) == MinPart(have) && MaxPart(want) == MaxPart(have)) continue;
            add(DifferenceCategory::Participation, relationship,
                QCoreApplication::translate("ErComparison", "%1 中 %2 的參與應為 %3, 目前為 %4")
                    .arg(relationship, entity, want, have),
                r, s, m);
        }
    }

    const Diagram& s_;
    const Diagram& r_;
    std::vector<Difference>& out_;
};

}  // namespace

void compareDrawings(const Diagram& student, const Diagram& reference,
                     std::vector<Difference>& differences) {
    DrawingComparison(student, reference, differences).run();
    compareClasses(student, reference, differences);
}
