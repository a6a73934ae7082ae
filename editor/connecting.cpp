#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <utility>

#include "commandscope.h"
#include "geometry.h"
#include "grid.h"

namespace {

QString key(int index) {
    return QString::number(index);
}

QString recursiveKey(int index) {
    return QString::number(index) + QStringLiteral("_2");
}

QString connectorLimit() {
    return QCoreApplication::translate("Connecting", "連線數量已達上限, 無法再新增連線");
}

// The distance from (x, y) to the segment between a line's two ends.
double distanceToLine(const Line& line, double x, double y) {
    const double x1 = line.X1, y1 = line.Y1, x2 = line.X2, y2 = line.Y2;
    const double dx = x2 - x1, dy = y2 - y1;
    const double length2 = dx * dx + dy * dy;
    // The nearest point's place along the segment, 0 at the first end and 1 at the second.
    const double t =
        length2 > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

}  // namespace

// ---- helpers shared by the connect modes ----

void Editor::setToolbarEnabled(bool on) {
    d_.view.toolbarEnabled = on;
}

int Editor::createConnector(int first, int second) {
    const int k = d_.loadConnector(ConnectorKind::Relationship, first, second);
    if (k == 0) return 0;
    Connector& c = d_.connector(k);
    d_.setLabelCaption(c.Description, QString());
    d_.setLabelCaption(c.MN, QString());
    c.Line1.Visible = true;
    c.MN.Visible = true;
    PlaceLine(d_, qint16(first), qint16(second), c.Line1, c.MN, false);
    return k;
}

void Editor::finishMode() {
    const ConnectMode ended = d_.state.ConnectMode;
    d_.state.ConnectMode = ConnectMode::None;
    setToolbarEnabled(true);
    d_.view.highlights.clear();
    d_.view.legendVisible = false;
    d_.view.prompt.clear();
    d_.state.FirstPick = 0;
    // A sticky mode starts again once the click's command, and with it the connection's step,
    // is over (see elementLeftDown): the history keeps one step per connection.
    if (d_.state.StickyConnect) restartAfterPick_ = ended;
    d_.state.StickyConnect = false;
}

int Editor::connectorBetween(int first, int second, int after) const {
    for (int k : d_.connectorsOf(first)) {
        const Connector& c = d_.connector(k);
        if (k > after && c.Line1.Visible && c.isRelationship() && c.joins(first, second)) return k;
    }
    return 0;
}

bool Editor::canIdentify(int w, int r) const {
    const Element& weak = d_.element(w);
    const Element& relationship = d_.element(r);
    // The link must be a single, real participation: not the pending connector of an abandoned
    // connection, not one of the two connectors of a recursive relationship.
    const int k = connectorBetween(w, r);
    if (k == 0 || connectorBetween(w, r, k) != 0) return false;
    if (relationship.RelativeEntityList.count() >= 3) return false;
    if (!relationship.RelativeEntityList.containsItem(qint16(w))) return false;
    if (weak.WeakRelationList.containsKey(key(r))) return false;
    for (qint16 x : relationship.RelativeEntityList.items())
        if (x != w && weak.PrimaryEntityList.containsKey(key(x))) return false;
    return true;
}

void Editor::addOwnerToWeakEntitiesOf(int r, int e) {
    // An entity that joins an identifying relationship later identifies its weak entities too,
    // just as the participants present at the designation do.
    const Diagram& model = d_;
    for (int w = 1; w < model.elementCount(); ++w) {
        const Element& weak = model.element(w);
        if (w == e || !weak.Visible || !weak.WeakRelationList.containsKey(key(r))) continue;
        d_.element(w).PrimaryEntityList.add(qint16(e), key(e));
    }
}

bool Editor::canJoin(int r, int f) const {
    return !d_.element(r).RelativeEntityList.containsItem(qint16(f));
}

// ---- starting the modes ----

void Editor::startAttributeConnection(bool sticky) {
    const CommandScope scope(*this);
    d_.state.StickyConnect = sticky;
    d_.view.highlights.markAll(d_.elementCount(), Highlight::Candidate);
    d_.state.ConnectMode = ConnectMode::AttributeOwner;
    d_.view.legendVisible = true;
    d_.view.prompt = QCoreApplication::translate("Connecting", "請選定屬性的 Entity");
    setToolbarEnabled(false);
    // A connect mode picks by clicks; nothing stays selected while it runs.
    d_.view.selection.clear();
}

void Editor::startRelationshipConnection(bool sticky) {
    const CommandScope scope(*this);
    d_.state.StickyConnect = sticky;
    const Diagram& model = d_;
    Highlights& marks = d_.view.highlights;
    marks.clear();
    for (int i = 1; i < model.elementCount(); ++i)
        if (model.element(i).isEntityKind()) marks.set(i, Highlight::Candidate);
    d_.state.ConnectMode = ConnectMode::FirstEntity;
    d_.view.legendVisible = true;
    d_.view.prompt =
        QCoreApplication::translate("Connecting", "請選定 Relationship 的第一個 Entity");
    setToolbarEnabled(false);
    // A connect mode picks by clicks; nothing stays selected while it runs.
    d_.view.selection.clear();
}

// ---- the clicks of each mode ----

void Editor::elementLeftDown(int i, float x, float y) {
    pickElement(i, x, y);
    const ConnectMode restart = std::exchange(restartAfterPick_, ConnectMode::None);
    if (restart == ConnectMode::Attribute)
        startAttributeConnection(true);
    else if (restart != ConnectMode::None)
        startRelationshipConnection(true);
}

void Editor::pickElement(int i, float x, float y) {
    const CommandScope scope(*this);
    d_.state.GrabX = x;
    d_.state.GrabY = y;
    const ConnectMode mode = d_.state.ConnectMode;
    // Pressing on a selected element keeps a multiple selection: the drag that may follow moves
    // all of it.
    if (mode == ConnectMode::None && d_.isElement(i) && !d_.view.selection.contains(i))
        d_.view.selection = {i};
    if (mode == ConnectMode::None || !d_.isElement(i)) return;
    if (mode == ConnectMode::AttributeOwner) {
        pickOwner(i);
        return;
    }
    // The other modes accept only the elements marked as candidates.
    if (d_.view.highlights.of(i) != Highlight::Candidate) return;
    switch (mode) {
        case ConnectMode::Attribute:
            pickAttribute(i);
            break;
        case ConnectMode::FirstEntity:
            pickFirstEntity(i);
            break;
        case ConnectMode::Relationship:
            pickRelationship(i);
            break;
        case ConnectMode::SecondEntity:
            pickSecondEntity(i);
            break;
        case ConnectMode::IdentifyingRelationship:
            pickIdentifyingRelationship(i);
            break;
        case ConnectMode::None:
        case ConnectMode::AttributeOwner:
            break;
    }
}

void Editor::pickOwner(int o) {
    d_.state.FirstPick = qint16(o);
    const Diagram& model = d_;
    Highlights& marks = d_.view.highlights;
    for (int i = 1; i < model.elementCount(); ++i) {
        const Element& e = model.element(i);
        if (i == o)
            marks.set(i, Highlight::Selected);
        else if (e.isAttributeKind() && e.RelativeEntityList.isEmpty())
            marks.set(i, Highlight::Candidate);
        else
            marks.set(i, Highlight::None);
    }
    d_.state.ConnectMode = ConnectMode::Attribute;
    d_.view.prompt = QCoreApplication::translate("Connecting", "請選定 Attribute");
}

void Editor::pickAttribute(int a) {
    const int o = d_.state.FirstPick;
    const Diagram& model = d_;
    if (model.element(o).AttributeList.containsKey(key(a))) {
        prompts_.message(QCoreApplication::translate("Connecting", "屬性 %1 已屬於 %2")
                             .arg(model.element(a).Caption, model.element(o).Caption));
        return;
    }
    const int k = d_.loadConnector(ConnectorKind::Attribute, o, a);
    if (k == 0) {
        prompts_.message(connectorLimit());
        return;
    }
    Connector& c = d_.connector(k);
    d_.setLabelCaption(c.Description, QString());
    d_.setLabelCaption(c.MN, QString());
    c.Line1.Visible = true;
    PlaceLine(d_, qint16(o), qint16(a), c.Line1, c.MN, false);

    d_.element(o).AttributeList.add(qint16(a), key(a));
    d_.element(a).RelativeEntityList.add(qint16(o));
    nameStep(QCoreApplication::translate("Connecting", "連線 %1 - %2")
                 .arg(model.element(o).Caption, model.element(a).Caption));
    finishMode();
}

void Editor::pickFirstEntity(int e) {
    Highlights& marks = d_.view.highlights;
    marks.set(e, Highlight::Selected);
    d_.state.FirstPick = qint16(e);
    d_.state.ConnectMode = ConnectMode::Relationship;
    d_.view.prompt = QCoreApplication::translate("Connecting", "請選定 Relationship");
    const Diagram& model = d_;
    for (int i = 1; i < model.elementCount(); ++i) {
        if (i == e) continue;
        const Element& el = model.element(i);
        if (el.isEntityKind())
            marks.set(i, Highlight::None);
        else if (el.isRelationshipKind() && !el.RelativeEntityList.containsItem(qint16(e)))
            marks.set(i, Highlight::Candidate);
    }
}

void Editor::pickRelationship(int r) {
    const int e = d_.state.FirstPick;
    const int k = createConnector(e, r);
    if (k == 0) {
        prompts_.message(connectorLimit());
        return;
    }
    if (std::as_const(d_).element(r).RelativeEntityList.count() >= 2) {
        // A third or further participant joins at once.
        nameStep(
            QCoreApplication::translate("Connecting", "連線 %1 - %2")
                .arg(std::as_const(d_).element(e).Caption, std::as_const(d_).element(r).Caption));
        d_.element(r).RelativeEntityList.add(qint16(e), key(e));
        d_.element(e).RelationList.add(qint16(r), key(r));
        addOwnerToWeakEntitiesOf(r, e);
        finishMode();
        return;
    }
    d_.state.RelationPick = qint16(r);
    d_.state.ConnectMode = ConnectMode::SecondEntity;
    d_.state.CurrentLine = qint16(k);
    d_.state.PendingLine = qint16(k);
    Highlights& marks = d_.view.highlights;
    for (int i = 1; i < d_.elementCount(); ++i) {
        if (marks.of(i) == Highlight::Candidate) {
            marks.set(i, Highlight::Selected);
        } else if (std::as_const(d_).element(i).isEntityKind() && canJoin(r, i)) {
            // The first entity stays pickable too: picking it again makes the relationship
            // recursive.
            marks.set(i, Highlight::Candidate);
        }
    }
    d_.view.prompt =
        QCoreApplication::translate("Connecting", "請選定 Relationship 的第二個 Entity");
}

void Editor::pickSecondEntity(int f) {
    const int e = d_.state.FirstPick;
    const int r = d_.state.RelationPick;
    const Diagram& model = d_;
    const Element& first = model.element(e);
    const Element& relationship = model.element(r);
    const bool recursive = f == e;
    // Check every addition first, so the link is made whole or not at all.
    const bool possible = !first.RelationList.containsKey(key(r)) &&
                          !relationship.RelativeEntityList.containsKey(key(e)) &&
                          (recursive ? !relationship.RelativeEntityList.containsKey(recursiveKey(f))
                                     : !relationship.RelativeEntityList.containsKey(key(f)) &&
                                           !model.element(f).RelationList.containsKey(key(r)));
    if (!possible) {
        prompts_.message(
            QCoreApplication::translate(
                "Connecting", "Entity %1 已與 Relationship %2 建立關係, 請選擇其他 Entity")
                .arg(model.element(f).Caption, relationship.Caption));
        return;
    }
    // The second connector is laid out as an ordinary one first; a recursive pair is laid out
    // again below, once both connectors are dotted.
    const int k2 = createConnector(f, r);
    if (k2 == 0) {
        prompts_.message(connectorLimit());
        return;
    }

    nameStep(QCoreApplication::translate("Connecting", "連線 %1 - %2")
                 .arg(first.Caption, relationship.Caption));
    d_.element(e).RelationList.add(qint16(r), key(r));
    Collection& participants = d_.element(r).RelativeEntityList;
    participants.add(qint16(e), key(e));
    if (recursive) {
        participants.add(qint16(f), recursiveKey(f));
    } else {
        participants.add(qint16(f), key(f));
        d_.element(f).RelationList.add(qint16(r), key(r));
    }
    addOwnerToWeakEntitiesOf(r, e);
    if (!recursive) addOwnerToWeakEntitiesOf(r, f);

    const int k1 = d_.state.PendingLine;
    if (recursive) {
        Connector& pending = d_.connector(k1);
        Connector& second = d_.connector(k2);
        pending.Line1.BorderStyle = kLineDotted;
        second.Line1.BorderStyle = kLineDotted;
        PlaceRecursiveLine(d_, qint16(e), qint16(r), qint16(k1), pending.MN, pending.Description,
                           false);
        PlaceRecursiveLine(d_, qint16(e), qint16(r), qint16(k2), second.MN, second.Description,
                           false);
    }

    finishMode();
    d_.state.RelationPick = 0;
    d_.state.CurrentLine = 0;
    d_.state.PendingLine = 0;
}

void Editor::pickIdentifyingRelationship(int r) {
    const int w = d_.state.FirstPick;
    if (!canIdentify(w, r)) {
        const Diagram& model = d_;
        prompts_.message(
            QCoreApplication::translate("Connecting", "Relationship %1 不能作為 %2 的識別關係型態")
                .arg(model.element(r).Caption, model.element(w).Caption));
        return;
    }
    nameStep(QCoreApplication::translate("Connecting", "弱實體 ") +
             std::as_const(d_).element(w).Caption);
    const int k = connectorBetween(w, r);
    Connector& c = d_.connector(k);
    PlaceLine(d_, qint16(w), qint16(r), c.Line2, c.MN, true);
    Element& weak = d_.element(w);
    weak.WeakRelationList.add(qint16(r), key(r));
    for (qint16 x : std::as_const(d_).element(r).RelativeEntityList.items())
        if (x != w) weak.PrimaryEntityList.add(x, key(x));
    c.Line2.Visible = true;

    weak.Shape = KindWeakEntity;
    d_.element(r).Shape = KindWeakRelationship;

    d_.state.ConnectMode = ConnectMode::None;
    setToolbarEnabled(true);
    d_.state.FirstPick = 0;
    d_.view.highlights.clear();
    d_.view.prompt.clear();
    d_.view.legendVisible = false;
}

void Editor::clearSelection() {
    const CommandScope scope(*this);
    d_.view.selection.clear();
}

void Editor::cancel() {
    const CommandScope scope(*this);
    d_.view.selection.clear();
    d_.state.FirstPick = 0;
    d_.state.RelationPick = 0;
    d_.state.PendingLine = 0;
    d_.state.ContextElement = 0;
    d_.state.ConnectMode = ConnectMode::None;
    d_.state.StickyConnect = false;
    setToolbarEnabled(true);
    d_.view.highlights.clear();
    d_.view.legendVisible = false;
}

// ---- pop-up menus, hover, drag and drop ----

Editor::Popup Editor::elementRightDown(int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return Popup::None;
    d_.state.ContextElement = qint16(i);
    const Element& e = std::as_const(d_).element(i);
    MenuChecks& m = d_.checks;
    const int kind = e.Shape == float(int(e.Shape)) ? int(e.Shape) : -1;
    switch (kind) {
        case KindEntity:
        case KindWeakEntity:
            m.Entity = kind == KindEntity;
            m.WeakEntity = kind == KindWeakEntity;
            m.EntityLockSize = e.IsSizeLock;
            return Popup::Entity;
        case KindAttribute:
            m.Attribute = true;
            m.MultAttribute = false;
            m.Key = e.underlined();
            m.AttributeLockSize = e.IsSizeLock;
            return Popup::Attribute;
        case KindMultAttribute:
            // The Key check keeps whatever state it had.
            m.Attribute = false;
            m.MultAttribute = true;
            m.AttributeLockSize = e.IsSizeLock;
            return Popup::Attribute;
        case KindRelationship:
        case KindWeakRelationship:
            m.Relationship = kind == KindRelationship;
            m.WeakRelationship = kind == KindWeakRelationship;
            m.RelationshipLockSize = e.IsSizeLock;
            return Popup::Relationship;
        default:
            return Popup::None;
    }
}

void Editor::elementHover(int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    const Element& e = std::as_const(d_).element(i);
    const auto listed = [](const QString& label, const Collection& list) {
        return list.isEmpty() ? label + QCoreApplication::translate("Connecting", "無")
                              : label + list.joined();
    };
    d_.view.hover[0] = QStringLiteral("Index: ") + QString::number(i);
    if (e.is(KindWeakEntity)) {
        d_.view.hover[1] = QStringLiteral("WeakEntity: ") + e.WeakRelationList.joined();
        d_.view.hover[2] = QStringLiteral("PrimaryEntity: ") + e.PrimaryEntityList.joined();
    } else {
        d_.view.hover[1] = listed(
            QCoreApplication::translate("Connecting", "RelationshipType元素: "), e.RelationList);
        d_.view.hover[2] = listed(QCoreApplication::translate("Connecting", "相關的Entity元素: "),
                                  e.RelativeEntityList);
    }
}

void Editor::dropElement(int i, float X, float Y) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    // With snapping on, the dropped element's corner goes to the nearest grid point; the others
    // of a group keep their places relative to it.
    const int grid = d_.settings.snapGrid();
    const float left = float(snapToGrid(X - d_.state.GrabX, grid));
    const float top = float(snapToGrid(Y - d_.state.GrabY, grid));
    if (const std::vector<int> group = groupOf(i); !group.empty()) {
        nameStep(QCoreApplication::translate("Connecting", "移動 %1 個元素").arg(group.size()));
        moveGroup(group, i, left, top);
        return;
    }
    nameStep(QCoreApplication::translate("Connecting", "移動 ") +
             std::as_const(d_).element(i).Caption);
    Element& e = d_.element(i);
    e.Left = left;
    e.Top = top;
    layoutConnectorsOf(i);
}

