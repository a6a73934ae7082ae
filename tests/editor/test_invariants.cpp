#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "diagrambuilder.h"
#include "module1.h"

// Random sequences of editor commands (creation, kind menus, connect modes with their clicks and
// Cancel, weak designation, editing, deletion, dragging, the Line menu) checked after every step
// against the relations the diagram model promises for what stays visible.

namespace {

using Link = std::pair<int, int>;

class InvariantChecker {
public:
    // `abandoned`: connectors of connections given up after their first link (Cancel, or
    // "WeakEnitty" in the middle of one). Such a connector stays on the canvas with no relation
    // behind it, by design; it may still never end on a hidden element.
    InvariantChecker(const Diagram& d, const std::set<int>& abandoned)
        : d_(d), abandoned_(abandoned) {}

    // The first violation found, or an empty text.
    std::string check() {
        collectConnectors();
        for (int i = 1; i < d_.elementCount() && problem_.empty(); ++i)
            if (d_.isLiveElement(i)) checkElement(i);
        if (problem_.empty()) checkConnectorsHaveRelations();
        return problem_;
    }

private:
    void fail(const QString& text) {
        if (problem_.empty()) problem_ = text.toStdString();
    }

    const Element& el(int i) const { return d_.element(i); }

    void collectConnectors() {
        for (int k = 1; k < d_.connectorCount(); ++k) {
            if (!d_.isLiveConnector(k)) continue;
            const Line& line = d_.connector(k).Line1;
            const int a = MinPart(line.Tag).toInt(), b = MaxPart(line.Tag).toInt();
            if (!d_.isLiveElement(a) || !d_.isLiveElement(b))
                return fail(QString("live connector %1 tagged %2 ends on a hidden element")
                                .arg(k)
                                .arg(line.Tag));
            if (d_.isAttributeConnector(k))
                attributeLinks_[{a, b}].push_back(k);
            else if (d_.isRelationshipConnector(k))
                relationshipLinks_[{a, b}].push_back(k);
            else
                fail(QString("connector %1 has no connector colour").arg(k));
        }
    }

    void checkKeysUnique(int i) {
        const Element& e = el(i);
        for (const auto* list : {&e.AttributeList, &e.RelationList, &e.RelativeEntityList,
                                 &e.PrimaryEntityList, &e.WeakRelationList, &e.WeakEntityList}) {
            std::set<QString> keys;
            for (const Collection::Entry& entry : (*list)->entries())
                if (!entry.key.isEmpty() && !keys.insert(entry.key).second)
                    fail(QString("element %1 files key %2 twice").arg(i).arg(entry.key));
        }
    }

    void checkElement(int i) {
        checkKeysUnique(i);
        const Element& e = el(i);
        // Invariant 1, from the owner's side and from the attribute's.
        for (qint16 a : e.AttributeList->items()) {
            if (!d_.isLiveElement(a) || !el(a).isAttributeKind())
                fail(QString("element %1 owns %2, which is no live attribute").arg(i).arg(a));
            else if (el(a).RelativeEntityList->items() != std::vector<qint16>{qint16(i)})
                fail(QString("attribute %1 of %2 names owners %3")
                         .arg(a)
                         .arg(i)
                         .arg(el(a).RelativeEntityList->joined()));
            else if (attributeLinks_[{i, a}].size() != 1)
                fail(QString("%1 live connectors show attribute %2 of %3")
                         .arg(attributeLinks_[{i, a}].size())
                         .arg(a)
                         .arg(i));
        }
        if (e.isAttributeKind()) {
            const Collection& owners = *e.RelativeEntityList;
            if (owners.count() > 1)
                fail(QString("attribute %1 has owners %2").arg(i).arg(owners.joined()));
            if (owners.count() == 1) {
                const int o = *owners.item(1);
                if (!d_.isLiveElement(o))
                    fail(QString("attribute %1 is owned by hidden %2").arg(i).arg(o));
                else if (!el(o).AttributeList->containsKey(QString::number(i)))
                    fail(QString("owner %1 does not list attribute %2").arg(o).arg(i));
            }
        }
        if (e.isEntityKind()) {
            for (qint16 r : e.RelationList->items())
                if (!d_.isLiveElement(r) || !el(r).isRelationshipKind() ||
                    !el(r).RelativeEntityList->containsItem(qint16(i)))
                    fail(QString("entity %1 lists relationship %2, which does not list it")
                             .arg(i)
                             .arg(r));
        }
        if (e.isRelationshipKind()) checkParticipants(i);
        if (e.is(KindWeakEntity)) checkWeakEntity(i);
        if (e.is(KindWeakRelationship)) checkIdentifies(i);
    }

