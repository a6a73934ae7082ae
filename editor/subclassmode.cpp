// "Set Subclass": the connect mode that joins a superclass and a subclass through a
// specialization or category circle, three clicks with the candidates of each highlighted; and
// what deleting a circle, or a circle's defining attribute, takes with it.
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "classlinks.h"
#include "commandscope.h"

namespace {

bool contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Whether circle c may take entity e as a further superclass: a specialization has one.
bool takesSuperclass(const Document& doc, int c, int e) {
    const ClassLinks links = classLinksOf(doc, c);
    if (contains(links.subclasses, e)) return false;
    return doc.element(c).is(KindCategory) || links.superclasses.empty() ||
           links.superclasses.front() == e;
}

}  // namespace

void Editor::startSubclassConnection(bool sticky) {
    const CommandScope scope(*this);
    markEntitiesAsCandidates();
    beginConnectMode(
        ConnectMode::Superclass,
        QCoreApplication::translate("Subclassing", "請選定父類別 (superclass) 的 Entity"), sticky);
}

void Editor::pickSuperclass(int e) {
    d_.state.FirstPick = qint16(e);
    const Diagram& model = d_;
    Highlights& marks = d_.view.highlights;
    for (int i = 1; i < model.elementCount(); ++i) {
        const bool circle = model.isLiveElement(i) && model.element(i).isSpecializationKind();
        marks.set(i, i == e                                              ? Highlight::Selected
                     : circle && takesSuperclass(model.document(), i, e) ? Highlight::Candidate
                                                                         : Highlight::None);
    }
    d_.state.ConnectMode = ConnectMode::SpecializationCircle;
    d_.view.prompt =
        QCoreApplication::translate("Subclassing", "請選定特殊化 (d/o) 或類別 (∪) 的圓圈");
}

void Editor::pickSpecializationCircle(int circle) {
    const int e = d_.state.FirstPick;
    d_.state.RelationPick = qint16(circle);
    const Diagram& model = d_;
    Highlights& marks = d_.view.highlights;
    for (int i = 1; i < model.elementCount(); ++i) {
        if (i == e || i == circle) {
            marks.set(i, Highlight::Selected);
            continue;
        }
        const bool entity = model.isLiveElement(i) && model.element(i).isEntityKind();
        marks.set(i, entity && subclassLinkRefusal(model.document(), e, circle, i).isEmpty()
                         ? Highlight::Candidate
                         : Highlight::None);
    }
    d_.state.ConnectMode = ConnectMode::Subclass;
    d_.view.prompt =
        QCoreApplication::translate("Subclassing", "請選定子類別 (subclass) 的 Entity");
}

void Editor::pickSubclass(int f) {
    // A refusal keeps the mode waiting for another subclass.
    if (!linkSubclass(d_.state.FirstPick, d_.state.RelationPick, f)) return;
    finishMode();
    d_.state.RelationPick = 0;
}

void Editor::deleteSpecialization(int circle) {
    const CommandScope scope(*this);
    const Diagram& model = d_;
    if (!model.isLiveElement(circle) || !model.element(circle).isSpecializationKind()) return;
    nameStep(model.element(circle).is(KindCategory)
                 ? QCoreApplication::translate("Subclassing", "刪除 類別")
                 : QCoreApplication::translate("Subclassing", "刪除 特殊化"));
    for (int k : d_.connectorsOf(circle)) {
        if (!d_.isLiveConnector(k)) continue;
        Connector& c = d_.connector(k);
        c.Line1.Visible = false;
        c.Line2.Visible = false;
    }
    d_.element(circle).Visible = false;
    endModeOnDeletedPick();
}

void Editor::forgetDefiningAttribute(int a) {
    const Diagram& model = d_;
    for (qint16 owner : model.element(a).RelativeEntityList.items()) {
        if (!model.isElement(owner)) continue;
        for (int k : model.connectorsOf(owner)) {
            const Connector& c = model.connector(k);
            if (c.kind != ConnectorKind::Superclass || c.first != owner ||
                !model.isElement(c.second) || model.element(c.second).DefiningAttribute != a)
                continue;
            d_.element(c.second).DefiningAttribute = 0;
        }
    }
}

void Editor::chooseDefiningAttribute(int circle) {
    const CommandScope scope(*this);
    const Diagram& model = d_;
    if (!model.isLiveElement(circle) || !model.element(circle).is(KindSpecialization)) return;
    const ClassLinks links = classLinksOf(model.document(), circle);
    if (links.superclasses.empty()) {
        prompts_.message(QCoreApplication::translate("Subclassing", "請先設定特殊化的父類別"));
        return;
    }
    const Element& superclass = model.element(links.superclasses.front());
    QStringList names;
    for (qint16 a : superclass.AttributeList.items())
        if (model.isLiveElement(a)) names << model.element(a).Caption;
    const int current = model.element(circle).DefiningAttribute;
    const std::optional<QString> answer = prompts_.input(
        QCoreApplication::translate("Subclassing", "%1 的哪一個屬性決定子類別? (%2; 空白表示無)")
            .arg(superclass.Caption, names.join(QStringLiteral(", "))),
        QCoreApplication::translate("Subclassing", "定義屬性"),
        model.isLiveElement(current) ? model.element(current).Caption : QString());
    if (!answer) return;
    const QString name = answer->trimmed();
    int chosen = 0;
    for (qint16 a : superclass.AttributeList.items())
        if (chosen == 0 && model.isLiveElement(a) && model.element(a).Caption.trimmed() == name)
            chosen = a;
    if (!name.isEmpty() && chosen == 0) {
        prompts_.message(QCoreApplication::translate("Subclassing", "%1 沒有屬性 %2")
                             .arg(superclass.Caption, name));
        return;
    }
    setDefiningAttribute(circle, chosen);
}
