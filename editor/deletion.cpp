#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <utility>

#include "commandscope.h"

// Deletion hides elements and connectors (indices are never reused) and takes the hidden element
// out of the collections of everything that stays, so that what remains visible is still a
// consistent diagram.

namespace {

QString key(int index) {
    return QString::number(index);
}

void hideElement(Diagram& d, int i) {
    d.element(i).Visible = false;
}

// All four members; an attribute connector only ever shows its main line.
void hideConnector(Diagram& d, int k) {
    Connector& c = d.connector(k);
    c.Line1.Visible = false;
    c.Line2.Visible = false;
    c.MN.Visible = false;
    c.Description.Visible = false;
}

void hideMainLine(Diagram& d, int k) {
    d.connector(k).Line1.Visible = false;
}

// The connectors ending on `first` or on `second`, whichever has fewer: every connector from
// one to the other is in both lists, lowest index first. An entity with thousands of attributes
// has thousands of connectors; each attribute has one or two. A connector is indexed only under
// ends that are elements, so without two elements the list of `first` is the one to search.
const std::vector<int>& fewerConnectors(const Diagram& d, int first, int second) {
    const std::vector<int>& ofFirst = d.connectorsOf(first);
    if (!d.isElement(first) || !d.isElement(second)) return ofFirst;
    const std::vector<int>& ofSecond = d.connectorsOf(second);
    return ofSecond.size() < ofFirst.size() ? ofSecond : ofFirst;
}

// The live connectors from `first` to `second`, lowest index first.
std::vector<int> liveConnectors(const Diagram& d, int first, int second) {
    std::vector<int> found;
    for (int k : fewerConnectors(d, first, second))
        if (d.isLiveConnector(k) && d.connector(k).joins(first, second)) found.push_back(k);
    return found;
}

int firstLiveConnector(const Diagram& d, int first, int second) {
    const std::vector<int> found = liveConnectors(d, first, second);
    return found.empty() ? 0 : found.front();
}

// Cuts attribute s, about to be hidden, off its own sub-attributes: they stay in the diagram as
// attributes without an owner (which validation reports and "AttLine" can fix), instead of
// hanging on a hidden owner by a line that ends nowhere.
void detachSubAttributes(Diagram& d, int s) {
    for (qint16 t : std::as_const(d).element(s).AttributeList.items()) {
        d.element(s).AttributeList.removeKey(key(t));
        for (int k : liveConnectors(d, s, t)) hideMainLine(d, k);
        if (!d.isElement(t)) continue;
        Collection& owners = d.element(t).RelativeEntityList;
        owners.remove(owners.positionOfItem(qint16(s)));
    }
}

// The elements that name identifying relationships: the only ones dropOwnerThrough can change.
std::vector<int> elementsWithIdentifyingRelationships(const Diagram& d) {
    std::vector<int> found;
    for (int w = 1; w < d.elementCount(); ++w)
        if (!d.element(w).WeakRelationList.isEmpty()) found.push_back(w);
    return found;
}

// Entity e no longer takes part in relationship r: it is no owner of a weak entity identified
// through r any more, unless it still takes part in another identifying relationship of that
// weak entity. `candidates`: elementsWithIdentifyingRelationships, which this leaves as it is.
void dropOwnerThrough(Diagram& d, int e, int r, const std::vector<int>& candidates) {
    const Diagram& model = d;
    for (int w : candidates) {
        const Element& weak = model.element(w);
        if (!weak.WeakRelationList.containsKey(key(r))) continue;
        bool stillOwner = false;
        for (qint16 other : weak.WeakRelationList.items())
            stillOwner =
                stillOwner || (model.isLiveElement(other) &&
                               model.element(other).RelativeEntityList.containsItem(qint16(e)));
        if (!stillOwner && weak.PrimaryEntityList.containsKey(key(e)))
            d.element(w).PrimaryEntityList.removeKey(key(e));
    }
}

// Whether the attribute list of `owner` is as drawing makes it: every entry filed under its own
// index (so each attribute once), and no attribute listing the owner among its own attributes.
// Then deleting one attribute takes exactly its own entry out of the list, and nothing else.
bool attributesFiledAsDrawn(const Diagram& d, int owner) {
    for (const Collection::Entry& entry : d.element(owner).AttributeList.entries()) {
        if (entry.key != key(entry.item)) return false;
        if (d.isElement(entry.item) &&
            d.element(entry.item).AttributeList.containsItem(qint16(owner)))
            return false;
    }
    return true;
}

// "Entity" on another participant turns an identifying relationship back into an ordinary one
// while its weak entity still names it; it identifies that entity all the same.
bool identifiesAWeakEntity(const Diagram& d, int r) {
    for (int w = 1; w < d.elementCount(); ++w)
        if (d.isLiveElement(w) && d.element(w).WeakRelationList.containsKey(key(r))) return true;
    return false;
}

// Why element i may not be deleted now, in the words its own Delete uses; nothing when it may.
// Only weak entities and identifying relationships refuse.
std::optional<QString> deletionRefusal(const Diagram& d, int i) {
    const Element& e = d.element(i);
    if (e.isEntityKind() && !e.is(KindEntity))
        return QCoreApplication::translate("Deletion",
                                           "弱實體型態不可直接刪除, 請先更新為實體型態(未確定)");
    if (e.isRelationshipKind() && (e.is(KindWeakRelationship) || identifiesAWeakEntity(d, i)))
        return QCoreApplication::translate("Deletion", "識別關係型態 ") + e.Caption +
               QCoreApplication::translate("Deletion", " 不可直接刪除, 請先作弱實體型態的更新");
    return std::nullopt;
}

// The one message for elements a multiple deletion left standing: each caption with its reason.
QString refusalsMessage(const Diagram& d, const std::vector<int>& refused) {
    QString text = QCoreApplication::translate("Deletion", "下列元素未刪除:");
    for (int i : refused)
        text += QStringLiteral("\n") + d.element(i).Caption + QStringLiteral(": ") +
                *deletionRefusal(d, i);
    return text;
}

}  // namespace

