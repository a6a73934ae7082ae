#include "diagramedits.h"

namespace DiagramEdits {

int deletedConnector(Diagram& d, int first, int second, bool dotted, const QString& participation) {
    const int k = d.loadConnector(ConnectorKind::Relationship, first, second);
    Connector& c = d.connector(k);
    c.Line1.BorderColor = d.settings.RelLineColor;
    c.Line1.BorderStyle = dotted ? kLineDotted : kLineSolid;
    d.setLabelCaption(c.MN, participation);
    c.Line1.Visible = c.Line2.Visible = c.MN.Visible = c.Description.Visible = false;
    return k;
}

}  // namespace DiagramEdits
