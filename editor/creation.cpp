#include <QCoreApplication>
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "classlinks.h"
#include "commandscope.h"
#include "grid.h"
#include "outline.h"
#include "placement.h"

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

// The one selected live element, when it is an entity (a relationship) of either kind and no
// connect mode runs; 0 otherwise.
int selectedOfKind(const Diagram& d, int kind) {
    const std::set<int>& chosen = d.view.selection;
    if (chosen.size() != 1 || d.state.ConnectMode != ConnectMode::None) return 0;
    const int i = *chosen.begin();
    if (!d.isLiveElement(i)) return 0;
    const Element& e = d.element(i);
    return (kind == KindEntity ? e.isEntityKind() : e.isRelationshipKind()) ? i : 0;
}

}  // namespace

QPointF Editor::newElementPlace(const Element& previous, const QSizeF& size) const {
    constexpr double kGap = 10;
    const QRectF& visible = d_.view.visibleArea;
    const Document& doc = d_.document();
    // The entry being created is still hidden.
    bool live = false;
    for (int i = 1; i < doc.elementCount() && !live; ++i) live = doc.element(i).Visible;
    // The first element of a diagram, and every element when no window shows the diagram, goes
    // to the right of the last entry created, whatever that is now.
    const int grid = d_.settings.snapGrid();
    if (!live || visible.isEmpty())
        return snapToGrid(QPointF(previous.Left + previous.Width + kGap, previous.Top), grid);
    if (const auto free = firstFreePlace(doc, size, visible, kGap, grid)) return *free;
    return placeBelowEverything(doc, visible, kGap, grid);
}

int Editor::createElement(int kind) {
    const CommandScope scope(*this);
    const int n = d_.loadElement();
    if (n == 0) {
        prompts_.message(
            QCoreApplication::translate("Creation", "元素數量已達上限 %1, 無法再新增元素")
                .arg(Diagram::kLargestIndex));
        return 0;
    }
    const Element& tmpl = std::as_const(d_).element(0);
    const Element& previous = std::as_const(d_).element(n - 1);
    Element& e = d_.element(n);
    // Only the inset of the element's own kind comes from the template.
    if (kind == KindEntity) e.RecWidth = tmpl.RecWidth;
    if (kind == KindAttribute || kind == KindMultAttribute) e.EllWidth = tmpl.EllWidth;
    if (kind == KindRelationship) e.DiaWidth = tmpl.DiaWidth;
    e.BackColor = d_.settings.WindowBackColor;
    e.Shape = float(kind);
    if (e.isSpecializationKind()) {
        // A small circle holding its one-letter mark.
        constexpr float kCircleSize = 34;
        e.Caption = specializationMark(e);
        e.Width = e.Height = kCircleSize;
    } else {
        e.Caption = captionPrefix(kind) + QString::number(n);
        // The template's size, grown when the caption needs more room ("Relationship12").
        growToHoldCaption(e);
    }
    const QPointF place = newElementPlace(previous, QSizeF(e.Width, e.Height));
    e.Left = float(place.x());
    e.Top = float(place.y());
    e.Visible = true;
    nameStep(QCoreApplication::translate("Creation", "建立 ") + e.Caption);
    return n;
}

void Editor::toolbarButton(const QString& key, bool sticky) {
    const CommandScope scope(*this);
    if (key == QLatin1String("Entity"))
        createElement(KindEntity);
    else if (key == QLatin1String("Attribute"))
        createElement(KindAttribute);
    else if (key == QLatin1String("Relationship"))
        createElement(KindRelationship);
    else if (key == QLatin1String("AttLine"))
        startAttributeConnection(sticky);
    else if (key == QLatin1String("RelLine"))
        startRelationshipConnection(sticky);
}

void Editor::buttonMenuItem(const QString& key) {
    const CommandScope scope(*this);
    if (key == QLatin1String("Entity"))
        createElement(KindEntity);
    else if (key == QLatin1String("WeakEntity") && selectedOfKind(d_, KindEntity))
        menuWeakEntity(selectedOfKind(d_, KindEntity));
    else if (key == QLatin1String("WeakEntity"))
        prompts_.message(QCoreApplication::translate("Creation", "請先產生 Entity, 再進行設定"));
    else if (key == QLatin1String("Attribute"))
        createElement(KindAttribute);
    else if (key == QLatin1String("MultAttribute"))
        createElement(KindMultAttribute);
    else if (key == QLatin1String("Relationship"))
        createElement(KindRelationship);
    else if (key == QLatin1String("WeakRelationship") && selectedOfKind(d_, KindRelationship))
        identifySelectedRelationship(selectedOfKind(d_, KindRelationship));
    else if (key == QLatin1String("WeakRelationship"))
        prompts_.message(
            QCoreApplication::translate("Creation", "請先產生 Relationship, 再進行設定"));
}