// A connect mode whose picked element or pending connector has just been deleted cannot finish:
// its next click would link something to an element or line that is gone. It is cancelled.
void Editor::endModeOnDeletedPick() {
    const WindowState& s = d_.state;
    const ConnectMode mode = s.ConnectMode;
    const auto gone = [this](int i) { return i != 0 && !d_.isLiveElement(i); };
    bool broken = false;
    // The modes that wait with a first pick made.
    if (mode == ConnectMode::Attribute || mode == ConnectMode::Relationship ||
        mode == ConnectMode::SecondEntity || mode == ConnectMode::IdentifyingRelationship)
        broken = gone(s.FirstPick);
    // "Set Subclass" waits with the superclass picked, then the circle too.
    if (mode == ConnectMode::SpecializationCircle || mode == ConnectMode::Subclass)
        broken = gone(s.FirstPick) || (mode == ConnectMode::Subclass && gone(s.RelationPick));
    if (mode == ConnectMode::SecondEntity)
        broken = broken || gone(s.RelationPick) ||
                 (s.PendingLine != 0 && !d_.isLiveConnector(s.PendingLine));
    if (broken) cancel();
}

void Editor::deleteAttribute(int a) {
    const CommandScope scope(*this);
    if (!d_.isLiveElement(a) || !std::as_const(d_).element(a).isAttributeKind()) return;
    nameStep(QCoreApplication::translate("Deletion", "刪除 ") +
             std::as_const(d_).element(a).Caption);
    forgetDefiningAttribute(a);
    Element& attribute = d_.element(a);

    // Direct sub-attributes go with it.
    while (!attribute.AttributeList.isEmpty()) {
        const qint16 s = *attribute.AttributeList.item(1);
        if (const int k = firstLiveConnector(d_, a, s)) hideMainLine(d_, k);
        if (d_.isElement(s)) {
            Collection& owners = d_.element(s).RelativeEntityList;
            owners.remove(owners.positionOfItem(qint16(a)));
            detachSubAttributes(d_, s);
            hideElement(d_, s);
        }
        attribute.AttributeList.remove(1);
    }

    // Its owner lets go of it.
    while (!attribute.RelativeEntityList.isEmpty()) {
        const qint16 o = *attribute.RelativeEntityList.item(1);
        if (d_.isElement(o)) d_.element(o).AttributeList.removeKey(key(a));
        attribute.RelativeEntityList.remove(1);
        if (const int k = firstLiveConnector(d_, o, a)) hideMainLine(d_, k);
        if (d_.isElement(o)) {
            Element& owner = d_.element(o);
            // A multivalued attribute left with exactly one component becomes an ordinary one.
            if (owner.is(KindMultAttribute) && owner.AttributeList.count() == 1)
                owner.Shape = KindAttribute;
        }
    }

    hideElement(d_, a);
    endModeOnDeletedPick();
}