int Editor::connectorAt(float X, float Y) const {
    for (int k = 1; k < d_.connectorCount(); ++k) {
        const Connector& c = d_.connector(k);
        if (!c.Line1.Visible || !c.isRelationship()) continue;
        const Line& line = c.Line1;
        const double dx = double(X) - (double(line.X1) + double(line.X2)) / 2;
        const double dy = double(Y) - (double(line.Y1) + double(line.Y2)) / 2;
        if (dx * dx < 100 && dy * dy < 100) return k;
    }
    return 0;
}

int Editor::connectorNear(float X, float Y, float tolerance) const {
    int nearest = 0;
    double best = double(tolerance);
    for (int k = 1; k < d_.connectorCount(); ++k) {
        const Connector& c = d_.connector(k);
        if (!c.Line1.Visible || !c.isRelationship()) continue;
        const double distance = distanceToLine(c.Line1, double(X), double(Y));
        // Strictly nearer only: among equally near lines the lowest index stays.
        if (distance < best || (nearest == 0 && distance == best)) {
            best = distance;
            nearest = k;
        }
    }
    return nearest;
}

bool Editor::drawingAreaRightDown(float X, float Y, float tolerance) {
    const CommandScope scope(*this);
    int k = connectorAt(X, Y);
    if (k == 0 && tolerance > 0) k = connectorNear(X, Y, tolerance);
    if (k == 0) return false;
    d_.state.CurrentLine = qint16(k);
    d_.checks.DescriptionEnabled = std::as_const(d_).connector(k).Line1.dotted();
    return true;
}