void Editor::identifySelectedRelationship(int r) {
    const Diagram& model = d_;
    // Only a participant already weak can be meant: which of two plain entities depends on the
    // other is for the user to say, through the entity's WeakEntity item.
    std::vector<int> weak;
    for (qint16 x : model.element(r).RelativeEntityList.items())
        if (model.isLiveElement(x) && model.element(x).is(KindWeakEntity) && canIdentify(x, r))
            weak.push_back(x);
    std::sort(weak.begin(), weak.end());
    weak.erase(std::unique(weak.begin(), weak.end()), weak.end());
    if (weak.size() != 1) {
        menuWeakRelationship();
        return;
    }
    d_.state.FirstPick = qint16(weak.front());
    pickIdentifyingRelationship(r);
    d_.view.selection = {r};
}

void Editor::menuAttribute(int a) {
    const CommandScope scope(*this);
    if (!d_.isElement(a)) return;
    nameStep(QCoreApplication::translate("Creation", "類型 ") +
             std::as_const(d_).element(a).Caption);
    choosePairItem(d_.checks.Attribute, d_.checks.MultAttribute);
    d_.element(a).Shape = KindAttribute;
}

void Editor::menuMultAttribute(int a) {
    const CommandScope scope(*this);
    if (!d_.isElement(a)) return;
    nameStep(QCoreApplication::translate("Creation", "類型 ") +
             std::as_const(d_).element(a).Caption);
    choosePairItem(d_.checks.MultAttribute, d_.checks.Attribute);
    d_.element(a).Shape = KindMultAttribute;
}

void Editor::menuKey(int a) {
    const CommandScope scope(*this);
    if (!d_.isElement(a)) return;
    nameStep(QCoreApplication::translate("Creation", "主鍵 ") +
             std::as_const(d_).element(a).Caption);
    d_.checks.Key = !d_.checks.Key;
    d_.element(a).setUnderlined(d_.checks.Key);
}

void Editor::menuEntity(int e) {
    const CommandScope scope(*this);
    if (!d_.isElement(e)) return;
    nameStep(QCoreApplication::translate("Creation", "類型 ") +
             std::as_const(d_).element(e).Caption);
    choosePairItem(d_.checks.Entity, d_.checks.WeakEntity);
    Element& entity = d_.element(e);
    entity.Shape = KindEntity;
    // Only the relationships that identified this entity become ordinary again: those of an
    // owner still identify its weak entity, and a doubled line of any other relationship (total
    // participation in textbook notation) says nothing about weakness.
    const std::vector<qint16> identifying = entity.WeakRelationList.items();
    entity.PrimaryEntityList.clear();
    entity.WeakRelationList.clear();
    for (qint16 r : entity.RelationList.items()) {
        if (!d_.isElement(r) ||
            std::find(identifying.begin(), identifying.end(), r) == identifying.end())
            continue;
        d_.element(r).Shape = KindRelationship;
        for (int k : d_.connectorsOf(e)) {
            const Connector& c = std::as_const(d_).connector(k);
            if (c.Line2.Visible && c.joins(e, r)) d_.connector(k).Line2.Visible = false;
        }
    }
}

void Editor::menuWeakEntity(int e) {
    const CommandScope scope(*this);
    if (!d_.isElement(e)) return;
    choosePairItem(d_.checks.WeakEntity, d_.checks.Entity);
    // A running connect mode ends first, with its picks and marks. The menu's target stays the
    // element.
    if (d_.state.ConnectMode != ConnectMode::None) {
        const qint16 context = d_.state.ContextElement;
        cancel();
        d_.state.ContextElement = context;
    }
    Highlights& marks = d_.view.highlights;
    marks.clear();
    marks.set(e, Highlight::Selected);
    d_.state.FirstPick = qint16(e);
    for (int i = 1; i < d_.elementCount(); ++i) {
        if (std::as_const(d_).element(i).is(KindRelationship) && canIdentify(e, i))
            marks.set(i, Highlight::Candidate);
    }
    d_.view.legendVisible = true;
    d_.state.ConnectMode = ConnectMode::IdentifyingRelationship;
    d_.view.prompt =
        QCoreApplication::translate("Creation", "請選定此 WeakEntityType 的識別關係型態");
    setToolbarEnabled(false);
    // A connect mode picks by clicks; nothing stays selected while it runs.
    d_.view.selection.clear();
}

void Editor::menuRelationship() {
    prompts_.message(QCoreApplication::translate(
        "Creation", "請透過 WeakEntity 的設定, 來解除 WeakRelationship"));
}

void Editor::menuWeakRelationship() {
    prompts_.message(QCoreApplication::translate(
        "Creation", "請透過 WeakEntity 的設定, 來設定 WeakRelationship"));
}
