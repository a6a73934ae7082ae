#include <algorithm>

#include "editor.h"

namespace {

QString captionPrefix(int kind) {
    switch (kind) {
        case KindEntity:
            return QStringLiteral("Entity");
        case KindAttribute:
            return QStringLiteral("Attribute");
        case KindMultAttribute:
            return QStringLiteral("MAttribute");
        case KindRelationship:
            return QStringLiteral("Relationship");
        default:
            return QString();
    }
}

// A menu check-mark pair: the partner takes the chosen item's state, then the chosen item flips.
void choosePairItem(bool& chosen, bool& partner) {
    partner = chosen;
    chosen = !chosen;
}

}  // namespace

int Editor::createElement(int kind) {
    const int n = d_.loadElement();
    if (n == 0) {
        prompts_.message(
            QStringLiteral("元素數量已達上限 %1, 無法再新增元素").arg(Diagram::kLargestIndex));
        return 0;
    }
    const Element& tmpl = d_.element(0);
    const Element& previous = d_.element(n - 1);
    Element& e = d_.element(n);
    // Only the inset of the element's own kind comes from the template.
    if (kind == KindEntity) e.RecWidth = tmpl.RecWidth;
    if (kind == KindAttribute || kind == KindMultAttribute) e.EllWidth = tmpl.EllWidth;
    if (kind == KindRelationship) e.DiaWidth = tmpl.DiaWidth;
    e.BackColor = d_.settings.WindowBackColor;
    // New elements form a row to the right of the last entry created, whatever it is now.
    e.Left = previous.Left + previous.Width + 10;
    e.Top = previous.Top;
    e.Shape = float(kind);
    e.Visible = true;
    e.Caption = captionPrefix(kind) + QString::number(n);
    d_.notifyElement(n);
    return n;
}

void Editor::toolbarButton(const QString& key) {
    if (key == QLatin1String("Entity"))
        createElement(KindEntity);
    else if (key == QLatin1String("Attribute"))
        createElement(KindAttribute);
    else if (key == QLatin1String("Relationship"))
        createElement(KindRelationship);
    else if (key == QLatin1String("AttLine"))
        startAttributeConnection();
    else if (key == QLatin1String("RelLine"))
        startRelationshipConnection();
}

void Editor::buttonMenuItem(const QString& key) {
    if (key == QLatin1String("Entity"))
        createElement(KindEntity);
    else if (key == QLatin1String("WeakEntity"))
        prompts_.message(QStringLiteral("請先產生 Entity, 再進行設定"));
    else if (key == QLatin1String("Attribute"))
        createElement(KindAttribute);
    else if (key == QLatin1String("MultAttribute"))
        createElement(KindMultAttribute);
    else if (key == QLatin1String("Relationship"))
        createElement(KindRelationship);
    else if (key == QLatin1String("WeakRelationship"))
        prompts_.message(QStringLiteral("請先產生 Relationship, 再進行設定"));
}

void Editor::menuAttribute() {
    choosePairItem(d_.checks.Attribute, d_.checks.MultAttribute);
    const int a = d_.state.ContextElement;
    d_.element(a).Shape = KindAttribute;
    d_.notifyElement(a);
}

void Editor::menuMultAttribute() {
    choosePairItem(d_.checks.MultAttribute, d_.checks.Attribute);
    const int a = d_.state.ContextElement;
    d_.element(a).Shape = KindMultAttribute;
    d_.notifyElement(a);
}

void Editor::menuKey() {
    d_.checks.Key = !d_.checks.Key;
    const int a = d_.state.ContextElement;
    d_.element(a).setUnderlined(d_.checks.Key);
    d_.notifyElement(a);
}

void Editor::menuEntity() {
    choosePairItem(d_.checks.Entity, d_.checks.WeakEntity);
    const int e = d_.state.ContextElement;
    Element& entity = d_.element(e);
    entity.Shape = KindEntity;
    // Only the relationships that identified this entity become ordinary again: those of an
    // owner still identify its weak entity, and a doubled line of any other relationship (total
    // participation in textbook notation) says nothing about weakness.
    const std::vector<qint16> identifying = entity.WeakRelationList->items();
    entity.PrimaryEntityList->clear();
    entity.WeakRelationList->clear();
    d_.notifyElement(e);
    for (qint16 r : entity.RelationList->items()) {
        if (!d_.isElement(r) ||
            std::find(identifying.begin(), identifying.end(), r) == identifying.end())
            continue;
        d_.element(r).Shape = KindRelationship;
        d_.notifyElement(r);
        for (int k = 1; k < d_.connectorCount(); ++k) {
            Line& second = d_.connector(k).Line2;
            const TagEnds ends = tagEnds(second.Tag);
            if (second.Visible && ends.first == e && ends.second == r) {
                second.Visible = false;
                d_.notifyConnector(k);
            }
        }
    }
}

void Editor::menuWeakEntity() {
    choosePairItem(d_.checks.WeakEntity, d_.checks.Entity);
    const int e = d_.state.ContextElement;
    // A running connect mode ends first; otherwise its highlight colours would be saved below as
    // if they were the elements' own.
    if (d_.state.ConnectMode != 0) {
        cancel();
        d_.state.ContextElement = qint16(e);
    }
    d_.highlight(e, d_.settings.SelectedColor);
    d_.state.FirstPick = qint16(e);
    for (int i = 1; i < d_.elementCount(); ++i) {
        if (d_.element(i).is(KindRelationship) && canIdentify(e, i))
            d_.highlight(i, d_.settings.CandidateColor);
    }
    d_.view.legendVisible = true;
    d_.state.ConnectMode = 6;
    d_.view.prompt = QStringLiteral("請選定此 WeakEntityType 的識別關係型態");
    setToolbarEnabled(false);
}

void Editor::menuRelationship() {
    prompts_.message(QStringLiteral("請透過 WeakEntity 的設定, 來解除 WeakRelationship"));
}

void Editor::menuWeakRelationship() {
    prompts_.message(QStringLiteral("請透過 WeakEntity 的設定, 來設定 WeakRelationship"));
}
