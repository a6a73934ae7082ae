#include "outline.h"

#include <QFontMetricsF>
#include <cmath>

// Placeholder geometry until the outline module is written.
qint32 roundHalfEven(double value) { return qint32(std::nearbyint(value)); }

OutlineGeometry outlineGeometry(float, double, double, qint32, qint32, qint32) { return {}; }

QPointF captionTopLeft(const QPointF& centre, const QSizeF& labelSize) {
    return {centre.x() - labelSize.width() / 2, centre.y() - labelSize.height() / 2};
}

qint32 captionWidthFor(const QFont& font, const QString& caption) {
    return roundHalfEven(QFontMetricsF(font).horizontalAdvance(caption));
}
