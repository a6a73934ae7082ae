#include "drawingscale.h"

#include <cmath>

ScaleMapping::ScaleMapping(const DrawingScale& scale, const QSize& pixels) {
    if (!scale.isUsable() || pixels.width() <= 0 || pixels.height() <= 0) return;
    left_ = scale.left;
    top_ = scale.top;
    sx_ = pixels.width() / scale.width;
    sy_ = pixels.height() / scale.height;
}

QPointF ScaleMapping::toPixels(const QPointF& logical) const {
    return {(logical.x() - left_) * sx_, (logical.y() - top_) * sy_};
}

QRectF ScaleMapping::toPixels(const QRectF& logical) const {
    return {toPixels(logical.topLeft()), toPixelSize(logical.size())};
}

QPointF ScaleMapping::toLogical(const QPointF& pixel) const {
    return {left_ + pixel.x() / sx_, top_ + pixel.y() / sy_};
}

std::optional<DrawingScale> WindowScaleMemory::resized(WindowShape shape,
                                                       const DrawingScale& current) {
    if (flag_ == 0 && shape == WindowShape::Maximized) {
        remember(current);
        flag_ = 2;
        return std::nullopt;
    }
    if (flag_ == 2 && shape == WindowShape::Normal) {
        flag_ = 0;
        return DrawingScale{double(remembered_.left), double(remembered_.top),
                            double(remembered_.width), double(remembered_.height)};
    }
    return std::nullopt;
}

void WindowScaleMemory::resizedWhileMaximized(const DrawingScale& current) {
    if (flag_ != 2) return;
    // A maximize only grows the drawing area; a smaller size is the restore on its way.
    if (current.width > remembered_.width || current.height > remembered_.height) remember(current);
}

void WindowScaleMemory::remember(const DrawingScale& current) {
    // To the nearest integer, halves to even.
    remembered_ = {qint32(std::nearbyint(current.width)), qint32(std::nearbyint(current.height)),
                   qint32(std::nearbyint(current.top)), qint32(std::nearbyint(current.left))};
}