void Editor::deleteAttributesOf(int owner) {
    const Collection& attributes = std::as_const(d_).element(owner).AttributeList;
    // Taking the first of thousands of entries out moves all the others, once per attribute.
    // When each deletion takes out just its own entry, the owner lists the attribute being
    // deleted alone, as it would list it first after the ones before it were taken out, and the
    // list is left empty, as it would be at the end.
    if (attributes.count() > 1 && attributesFiledAsDrawn(d_, owner)) {
        const Collection all = attributes;
        for (const Collection::Entry& entry : all.entries()) {
            Collection first;
            first.add(entry.item, entry.key);
            d_.element(owner).AttributeList = first;
            deleteAttribute(entry.item);
        }
        d_.element(owner).AttributeList.clear();
        return;
    }
    while (!attributes.isEmpty()) {
        const qint16 a = *attributes.item(1);
        deleteAttribute(a);
        // An entry the command could not take out (a stale index, an attribute that does not
        // name this owner) would otherwise come round again for ever.
        if (!attributes.isEmpty() && *attributes.item(1) == a)
            d_.element(owner).AttributeList.remove(1);
    }
}

void Editor::deleteEntity(int e) {
    const CommandScope scope(*this);
    if (!d_.isLiveElement(e) || !std::as_const(d_).element(e).isEntityKind()) return;
    if (const std::optional<QString> refusal = deletionRefusal(d_, e)) {
        prompts_.message(*refusal);
        return;
    }
    nameStep(QCoreApplication::translate("Deletion", "刪除 ") +
             std::as_const(d_).element(e).Caption);

    deleteAttributesOf(e);

    const std::vector<int>& links = d_.connectorsOf(e);
    const std::vector<int> weakCandidates = elementsWithIdentifyingRelationships(d_);
    for (qint16 r : std::as_const(d_).element(e).RelationList.items()) {
        if (d_.isElement(r)) {
            // Backwards, so that both entries of a recursive relationship go.
            Collection& related = d_.element(r).RelativeEntityList;
            for (int p = related.count(); p >= 1; --p)
                if (*related.item(p) == e) related.remove(p);
        }
        for (int k : fewerConnectors(d_, e, r))
            if (std::as_const(d_).connector(k).joins(e, r)) hideConnector(d_, k);
        dropOwnerThrough(d_, e, r, weakCandidates);
    }
    // A connection abandoned after its first link leaves a connector that no collection lists;
    // it ends on the entity all the same.
    for (int k : links)
        if (d_.isLiveConnector(k)) hideConnector(d_, k);

    hideElement(d_, e);
    endModeOnDeletedPick();
}

void Editor::deleteRelationship(int r) {
    const CommandScope scope(*this);
    const Diagram& model = d_;
    if (!model.isLiveElement(r) || !model.element(r).isRelationshipKind()) return;
    const Element& relationship = model.element(r);
    if (const std::optional<QString> refusal = deletionRefusal(d_, r)) {
        prompts_.message(*refusal);
        return;
    }
    nameStep(QCoreApplication::translate("Deletion", "刪除 ") + relationship.Caption);

    // Removals that find nothing (the second entry of a recursive relationship) are passed over.
    for (qint16 e : relationship.RelativeEntityList.items())
        if (d_.isElement(e) && model.element(e).RelationList.containsKey(key(r)))
            d_.element(e).RelationList.removeKey(key(r));
    // Every relationship connector ending on it, also one left by an abandoned connection that no
    // participant lists.
    for (int k : d_.connectorsOf(r)) {
        const Connector& c = model.connector(k);
        if (c.Line1.Visible && c.isRelationship() && c.second == r) hideConnector(d_, k);
    }

    deleteAttributesOf(r);

    hideElement(d_, r);
    endModeOnDeletedPick();
}

