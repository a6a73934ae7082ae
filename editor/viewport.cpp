#include "viewport.h"

#include <algorithm>
#include <cmath>

namespace {

// Scroll positions are whole pixels; the drawing may be far larger than an int holds only in
// theory, so the arithmetic is clamped.
int toPixelCount(double pixels) {
    return int(std::clamp(std::round(pixels), 0.0, 1.0e9));
}

Viewport::Bar barAlong(double viewStart, double viewLength, double extentStart,
                       double extentLength, double pixelsPerUnit) {
    const double start = std::min(viewStart, extentStart);
    const double end = std::max(viewStart + viewLength, extentStart + extentLength);
    Viewport::Bar bar;
    bar.page = toPixelCount(viewLength * pixelsPerUnit);
    bar.maximum = std::max(0, toPixelCount((end - start) * pixelsPerUnit) - bar.page);
    bar.value = std::min(bar.maximum, toPixelCount((viewStart - start) * pixelsPerUnit));
    // A hair of rounding is not a reason for a scroll bar.
    const double slack = 0.5 / pixelsPerUnit;
    bar.needed = extentLength > 0 && (extentStart < viewStart - slack ||
                                      extentStart + extentLength > viewStart + viewLength + slack);
    return bar;
}

}  // namespace

QRectF Viewport::visibleArea(const ScaleMapping& base, const QSize& pixels) const {
    const ScaleMapping m = mapping(base);
    return QRectF(m.toLogical(QPointF(0, 0)), m.toLogical(QPointF(pixels.width(), pixels.height())));
}

void Viewport::scrollByPixels(const ScaleMapping& base, const QPointF& pixels) {
    const ScaleMapping m = mapping(base);
    scrolled_ += QPointF(pixels.x() / m.pixelsPerUnitX(), pixels.y() / m.pixelsPerUnitY());
}

void Viewport::zoomAround(const ScaleMapping& base, double zoom, const QPointF& anchor) {
    if (!std::isfinite(zoom)) return;
    const QPointF fixed = mapping(base).toLogical(anchor);
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    const ScaleMapping m = mapping(base);
    const QPointF origin(fixed.x() - anchor.x() / m.pixelsPerUnitX(),
                         fixed.y() - anchor.y() / m.pixelsPerUnitY());
    scrolled_ = origin - base.origin();
}

void Viewport::stepZoom(const ScaleMapping& base, double steps, const QPointF& anchor) {
    double zoom = zoom_ * std::pow(kZoomStep, steps);
    if (std::abs(zoom - 1) < 0.03) zoom = 1;
    zoomAround(base, zoom, anchor);
}

void Viewport::fit(const ScaleMapping& base, const QRectF& extent, const QSize& pixels) {
    if (extent.isEmpty() || pixels.isEmpty()) return;
    const double margin = 0.95;
    const double zoom =
        std::min(pixels.width() / (extent.width() * base.pixelsPerUnitX()),
                 pixels.height() / (extent.height() * base.pixelsPerUnitY())) *
        margin;
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    const ScaleMapping m = mapping(base);
    const QPointF halfView(pixels.width() / 2.0 / m.pixelsPerUnitX(),
                           pixels.height() / 2.0 / m.pixelsPerUnitY());
    scrolled_ = extent.center() - halfView - base.origin();
}

void Viewport::ensureVisible(const ScaleMapping& base, const QRectF& area, const QSize& pixels,
                             int marginPixels) {
    const ScaleMapping m = mapping(base);
    const QRectF view = visibleArea(base, pixels);
    const double mx = marginPixels / m.pixelsPerUnitX(), my = marginPixels / m.pixelsPerUnitY();
    const QRectF wanted = area.adjusted(-mx, -my, mx, my);
    const auto shift = [](double viewStart, double viewEnd, double start, double end) {
        if (end - start > viewEnd - viewStart || start < viewStart) return start - viewStart;
        if (end > viewEnd) return end - viewEnd;
        return 0.0;
    };
    scrolled_ += QPointF(shift(view.left(), view.right(), wanted.left(), wanted.right()),
                         shift(view.top(), view.bottom(), wanted.top(), wanted.bottom()));
}

Viewport::Bar Viewport::horizontalBar(const ScaleMapping& base, const QRectF& extent,
                                      const QSize& pixels) const {
    const QRectF view = visibleArea(base, pixels);
    return barAlong(view.left(), view.width(), extent.left(), extent.width(),
                    mapping(base).pixelsPerUnitX());
}

Viewport::Bar Viewport::verticalBar(const ScaleMapping& base, const QRectF& extent,
                                    const QSize& pixels) const {
    const QRectF view = visibleArea(base, pixels);
    return barAlong(view.top(), view.height(), extent.top(), extent.height(),
                    mapping(base).pixelsPerUnitY());
}

void Viewport::setHorizontalValue(const ScaleMapping& base, const QRectF& extent,
                                  const QSize& pixels, int value) {
    const QRectF view = visibleArea(base, pixels);
    const double start = std::min(view.left(), extent.left());
    scrolled_.setX(start + value / mapping(base).pixelsPerUnitX() - base.origin().x());
}

void Viewport::setVerticalValue(const ScaleMapping& base, const QRectF& extent,
                                const QSize& pixels, int value) {
    const QRectF view = visibleArea(base, pixels);
    const double start = std::min(view.top(), extent.top());
    scrolled_.setY(start + value / mapping(base).pixelsPerUnitY() - base.origin().y());
}
