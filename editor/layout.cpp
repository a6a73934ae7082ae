#include "editor.h"
#include "geometry.h"

void Editor::layoutConnector(int k) {
    Connector& c = d_.connector(k);
    const TagEnds ends = tagEnds(c.Line1.Tag);
    const qint16 first = qint16(ends.first);
    const qint16 second = qint16(ends.second);
    if (c.Line1.dotted()) {
        PlaceRecursiveLine(d_, first, second, qint16(k), c.MN, c.Description, false);
        if (c.Line2.Visible)
            PlaceRecursiveLine(d_, first, second, qint16(k), c.MN, c.Description, true);
    } else {
        PlaceLine(d_, first, second, c.Line1, c.MN, false);
        if (c.Line2.Visible) PlaceLine(d_, first, second, c.Line2, c.MN, true);
    }
    d_.notifyConnector(k);
}

void Editor::layoutConnectorsOf(int i) {
    for (int k = 1; k < d_.connectorCount(); ++k) {
        const Connector& c = d_.connector(k);
        if (!c.Line1.Visible) continue;
        const TagEnds ends = tagEnds(c.Line1.Tag);
        if (ends.first == i || ends.second == i) layoutConnector(k);
    }
}

void Editor::layoutAllConnectors() {
    for (int k = 1; k < d_.connectorCount(); ++k)
        if (d_.connector(k).Line1.Visible) layoutConnector(k);
}
