#include "diagrambuilder.h"

int DiagramBuilder::create(int kind, const QString& caption) {
    const int i = editor.createElement(kind);
    d.element(i).Caption = caption;
    d.notifyElement(i);
    return i;
}

int DiagramBuilder::entity(const QString& caption) {
    return create(KindEntity, caption);
}

int DiagramBuilder::relationship(const QString& caption) {
    return create(KindRelationship, caption);
}

int DiagramBuilder::attribute(int owner, const QString& caption, bool key) {
    const int a = create(KindAttribute, caption);
    editor.toolbarButton(QStringLiteral("AttLine"));
    click(owner);
    click(a);
    if (key) {
        editor.elementRightDown(a);
        editor.menuKey(a);
    }
    return a;
}

int DiagramBuilder::multAttribute(int owner, const QString& caption, bool key) {
    const int a = attribute(owner, caption, key);
    editor.elementRightDown(a);
    editor.menuMultAttribute(a);
    return a;
}

std::pair<int, int> DiagramBuilder::binary(int first, int r, int second) {
    editor.toolbarButton(QStringLiteral("RelLine"));
    click(first);
    click(r);
    const int k1 = d.state.CurrentLine;
    click(second);
    return {k1, d.connectorCount() - 1};
}

int DiagramBuilder::join(int e, int r) {
    editor.toolbarButton(QStringLiteral("RelLine"));
    click(e);
    click(r);
    return d.connectorCount() - 1;
}

int DiagramBuilder::specialization(int superclass, const std::vector<int>& subclasses,
                                   bool overlapping, bool total) {
    const int circle = editor.createElement(KindSpecialization);
    editor.setOverlapping(circle, overlapping);
    editor.setTotalSpecialization(circle, total);
    for (int sub : subclasses) editor.linkSubclass(superclass, circle, sub);
    return circle;
}

int DiagramBuilder::category(const std::vector<int>& superclasses, int subclass, bool total) {
    const int circle = editor.createElement(KindCategory);
    editor.setTotalSpecialization(circle, total);
    for (int super : superclasses) editor.linkSubclass(super, circle, subclass);
    return circle;
}

void DiagramBuilder::makeWeak(int w, int r) {
    editor.elementRightDown(w);
    editor.menuWeakEntity(w);
    click(r);
}

void DiagramBuilder::setParticipation(int k, const QString& text) {
    Connector& c = d.connector(k);
    d.setLabelCaption(c.MN, text);
    c.MN.Visible = true;
    d.notifyConnector(k);
}

void DiagramBuilder::setRole(int k, const QString& text) {
    Connector& c = d.connector(k);
    d.setLabelCaption(c.Description, text);
    c.Description.Visible = true;
    d.notifyConnector(k);
}

int DiagramBuilder::connector(int first, int second, int nth) const {
    for (int k = 1; k < d.connectorCount(); ++k)
        if (d.connector(k).joins(first, second) && nth-- == 0) return k;
    return 0;
}
