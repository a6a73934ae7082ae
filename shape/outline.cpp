#include "outline.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min();
constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();

// Collects the integer coordinates of one outline. The first value that leaves the 32-bit range
// spoils the whole outline, the way an overflow error stops the drawing of it.
class Coordinates {
public:
    qint32 nearest(double value) {
        const std::optional<qint32> rounded = roundHalfEvenChecked(value);
        if (!rounded) fits_ = false;
        return rounded.value_or(0);
    }
    qint32 exact(qint64 value) {
        if (value < kInt32Min || value > kInt32Max) {
            fits_ = false;
            return 0;
        }
        return qint32(value);
    }
    bool fit() const { return fits_; }

private:
    bool fits_ = true;
};

QPolygon quad(QPoint a, QPoint b, QPoint c, QPoint d) {
    return QPolygon({a, b, c, d});
}

// A box given by its left/top corner and its exclusive right/bottom corner.
QRect box(Coordinates& c, qint32 left, qint32 top, qint32 right, qint32 bottom) {
    return QRect(QPoint(left, top),
                 QPoint(c.exact(qint64(right) - 1), c.exact(qint64(bottom) - 1)));
}

void addRectangles(OutlineGeometry& g, double W, double H, bool doubled, qint32 R) {
    Coordinates outer;
    const qint32 right = outer.nearest(W - 1);
    const qint32 bottom = outer.nearest(H - 1);
    if (!outer.fit()) {
        g.overflow = true;
        return;
    }
    g.polygons.push_back(quad({0, 0}, {right, 0}, {right, bottom}, {0, bottom}));
    g.floodFill = !doubled;
    g.captionCentre = QPointF(right / 2.0, bottom / 2.0);
    if (!doubled) return;

    // The inner rectangle moves each integer corner inward by R; the sums are checked, not wrapped.
    Coordinates inner;
    const qint32 left = inner.exact(qint64(0) + R);
    const qint32 top = inner.exact(qint64(0) + R);
    const qint32 innerRight = inner.exact(qint64(right) - R);
    const qint32 innerBottom = inner.exact(qint64(bottom) - R);
    if (!inner.fit()) {
        g.overflow = true;
        return;
    }
    g.polygons.push_back(
        quad({left, top}, {innerRight, top}, {innerRight, innerBottom}, {left, innerBottom}));
}

void addEllipses(OutlineGeometry& g, double W, double H, bool doubled, qint32 E) {
    Coordinates outer;
    const QRect outerBox = box(outer, 0, 0, outer.nearest(W), outer.nearest(H));
    if (!outer.fit()) {
        g.overflow = true;
        return;
    }
    g.ellipses.push_back(outerBox);
    g.captionCentre = QPointF(W / 2, H / 2);
    if (!doubled) return;

    Coordinates inner;
    const QRect innerBox = box(inner, E, E, inner.nearest(W - E), inner.nearest(H - E));
    if (!inner.fit()) {
        g.overflow = true;
        return;
    }
    g.ellipses.push_back(innerBox);
}

void addDiamonds(OutlineGeometry& g, double W, double H, bool doubled, qint32 D) {
    // The right and bottom tips sit at W and H, one pixel beyond the last visible column and row.
    Coordinates outer;
    const qint32 midX = outer.nearest(W / 2);
    const qint32 midY = outer.nearest(H / 2);
    const qint32 right = outer.nearest(W);
    const qint32 bottom = outer.nearest(H);
    if (!outer.fit()) {
        g.overflow = true;
        return;
    }
    g.polygons.push_back(quad({midX, 0}, {right, midY}, {midX, bottom}, {0, midY}));
    g.captionCentre = QPointF(midX, midY);
    if (!doubled) return;

    Coordinates inner;
    const qint32 innerRight = inner.nearest(W - D);
    const qint32 innerBottom = inner.nearest(H - D);
    if (!inner.fit()) {
        g.overflow = true;
        return;
    }
    g.polygons.push_back(quad({midX, D}, {innerRight, midY}, {midX, innerBottom}, {D, midY}));
}

}  // namespace

std::optional<qint32> roundHalfEvenChecked(double value) {
    if (std::isnan(value)) return std::nullopt;
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1;
    if (rounded < double(kInt32Min) || rounded > double(kInt32Max)) return std::nullopt;
    return qint32(rounded);
}

qint32 roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value <= double(kInt32Min)) return qint32(kInt32Min);
    if (value >= double(kInt32Max)) return qint32(kInt32Max);
    return *roundHalfEvenChecked(value);
}

int pixelCoordinate(double value) {
    constexpr double kLimit = 1 << 24;
    if (std::isnan(value)) return 0;
    return int(std::lround(std::clamp(value, -kLimit, kLimit)));
}

QRect pixelRect(const QRectF& rect, bool aligned) {
    if (!aligned)
        return QRect(pixelCoordinate(rect.x()), pixelCoordinate(rect.y()),
                     pixelCoordinate(rect.width()), pixelCoordinate(rect.height()));
    const int left = pixelCoordinate(std::floor(rect.left()));
    const int top = pixelCoordinate(std::floor(rect.top()));
    return QRect(left, top, pixelCoordinate(std::ceil(rect.right())) - left,
                 pixelCoordinate(std::ceil(rect.bottom())) - top);
}

OutlineGeometry outlineGeometry(float shape, double W, double H, qint32 recWidth, qint32 ellWidth,
                                qint32 diaWidth) {
    OutlineGeometry g;
    // Exact comparison: 2.5 or 8 is no outline at all.
    if (shape == 0.0f || shape == 1.0f)
        addRectangles(g, W, H, shape == 1.0f, recWidth);
    else if (shape == 2.0f || shape == 3.0f)
        addEllipses(g, W, H, shape == 3.0f, ellWidth);
    else if (shape == 4.0f || shape == 5.0f)
        addDiamonds(g, W, H, shape == 5.0f, diaWidth);
    else if (shape == 6.0f || shape == 7.0f)
        addEllipses(g, W, H, false, ellWidth);  // a specialization or category circle
    return g;
}

QPointF captionTopLeft(const QPointF& centre, const QSizeF& labelSize) {
    return {centre.x() - labelSize.width() / 2, centre.y() - labelSize.height() / 2};
}

qint32 captionWidthFor(const QFont& font, const QString& caption) {
    return roundHalfEven(QFontMetricsF(font).horizontalAdvance(caption));
}

QSize captionSizeFor(const QFont& font, const QString& caption) {
    return QSize(captionWidthFor(font, caption), roundHalfEven(QFontMetricsF(font).height()));
}
