#include "commandscope.h"
#include "geometry.h"

void Editor::layoutConnector(int k) {
    const CommandScope scope(*this);
    Connector& c = d_.connector(k);
    const qint16 first = c.first;
    const qint16 second = c.second;
    if (c.Line1.dotted()) {
        PlaceRecursiveLine(d_, first, second, qint16(k), c.MN, c.Description, false);
        if (c.Line2.Visible)
            PlaceRecursiveLine(d_, first, second, qint16(k), c.MN, c.Description, true);
    } else {
        PlaceLine(d_, first, second, c.Line1, c.MN, false);
        if (c.Line2.Visible) PlaceLine(d_, first, second, c.Line2, c.MN, true);
    }
}

void Editor::layoutConnectorsOf(int i) {
    const CommandScope scope(*this);
    for (int k : d_.connectorsOf(i))
        if (d_.isLiveConnector(k)) layoutConnector(k);
}

void Editor::layoutAllConnectors() {
    const CommandScope scope(*this);
    for (int k = 1; k < d_.connectorCount(); ++k)
        if (d_.isLiveConnector(k)) layoutConnector(k);
}
