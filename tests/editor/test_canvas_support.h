#pragma once

#include <QCoreApplication>
#include <QLineF>
#include <QMouseEvent>
#include <QWidget>

#include "diagram.h"

// Builds diagrams straight through the model, the way loading a project fills it, so that view
// tests do not depend on the editing commands.
namespace canvastest {

inline int addElement(Diagram& d, int kind, QRectF box, const QString& caption = QString()) {
    const int i = d.loadElement();
    Element& e = d.element(i);
    e.Shape = float(kind);
    e.Left = float(box.left());
    e.Top = float(box.top());
    e.Width = float(box.width());
    e.Height = float(box.height());
    e.Caption = caption.isEmpty() ? QStringLiteral("E%1").arg(i) : caption;
    e.Visible = true;
    d.notifyElement(i);
    return i;
}

// A live connector from a to b with its main line at `line`: an attribute connector when drawn
// in the attribute colour.
inline int addConnector(Diagram& d, int a, int b, QLineF line, OleColor colour,
                        qint16 style = kLineSolid) {
    const ConnectorKind kind =
        colour == d.settings.AttLineColor ? ConnectorKind::Attribute : ConnectorKind::Relationship;
    const int k = d.loadConnector(kind, a, b);
    Connector& c = d.connector(k);
    c.Line1.X1 = float(line.x1());
    c.Line1.Y1 = float(line.y1());
    c.Line1.X2 = float(line.x2());
    c.Line1.Y2 = float(line.y2());
    c.Line1.BorderColor = colour;
    c.Line1.BorderStyle = style;
    c.Line1.Visible = true;
    d.notifyConnector(k);
    return k;
}

inline void rightPress(QWidget* widget, QPointF pos) {
    QMouseEvent press(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

}  // namespace canvastest
