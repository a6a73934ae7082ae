#include "diagramedits.h"

namespace DiagramEdits {

void removeAttribute(Diagram& d, int a) {
    Element& attribute = d.element(a);
    for (qint16 owner : attribute.RelativeEntityList->items()) {
        d.element(owner).AttributeList->removeKey(QString::number(a));
        const QString tag = makeTag(owner, a);
        for (int k = 1; k < d.connectorCount(); ++k)
            if (d.connector(k).Line1.Tag == tag) d.connector(k).Line1.Visible = false;
    }
    attribute.RelativeEntityList->clear();
    attribute.Visible = false;
}

void hideConnector(Diagram& d, int k) {
    Connector& c = d.connector(k);
    c.Line1.Visible = c.Line2.Visible = c.MN.Visible = c.Description.Visible = false;
}

int deletedConnector(Diagram& d, const QString& tag, bool dotted, const QString& participation) {
    const int k = d.loadConnector();
    Connector& c = d.connector(k);
    c.Line1.Tag = tag;
    c.Line1.BorderColor = d.settings.RelLineColor;
    c.Line1.BorderStyle = dotted ? kLineDotted : kLineSolid;
    d.setLabelCaption(c.MN, participation);
    hideConnector(d, k);
    return k;
}

}  // namespace DiagramEdits