    // Invariant 2: each participant once (one connector) or twice under e and e_2 (two dotted
    // connectors of a recursive relationship).
    void checkParticipants(int r) {
        std::map<int, std::vector<QString>> keysOf;
        for (const Collection::Entry& entry : el(r).RelativeEntityList->entries())
            keysOf[entry.item].push_back(entry.key);
        for (const auto& [e, keys] : keysOf) {
            const QString plain = QString::number(e);
            if (!d_.isLiveElement(e) || !el(e).isEntityKind())
                return fail(
                    QString("relationship %1 lists %2, which is no live entity").arg(r).arg(e));
            if (!el(e).RelationList->containsKey(QString::number(r)))
                return fail(QString("entity %1 does not list relationship %2").arg(e).arg(r));
            const std::vector<int>& links = relationshipLinks_[{e, r}];
            int dotted = 0, real = 0;
            for (int k : links) {
                dotted += d_.connector(k).Line1.dotted();
                real += !abandoned_.count(k);
            }
            if (keys.size() == 1) {
                if (keys[0] != plain)
                    return fail(
                        QString("relationship %1 files %2 as %3").arg(r).arg(e).arg(keys[0]));
                if (links.empty() || real > 1 || dotted != 0)
                    return fail(QString("link %1,%2 shown by %3 connectors, %4 dotted")
                                    .arg(e)
                                    .arg(r)
                                    .arg(links.size())
                                    .arg(dotted));
            } else if (keys.size() == 2) {
                if (keys != std::vector<QString>{plain, plain + "_2"})
                    return fail(
                        QString("recursive relationship %1 files %2 wrongly").arg(r).arg(e));
                if (dotted != 2 || real != 2)
                    return fail(QString("recursive link %1,%2 shown by %3 connectors, %4 dotted")
                                    .arg(e)
                                    .arg(r)
                                    .arg(links.size())
                                    .arg(dotted));
            } else {
                return fail(
                    QString("relationship %1 lists %2 %3 times").arg(r).arg(e).arg(keys.size()));
            }
        }
    }

    // Invariant 3.
    void checkWeakEntity(int w) {
        for (qint16 r : el(w).WeakRelationList->items()) {
            if (!d_.isLiveElement(r) || !el(r).is(KindWeakRelationship))
                return fail(
                    QString(
                        "weak entity %1 is identified through %2, no live identifying relationship")
                        .arg(w)
                        .arg(r));
            if (!el(r).RelativeEntityList->containsKey(QString::number(w)))
                return fail(QString("identifying relationship %1 does not list weak entity %2")
                                .arg(r)
                                .arg(w));
            bool doubled = false;
            for (int k : relationshipLinks_[{w, r}])
                doubled = doubled || d_.connector(k).Line2.Visible;
            if (!doubled)
                return fail(QString("link of weak entity %1 to %2 is not doubled").arg(w).arg(r));
        }
        // The owners are exactly the other live participants of its identifying relationships.
        std::set<int> participants;
        for (qint16 r : el(w).WeakRelationList->items())
            for (qint16 x : el(r).RelativeEntityList->items())
                if (x != w && d_.isLiveElement(x)) participants.insert(x);
        for (qint16 o : el(w).PrimaryEntityList->items())
            if (!participants.count(o))
                return fail(QString("weak entity %1 names owner %2, who takes part in none of %3")
                                .arg(w)
                                .arg(o)
                                .arg(el(w).WeakRelationList->joined()));
        for (int x : participants)
            if (!el(w).PrimaryEntityList->containsItem(qint16(x)))
                return fail(QString("weak entity %1 does not name participant %2 as owner")
                                .arg(w)
                                .arg(x));
    }

