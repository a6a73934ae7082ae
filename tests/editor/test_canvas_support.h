#pragma once

#include <QCoreApplication>
#include <QLineF>
#include <QMouseEvent>
#include <QWidget>

#include "canvas.h"
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

// A mouse event on element i of the canvas, `at` pixels from the element's top-left corner.
inline void mouseOnElement(Canvas* canvas, int i, QEvent::Type type, QPointF at,
                           Qt::MouseButton button,
                           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF pos = QPointF(canvas->elementRect(i).topLeft()) + at;
    Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    if (type == QEvent::MouseMove) button = Qt::NoButton;
    QMouseEvent event(type, pos, canvas->mapToGlobal(pos), button, held, modifiers);
    QCoreApplication::sendEvent(canvas, &event);
}

// A press and release (a click) on element i, `at` pixels from its top-left corner.
inline void clickElement(Canvas* canvas, int i, QPointF at, Qt::MouseButton button = Qt::LeftButton,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouseOnElement(canvas, i, QEvent::MouseButtonPress, at, button, modifiers);
    mouseOnElement(canvas, i, QEvent::MouseButtonRelease, at, button, modifiers);
}

}  // namespace canvastest
