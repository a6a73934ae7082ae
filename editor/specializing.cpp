// Enhanced ER: joining classes through specialization and category circles, and the circle's
// own choices (disjoint or overlapping, total or partial, mapping, defining attribute).
#include <QCoreApplication>
#include <algorithm>

#include "classlinks.h"
#include "commandscope.h"
#include "geometry.h"

namespace {

bool contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

void Editor::showTotal(int k) {
    Connector& c = d_.connector(k);
    const Element& circle = std::as_const(d_).element(c.second);
    const bool doubled = circle.Total && carriesTotal(circle, c.kind);
    c.Line2.Visible = doubled;
    c.Line2.BorderStyle = kLineSolid;
    if (doubled) PlaceLine(d_, c.first, c.second, c.Line2, c.MN, true);
}

int Editor::createClassLink(ConnectorKind kind, int entity, int circle) {
    const int k = d_.loadConnector(kind, entity, circle);
    if (k == 0) return 0;
    Connector& c = d_.connector(k);
    d_.setLabelCaption(c.Description, QString());
    d_.setLabelCaption(c.MN, QString());
    c.Line1.Visible = true;
    c.Line1.BorderColor = c.Line2.BorderColor = d_.settings.RelLineColor;
    PlaceLine(d_, qint16(entity), qint16(circle), c.Line1, c.MN, false);
    showTotal(k);
    return k;
}

bool Editor::linkSubclass(int superclass, int circle, int subclass) {
    const CommandScope scope(*this);
    const Diagram& model = d_;
    const bool entities = model.isLiveElement(superclass) && model.isLiveElement(subclass) &&
                          model.element(superclass).isEntityKind() &&
                          model.element(subclass).isEntityKind();
    if (!entities || !model.isLiveElement(circle) || !model.element(circle).isSpecializationKind())
        return false;
    const ClassLinks links = classLinksOf(model.document(), circle);
    const QString refusal = subclassLinkRefusal(model.document(), superclass, circle, subclass);
    if (!refusal.isEmpty()) {
        prompts_.message(refusal);
        return false;
    }
    nameStep(QCoreApplication::translate("Specializing", "子類別 %1 - %2")
                 .arg(model.element(superclass).Caption, model.element(subclass).Caption));
    const bool newSuperclass = !contains(links.superclasses, superclass);
    const bool newSubclass = !contains(links.subclasses, subclass);
    if ((newSuperclass && createClassLink(ConnectorKind::Superclass, superclass, circle) == 0) ||
        (newSubclass && createClassLink(ConnectorKind::Subclass, subclass, circle) == 0)) {
        prompts_.message(
            QCoreApplication::translate("Connecting", "連線數量已達上限, 無法再新增連線"));
        return false;
    }
    return true;
}

void Editor::setOverlapping(int circle, bool overlapping) {
    const CommandScope scope(*this);
    if (!d_.isLiveElement(circle) || !std::as_const(d_).element(circle).is(KindSpecialization))
        return;
    Element& e = d_.element(circle);
    if (e.Overlapping == overlapping) return;
    if (overlapping && e.Mapping == SubclassMapping::OneTypeAttribute) {
        prompts_.message(QCoreApplication::translate(
            "Specializing", "對映 8C 只適用於不相交 (d) 的特殊化, 請先選擇其他對映"));
        return;
    }
    nameStep(overlapping ? QCoreApplication::translate("Specializing", "重疊特殊化")
                         : QCoreApplication::translate("Specializing", "不相交特殊化"));
    e.Overlapping = overlapping;
    e.Caption = specializationMark(e);
}

void Editor::setTotalSpecialization(int circle, bool total) {
    const CommandScope scope(*this);
    if (!d_.isLiveElement(circle) || !std::as_const(d_).element(circle).isSpecializationKind())
        return;
    Element& e = d_.element(circle);
    if (e.Total == total) return;
    if (!total && e.Mapping == SubclassMapping::SubclassesOnly) {
        prompts_.message(QCoreApplication::translate(
            "Specializing", "對映 8B 只適用於全部 (total) 特殊化, 請先選擇其他對映"));
        return;
    }
    nameStep(total ? QCoreApplication::translate("Specializing", "全部參與")
                   : QCoreApplication::translate("Specializing", "部分參與"));
    e.Total = total;
    for (int k : d_.connectorsOf(circle))
        if (d_.isLiveConnector(k) && std::as_const(d_).connector(k).isClassLink()) showTotal(k);
}

void Editor::setSubclassMapping(int circle, SubclassMapping mapping) {
    const CommandScope scope(*this);
    if (!d_.isLiveElement(circle) || !std::as_const(d_).element(circle).is(KindSpecialization))
        return;
    const Element& e = std::as_const(d_).element(circle);
    if (e.Mapping == mapping) return;
    if (mapping == SubclassMapping::SubclassesOnly && !e.Total) {
        prompts_.message(
            QCoreApplication::translate("Specializing", "對映 8B 只適用於全部 (total) 特殊化"));
        return;
    }
    if (mapping == SubclassMapping::OneTypeAttribute && e.Overlapping) {
        prompts_.message(
            QCoreApplication::translate("Specializing", "對映 8C 只適用於不相交 (d) 的特殊化"));
        return;
    }
    nameStep(QCoreApplication::translate("Specializing", "對映 ") + subclassMappingName(mapping));
    d_.element(circle).Mapping = mapping;
}

void Editor::setDefiningAttribute(int circle, int attribute) {
    const CommandScope scope(*this);
    const Diagram& model = d_;
    if (!model.isLiveElement(circle) || !model.element(circle).is(KindSpecialization)) return;
    if (attribute != 0) {
        const ClassLinks links = classLinksOf(model.document(), circle);
        const bool ofSuperclass = model.isLiveElement(attribute) &&
                                  model.element(attribute).isAttributeKind() &&
                                  !links.superclasses.empty() &&
                                  model.element(attribute).RelativeEntityList.containsItem(
                                      qint16(links.superclasses.front()));
        if (!ofSuperclass) {
            prompts_.message(
                QCoreApplication::translate("Specializing", "定義屬性必須是父類別的屬性"));
            return;
        }
    }
    if (model.element(circle).DefiningAttribute == attribute) return;
    nameStep(QCoreApplication::translate("Specializing", "定義屬性"));
    d_.element(circle).DefiningAttribute = qint16(attribute);
}