    void checkIdentifies(int r) {
        for (int w = 1; w < d_.elementCount(); ++w)
            if (d_.isLiveElement(w) && el(w).is(KindWeakEntity) &&
                el(w).WeakRelationList->containsKey(QString::number(r)))
                return;
        fail(QString("identifying relationship %1 identifies no weak entity").arg(r));
    }

    // The other direction: no connector shows a relation the collections lack.
    void checkConnectorsHaveRelations() {
        for (const auto& [link, ks] : attributeLinks_)
            if (!ks.empty() &&
                !el(link.first).AttributeList->containsKey(QString::number(link.second)))
                return fail(QString("attribute connector %1 shows %2,%3 without the relation")
                                .arg(ks[0])
                                .arg(link.first)
                                .arg(link.second));
        for (const auto& [link, ks] : relationshipLinks_)
            for (int k : ks)
                if (!abandoned_.count(k) &&
                    !el(link.second).RelativeEntityList->containsItem(qint16(link.first)))
                    return fail(
                        QString("relationship connector %1 shows %2,%3 without the relation")
                            .arg(k)
                            .arg(link.first)
                            .arg(link.second));
    }

    const Diagram& d_;
    const std::set<int>& abandoned_;
    std::map<Link, std::vector<int>> attributeLinks_, relationshipLinks_;
    std::string problem_;
};

// Drives one random sequence through the editor.
class RandomSession {
public:
    explicit RandomSession(unsigned seed) : rng_(seed) {}

    DiagramBuilder b;
    std::set<int> abandoned;
    std::vector<std::string> trace;