void Editor::deleteConnector(int k) {
    const CommandScope scope(*this);
    const Diagram& model = d_;
    if (!model.isLiveConnector(k)) return;
    const int e = model.connector(k).first;
    const int r = model.connector(k).second;

    // The doubled link of a weak entity to its identifying relationship carries the weak
    // designation; like the relationship itself it goes only after the entity is made ordinary.
    if (model.isElement(e) && model.isElement(r) &&
        model.element(e).WeakRelationList.containsKey(key(r))) {
        prompts_.message(
            QCoreApplication::translate("Deletion", "識別關係型態 ") + model.element(r).Caption +
            QCoreApplication::translate("Deletion", " 的連線不可直接刪除, 請先作弱實體型態的更新"));
        return;
    }

    nameStep(QCoreApplication::translate("Deletion", "刪除 連線"));
    hideConnector(d_, k);

    // The relationship keeps listing the entity as often as connectors still show the link: twice
    // while both connectors of a recursive pair remain, once for any other remaining connector.
    std::vector<int> dotted;
    int remaining = 0;
    for (int j : liveConnectors(d_, e, r)) {
        if (!model.connector(j).isRelationship()) continue;
        ++remaining;
        if (model.connector(j).Line1.dotted()) dotted.push_back(j);
    }
    const int shown = dotted.size() >= 2 ? 2 : remaining > 0 ? 1 : 0;

    if (model.isLiveElement(r)) {
        Collection& related = d_.element(r).RelativeEntityList;
        int listed = 0;
        for (qint16 x : related.items()) listed += x == e;
        // From the back: the second entry of a recursive relationship goes first.
        for (int p = related.count(); p >= 1 && listed > shown; --p) {
            if (*related.item(p) != e) continue;
            related.remove(p);
            --listed;
        }
    }
    if (shown == 0) {
        if (model.isLiveElement(e)) d_.element(e).RelationList.removeKey(key(r));
        dropOwnerThrough(d_, e, r, elementsWithIdentifyingRelationships(d_));
    }
    // The other half of a broken recursive pair is now the entity's one ordinary link.
    if (dotted.size() == 1) {
        Connector& survivor = d_.connector(dotted.front());
        survivor.Line1.BorderStyle = kLineSolid;
        survivor.Line2.BorderStyle = kLineSolid;
        d_.setLabelCaption(survivor.Description, QString());
        survivor.Description.Visible = false;
        layoutConnector(dotted.front());
    }

    endModeOnDeletedPick();
}

void Editor::deleteElement(int i) {
    const CommandScope scope(*this);
    if (!d_.isLiveElement(i)) return;
    d_.state.ContextElement = qint16(i);
    const Element& e = std::as_const(d_).element(i);
    if (e.isEntityKind())
        deleteEntity(i);
    else if (e.isAttributeKind())
        deleteAttribute(i);
    else if (e.isRelationshipKind())
        deleteRelationship(i);
    else if (e.isSpecializationKind())
        deleteSpecialization(i);
}

void Editor::deleteSelection() {
    const CommandScope scope(*this);
    // Copied: deleting changes what is live, not which elements were chosen.
    std::set<int> chosen;
    for (int i : d_.view.selection)
        if (d_.isLiveElement(i)) chosen.insert(i);
    if (chosen.size() == 1)
        deleteElement(*chosen.begin());
    else if (chosen.size() > 1)
        deleteSeveral(chosen);
    // What is gone is no longer selected; what could not be deleted stays so.
    std::erase_if(d_.view.selection, [this](int i) { return !d_.isLiveElement(i); });
}

// Rounds over what is left, each deleting whatever the rules allow by then, until a round deletes
// nothing: an entity that keeps a relationship from going is gone before the relationship's turn
// comes again, whatever their indices. A deletion never makes another one refuse, so what stays
// at the end is exactly what no order could delete.
void Editor::deleteSeveral(const std::set<int>& chosen) {
    const bool named = !stepLabel_.isEmpty();
    std::vector<int> left(chosen.begin(), chosen.end());
    for (bool progress = true; progress;) {
        progress = false;
        std::vector<int> refused;
        for (int i : left) {
            // An attribute may have gone with its owner already.
            if (!d_.isLiveElement(i)) continue;
            if (deletionRefusal(d_, i)) {
                refused.push_back(i);
                continue;
            }
            deleteElement(i);
            // An element of no known kind stays as it is, and out of further rounds.
            progress = progress || !d_.isLiveElement(i);
        }
        left = std::move(refused);
    }
    const auto deleted =
        std::count_if(chosen.begin(), chosen.end(), [this](int i) { return !d_.isLiveElement(i); });
    // One deletion keeps the name it gave the step ("刪除 EMPLOYEE").
    if (!named && deleted > 1)
        stepLabel_ = QCoreApplication::translate("Deletion", "刪除 %1 個元素").arg(deleted);
    if (!left.empty()) prompts_.message(refusalsMessage(d_, left));
}
