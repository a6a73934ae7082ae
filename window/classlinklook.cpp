#include "classlinklook.h"

#include <QtMath>
#include <cmath>

QPainterPath subsetMark(const QLineF& line, double radius) {
    QPainterPath mark;
    if (line.length() <= 0) return mark;
    const QPointF middle = line.center();
    const QPointF along = (line.p2() - line.p1()) / line.length();  // towards the circle
    const QPointF across(-along.y(), along.x());
    // The bottom of the cup lies on the subclass's side, its two ends towards the circle.
    constexpr int kSegments = 12;
    for (int s = 0; s <= kSegments; ++s) {
        const double angle = M_PI * s / kSegments;
        const QPointF point =
            middle + radius * (std::cos(angle) * across - std::sin(angle) * along);
        if (s == 0)
            mark.moveTo(point);
        else
            mark.lineTo(point);
    }
    return mark;
}

QPointF besideLine(const QLineF& line, const QSizeF& size, double gap) {
    const QPointF middle = line.center();
    if (std::abs(line.dx()) > std::abs(line.dy()))
        return {middle.x() - size.width() / 2, middle.y() - gap - size.height()};
    return {middle.x() + gap, middle.y() - size.height() / 2};
}

QString definingCaption(const Document& document, const Connector& connector) {
    if (connector.kind != ConnectorKind::Superclass || !document.isElement(connector.second))
        return QString();
    const int attribute = document.element(connector.second).DefiningAttribute;
    return document.isLiveElement(attribute) ? document.element(attribute).Caption : QString();
}