    void step() {
        const int modeBefore = int(b.d.state.ConnectMode);
        const int pendingBefore = b.d.state.PendingLine;
        const size_t logged = trace.size();
        act();
        if (trace.size() == logged) log("nothing");
        // A connection left in mode 5 other than by its completing click leaves its first
        // connector behind without relations.
        // It is abandoned when the relationship did not gain its first entity.
        const int mode = int(b.d.state.ConnectMode);
        if (modeBefore == 5 && mode != 5) {
            const TagEnds ends = tagEnds(b.d.connector(pendingBefore).Line1.Tag);
            if (!b.d.element(ends.second).RelativeEntityList->containsItem(qint16(ends.first)))
                abandoned.insert(pendingBefore);
        }
    }

private:
    int chance(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    template <typename T>
    T any(const std::vector<T>& v) {
        return v[size_t(chance(int(v.size())))];
    }

    std::vector<int> live(bool (Element::*kind)() const = nullptr) const {
        std::vector<int> result;
        for (int i = 1; i < b.d.elementCount(); ++i)
            if (b.d.isLiveElement(i) && (!kind || (b.d.element(i).*kind)())) result.push_back(i);
        return result;
    }
    std::vector<int> candidates() const {
        std::vector<int> result;
        for (int i : live())
            if (b.d.element(i).BackColor == b.d.settings.CandidateColor) result.push_back(i);
        return result;
    }

    void log(const QString& text) { trace.push_back(text.toStdString()); }

    void act() {
        const std::vector<int> elements = live();
        const bool toolbar = b.d.view.toolbarEnabled;
        const int roll = chance(100);
        if (roll < 14 || elements.size() < 3) {
            if (toolbar && elements.size() < 24) return create();
            if (!toolbar) return click();
        }
        if (roll < 24 && toolbar) {
            const char* button = chance(2) ? "AttLine" : "RelLine";
            log(QString("toolbar %1").arg(button));
            return b.editor.toolbarButton(button);
        }
        if (roll < 50) return click();
        if (roll < 53) {
            log("cancel");
            return b.editor.cancel();
        }
        if (elements.empty()) return;
        const int i = any(elements);
        if (roll < 62) return kindMenu(i);
        if (roll < 70) return editMenu(i);
        if (roll < 77) return deleteMenu(i);
        if (roll < 80) {
            log(QString("delete key %1").arg(i));
            return b.editor.deleteElement(i);
        }
        if (roll < 84) {
            log(QString("drag %1").arg(i));
            b.editor.elementLeftDown(i, 3, 4);
            return b.editor.dropElement(i, float(chance(800)), float(chance(600)));
        }
        if (roll < 94) return lineMenu();
        return weakDesignation();
    }

    void create() {
        static const char* items[] = {"Entity",       "Attribute",  "MultAttribute",
                                      "Relationship", "WeakEntity", "WeakRelationship"};
        const char* item = items[chance(4) == 0 ? 4 + chance(2) : chance(4)];
        log(QString("create %1").arg(item));
        b.editor.buttonMenuItem(item);
    }

    // A click in the running mode, mostly on a candidate so that links get made.
    void click() {
        std::vector<int> picks = candidates();
        // Mostly binary relationships: the first entity, a candidate again in mode 5, is picked
        // less often.
        if (b.d.state.ConnectMode == 5 && picks.size() > 1 && chance(4)) {
            const int first = b.d.state.FirstPick;
            picks.erase(std::remove(picks.begin(), picks.end(), first), picks.end());
        }
        const std::vector<int> elements = live();
        if (elements.empty()) return;
        const int i = !picks.empty() && chance(5) ? any(picks) : any(elements);
        log(QString("click %1 (mode %2)").arg(i).arg(b.d.state.ConnectMode));
        b.click(i);
    }

    void kindMenu(int i) {
        const Editor::Popup popup = b.editor.elementRightDown(i);
        const int item = chance(2);
        log(QString("kind menu %1 item %2").arg(i).arg(item));
        switch (popup) {
            case Editor::Popup::Entity:
                if (item) return b.editor.menuEntity();
                return b.editor.menuWeakEntity();
            case Editor::Popup::Attribute:
                if (chance(3) == 0) return b.editor.menuKey();
                return item ? b.editor.menuAttribute() : b.editor.menuMultAttribute();
            case Editor::Popup::Relationship:
                return item ? b.editor.menuRelationship() : b.editor.menuWeakRelationship();
            case Editor::Popup::None:
                return;
        }
    }

    void editMenu(int i) {
        const Editor::Popup popup = b.editor.elementRightDown(i);
        const Editor::Menu menu = popup == Editor::Popup::Entity      ? Editor::Menu::Entity
                                  : popup == Editor::Popup::Attribute ? Editor::Menu::Attribute
                                                                      : Editor::Menu::Relationship;
        const int command = chance(5);
        log(QString("edit menu %1 command %2").arg(i).arg(command));
        switch (command) {
            case 0:
                if (chance(3) == 0)
                    b.prompts.answerCancel();
                else
                    b.prompts.answer(chance(4) ? QString("N%1").arg(i) : QString());
                return b.editor.rename(menu);
            case 1:
                return b.editor.lockSize(menu);
            case 2:
                return b.editor.bigger();
            case 3:
                return b.editor.smaller();
            default: {
                const std::optional<OleColor> colours[] = {
                    std::nullopt, b.d.settings.CandidateColor, b.d.settings.SelectedColor,
                    OleColor(chance(0x1000000))};
                b.prompts.answerColour(colours[chance(4)]);
                return b.editor.color();
            }
        }
    }

    void deleteMenu(int i) {
        const Editor::Popup popup = b.editor.elementRightDown(i);
        log(QString("delete menu %1").arg(i));
        switch (popup) {
            case Editor::Popup::Entity:
                return b.editor.deleteEntity();
            case Editor::Popup::Attribute:
                return b.editor.deleteAttribute();
            case Editor::Popup::Relationship:
                return b.editor.deleteRelationship();
            case Editor::Popup::None:
                return;
        }
    }

    // A right click on a relationship connector's midpoint, then one of the Line menu's items.
    void lineMenu() {
        std::vector<int> lines;
        for (int k = 1; k < b.d.connectorCount(); ++k)
            if (b.d.isLiveConnector(k) && b.d.isRelationshipConnector(k)) lines.push_back(k);
        if (lines.empty()) return;
        const Line& line = b.d.connector(any(lines)).Line1;
        if (!b.editor.drawingAreaRightDown((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2))
            return;
        const int k = b.d.state.CurrentLine;
        const int item = chance(3);
        log(QString("line menu %1 item %2").arg(k).arg(item));
        if (item == 0) return b.setParticipation(k, chance(2) ? "1,N" : "0,1");
        if (item == 1) return b.setRole(k, QString("role%1").arg(k));
        b.editor.deleteConnector();
    }

    void weakDesignation() {
        std::vector<int> entities;
        for (int e : live(&Element::isEntityKind))
            if (!b.d.element(e).RelationList->isEmpty()) entities.push_back(e);
        if (entities.empty()) return;
        const int w = any(entities);
        b.editor.elementRightDown(w);
        b.editor.menuWeakEntity();
        const std::vector<int> picks = candidates();
        log(QString("weak designation %1 (%2 candidates)").arg(w).arg(picks.size()));
        if (!picks.empty()) b.click(any(picks));
    }

    std::mt19937 rng_;
};

// The live part of the diagram, for a failure report.
std::string describe(const Diagram& d) {
    QString text;
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        text += QString(
                    "  %1%2 kind %3: attributes [%4] relations [%5] related [%6] weak [%7] owners "
                    "[%8]\n")
                    .arg(i)
                    .arg(e.Visible ? "" : " (hidden)")
                    .arg(e.Shape)
                    .arg(e.AttributeList->joined())
                    .arg(e.RelationList->joined())
                    .arg(e.RelativeEntityList->joined())
                    .arg(e.WeakRelationList->joined())
                    .arg(e.PrimaryEntityList->joined());
    }
    for (int k = 1; k < d.connectorCount(); ++k) {
        const Connector& c = d.connector(k);
        if (!c.Line1.Visible) continue;
        text += QString("  connector %1: %2 %3%4%5\n")
                    .arg(k)
                    .arg(c.Line1.Tag)
                    .arg(d.isAttributeConnector(k) ? "attribute" : "relationship")
                    .arg(c.Line1.dotted() ? " dotted" : "")
                    .arg(c.Line2.Visible ? " doubled" : "");
    }
    return text.toStdString();
}

std::string lastSteps(const std::vector<std::string>& trace, size_t n) {
    std::string text;
    for (size_t i = trace.size() > n ? trace.size() - n : 0; i < trace.size(); ++i)
        text += "  " + std::to_string(i) + ": " + trace[i] + "\n";
    return text;
}

TEST(Invariants, HoldAfterEveryStepOfRandomEditing) {
    // RELVANE_INVARIANT_SEED replays one sequence.
    const QByteArray only = qgetenv("RELVANE_INVARIANT_SEED");
    const unsigned first = only.isEmpty() ? 1u : only.toUInt();
    const unsigned sequences = only.isEmpty() ? 3000u : 1u;
    constexpr int kSteps = 80;
    for (unsigned seed = first; seed < first + sequences; ++seed) {
        RandomSession session(seed);
        for (int step = 0; step < kSteps; ++step) {
            session.step();
            // The first connector of a connection waiting for its second entity has no relation
            // behind it yet either.
            std::set<int> unrelated = session.abandoned;
            if (session.b.d.state.ConnectMode == 5) unrelated.insert(session.b.d.state.PendingLine);
            const std::string problem = InvariantChecker(session.b.d, unrelated).check();
            if (!problem.empty()) {
                FAIL() << "seed " << seed << ", step " << step << ": " << problem
                       << "\nlast steps:\n"
                       << lastSteps(session.trace, 40) << "diagram:\n"
                       << describe(session.b.d);
            }
        }
    }
}

}  // namespace
