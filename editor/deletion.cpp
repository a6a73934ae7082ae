#include "editor.h"

// Deletion hides elements and connectors (indices are never reused) and takes the hidden element
// out of the collections of everything that stays, so that what remains visible is still a
// consistent diagram.

namespace {

QString key(int index) {
    return QString::number(index);
}

bool tagged(const Line& line, int first, int second) {
    const TagEnds ends = tagEnds(line.Tag);
    return ends.first == first && ends.second == second;
}

void hideElement(Diagram& d, int i) {
    d.element(i).Visible = false;
    d.notifyElement(i);
}

// All four members; an attribute connector only ever shows its main line.
void hideConnector(Diagram& d, int k) {
    Connector& c = d.connector(k);
    c.Line1.Visible = false;
    c.Line2.Visible = false;
    c.MN.Visible = false;
    c.Description.Visible = false;
    d.notifyConnector(k);
}

void hideMainLine(Diagram& d, int k) {
    d.connector(k).Line1.Visible = false;
    d.notifyConnector(k);
}

int firstLiveConnector(const Diagram& d, int first, int second) {
    for (int k = 1; k < d.connectorCount(); ++k)
        if (d.connector(k).Line1.Visible && tagged(d.connector(k).Line1, first, second)) return k;
    return 0;
}

// Cuts attribute s, about to be hidden, off its own sub-attributes: they stay in the diagram as
// attributes without an owner (which validation reports and "AttLine" can fix), instead of
// hanging on a hidden owner by a line that ends nowhere.
void detachSubAttributes(Diagram& d, int s) {
    Collection& subs = *d.element(s).AttributeList;
    for (qint16 t : subs.items()) {
        subs.removeKey(key(t));
        for (int k = 1; k < d.connectorCount(); ++k)
            if (d.connector(k).Line1.Visible && tagged(d.connector(k).Line1, s, t))
                hideMainLine(d, k);
        if (!d.isElement(t)) continue;
        Collection& owners = *d.element(t).RelativeEntityList;
        owners.remove(owners.positionOfItem(qint16(s)));
        d.notifyElement(t);
    }
}

// Runs the attribute command on every attribute of `owner`, first to last.
void deleteAttributesOf(Editor& editor, int owner) {
    Diagram& d = editor.diagram();
    Collection& attributes = *d.element(owner).AttributeList;
    while (!attributes.isEmpty()) {
        const qint16 a = *attributes.item(1);
        d.state.ContextElement = a;
        editor.deleteAttribute();
        // An entry the command could not take out (a stale index, an attribute that does not
        // name this owner) would otherwise come round again for ever.
        if (!attributes.isEmpty() && *attributes.item(1) == a) attributes.remove(1);
    }
}

// Entity e no longer takes part in relationship r: it is no owner of a weak entity identified
// through r any more, unless it still takes part in another identifying relationship of that
// weak entity.
void dropOwnerThrough(Diagram& d, int e, int r) {
    for (int w = 1; w < d.elementCount(); ++w) {
        Element& weak = d.element(w);
        if (!weak.WeakRelationList->containsKey(key(r))) continue;
        bool stillOwner = false;
        for (qint16 other : weak.WeakRelationList->items())
            stillOwner =
                stillOwner || (d.isLiveElement(other) &&
                               d.element(other).RelativeEntityList->containsItem(qint16(e)));
        if (!stillOwner && weak.PrimaryEntityList->removeKey(key(e))) d.notifyElement(w);
    }
}

// "Entity" on another participant turns an identifying relationship back into an ordinary one
// while its weak entity still names it; it identifies that entity all the same.
bool identifiesAWeakEntity(const Diagram& d, int r) {
    for (int w = 1; w < d.elementCount(); ++w)
        if (d.isLiveElement(w) && d.element(w).WeakRelationList->containsKey(key(r))) return true;
    return false;
}

// A connect mode whose picked element or pending connector has just been deleted cannot finish:
// its next click would link something to an element or line that is gone. It is cancelled.
void endModeOnDeletedPick(Editor& editor) {
    Diagram& d = editor.diagram();
    const WindowState& s = d.state;
    const int mode = int(s.ConnectMode);
    const auto gone = [&d](int i) { return i != 0 && !d.isLiveElement(i); };
    bool broken = false;
    if (mode == 2 || mode == 4 || mode == 5 || mode == 6) broken = gone(s.FirstPick);
    if (mode == 5)
        broken = broken || gone(s.RelationPick) ||
                 (s.PendingLine != 0 && !d.isLiveConnector(s.PendingLine));
    if (broken) editor.cancel();
}

}  // namespace

void Editor::deleteAttribute() {
    const int a = d_.state.ContextElement;
    if (!d_.isLiveElement(a) || !d_.element(a).isAttributeKind()) return;
    Element& attribute = d_.element(a);

    // Direct sub-attributes go with it.
    while (!attribute.AttributeList->isEmpty()) {
        const qint16 s = *attribute.AttributeList->item(1);
        if (const int k = firstLiveConnector(d_, a, s)) hideMainLine(d_, k);
        if (d_.isElement(s)) {
            Collection& owners = *d_.element(s).RelativeEntityList;
            owners.remove(owners.positionOfItem(qint16(a)));
            detachSubAttributes(d_, s);
            hideElement(d_, s);
        }
        attribute.AttributeList->remove(1);
    }

    // Its owner lets go of it.
    while (!attribute.RelativeEntityList->isEmpty()) {
        const qint16 o = *attribute.RelativeEntityList->item(1);
        if (d_.isElement(o)) d_.element(o).AttributeList->removeKey(key(a));
        attribute.RelativeEntityList->remove(1);
        if (const int k = firstLiveConnector(d_, o, a)) hideMainLine(d_, k);
        if (d_.isElement(o)) {
            Element& owner = d_.element(o);
            // A multivalued attribute left with exactly one component becomes an ordinary one.
            if (owner.is(KindMultAttribute) && owner.AttributeList->count() == 1)
                owner.Shape = KindAttribute;
            d_.notifyElement(o);
        }
    }

    hideElement(d_, a);
    endModeOnDeletedPick(*this);
}

void Editor::deleteEntity() {
    const int e = d_.state.ContextElement;
    if (!d_.isLiveElement(e) || !d_.element(e).isEntityKind()) return;
    Element& entity = d_.element(e);
    if (!entity.is(KindEntity)) {
        prompts_.message(QStringLiteral("弱實體型態不可直接刪除, 請先更新為實體型態(未確定)"));
        return;
    }

    deleteAttributesOf(*this, e);

    for (qint16 r : entity.RelationList->items()) {
        if (d_.isElement(r)) {
            // Backwards, so that both entries of a recursive relationship go.
            Collection& related = *d_.element(r).RelativeEntityList;
            for (int p = related.count(); p >= 1; --p)
                if (*related.item(p) == e) related.remove(p);
            d_.notifyElement(r);
        }
        for (int k = 1; k < d_.connectorCount(); ++k)
            if (tagged(d_.connector(k).Line1, e, r)) hideConnector(d_, k);
        dropOwnerThrough(d_, e, r);
    }
    // A connection abandoned after its first link leaves a connector that no collection lists;
    // it ends on the entity all the same.
    for (int k = 1; k < d_.connectorCount(); ++k) {
        const Line& line = d_.connector(k).Line1;
        if (!line.Visible) continue;
        const TagEnds ends = tagEnds(line.Tag);
        if (ends.first == e || ends.second == e) hideConnector(d_, k);
    }

    hideElement(d_, e);
    endModeOnDeletedPick(*this);
    d_.state.ContextElement = qint16(e);
}

void Editor::deleteRelationship() {
    const int r = d_.state.ContextElement;
    if (!d_.isLiveElement(r) || !d_.element(r).isRelationshipKind()) return;
    Element& relationship = d_.element(r);
    if (relationship.is(KindWeakRelationship) || identifiesAWeakEntity(d_, r)) {
        prompts_.message(QStringLiteral("識別關係型態 ") + relationship.Caption +
                         QStringLiteral(" 不可直接刪除, 請先作弱實體型態的更新"));
        return;
    }

    // Removals that find nothing (the second entry of a recursive relationship) are passed over.
    for (qint16 e : relationship.RelativeEntityList->items()) {
        if (!d_.isElement(e)) continue;
        d_.element(e).RelationList->removeKey(key(r));
        d_.notifyElement(e);
    }
    // Every relationship connector ending on it, also one left by an abandoned connection that no
    // participant lists.
    for (int k = 1; k < d_.connectorCount(); ++k) {
        const Line& line = d_.connector(k).Line1;
        if (line.Visible && line.BorderColor == d_.settings.RelLineColor &&
            tagEnds(line.Tag).second == r)
            hideConnector(d_, k);
    }

    d_.state.ContextElement = qint16(r);
    deleteAttributesOf(*this, r);

    hideElement(d_, r);
    endModeOnDeletedPick(*this);
    d_.state.ContextElement = qint16(r);
}

void Editor::deleteConnector() {
    const int k = d_.state.CurrentLine;
    if (!d_.isLiveConnector(k)) return;
    const Line& line = d_.connector(k).Line1;
    const TagEnds ends = tagEnds(line.Tag);
    const int e = ends.first;
    const int r = ends.second;

    // The doubled link of a weak entity to its identifying relationship carries the weak
    // designation; like the relationship itself it goes only after the entity is made ordinary.
    if (d_.isElement(e) && d_.isElement(r) && d_.element(e).WeakRelationList->containsKey(key(r))) {
        prompts_.message(QStringLiteral("識別關係型態 ") + d_.element(r).Caption +
                         QStringLiteral(" 的連線不可直接刪除, 請先作弱實體型態的更新"));
        return;
    }

    hideConnector(d_, k);

    // The relationship keeps listing the entity as often as connectors still show the link: twice
    // while both connectors of a recursive pair remain, once for any other remaining connector.
    std::vector<int> dotted;
    int remaining = 0;
    for (int j = 1; j < d_.connectorCount(); ++j) {
        const Line& other = d_.connector(j).Line1;
        if (!other.Visible || other.BorderColor != d_.settings.RelLineColor || !tagged(other, e, r))
            continue;
        ++remaining;
        if (other.dotted()) dotted.push_back(j);
    }
    const int shown = dotted.size() >= 2 ? 2 : remaining > 0 ? 1 : 0;

    if (d_.isLiveElement(r)) {
        Collection& related = *d_.element(r).RelativeEntityList;
        int listed = 0;
        for (qint16 x : related.items()) listed += x == e;
        // From the back: the second entry of a recursive relationship goes first.
        for (int p = related.count(); p >= 1 && listed > shown; --p) {
            if (*related.item(p) != e) continue;
            related.remove(p);
            --listed;
        }
        d_.notifyElement(r);
    }
    if (shown == 0) {
        if (d_.isLiveElement(e)) {
            d_.element(e).RelationList->removeKey(key(r));
            d_.notifyElement(e);
        }
        dropOwnerThrough(d_, e, r);
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

    endModeOnDeletedPick(*this);
}

void Editor::deleteElement(int i) {
    if (!d_.isLiveElement(i)) return;
    d_.state.ContextElement = qint16(i);
    const Element& e = d_.element(i);
    if (e.isEntityKind())
        deleteEntity();
    else if (e.isAttributeKind())
        deleteAttribute();
    else if (e.isRelationshipKind())
        deleteRelationship();
}
