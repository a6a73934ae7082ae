#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

#include "drawingscale.h"

// What part of the drawing the canvas shows, on top of the drawing scale the window keeps: a zoom
// factor and how far the view is scrolled, in drawing units from the scale's own origin.
// Scrolling and zooming change only this; the model keeps its coordinates. `base` is always the
// drawing scale's mapping onto the canvas, without the view.
class Viewport {
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 4.0;
    static constexpr double kZoomStep = 1.1;

    double zoom() const { return zoom_; }
    QPointF scrolled() const { return scrolled_; }
    bool isIdentity() const { return zoom_ == 1 && scrolled_.isNull(); }

    // Drawing units to canvas pixels through this view.
    ScaleMapping mapping(const ScaleMapping& base) const {
        return base.viewed(zoom_, base.origin() + scrolled_);
    }
    // The drawing rectangle a canvas of `pixels` shows.
    QRectF visibleArea(const ScaleMapping& base, const QSize& pixels) const;

    void scrollByPixels(const ScaleMapping& base, const QPointF& pixels);
    // Zooms to `zoom` (kept within the limits), the drawing point under pixel `anchor` staying
    // where it is.
    void zoomAround(const ScaleMapping& base, double zoom, const QPointF& anchor);
    // `steps` zoom steps in (positive) or out (negative); a zoom that lands next to 100 % becomes
    // exactly 100 %.
    void stepZoom(const ScaleMapping& base, double steps, const QPointF& anchor);
    // Zooms and scrolls so that the drawing rectangle `extent` fills a canvas of `pixels`, centred.
    void fit(const ScaleMapping& base, const QRectF& extent, const QSize& pixels);
    // Scrolls as little as needed to show `area` (plus `marginPixels`) on a canvas of `pixels`.
    void ensureVisible(const ScaleMapping& base, const QRectF& area, const QSize& pixels,
                       int marginPixels = 10);

    // One scroll bar: its range (0 to maximum), page and position in pixels, and whether the
    // drawing extends past the view along it at all.
    struct Bar {
        int maximum = 0;
        int page = 0;
        int value = 0;
        bool needed = false;
        bool operator==(const Bar&) const = default;
    };
    // The bars for a drawing that covers `extent`: they span the drawing and the view together.
    Bar horizontalBar(const ScaleMapping& base, const QRectF& extent, const QSize& pixels) const;
    Bar verticalBar(const ScaleMapping& base, const QRectF& extent, const QSize& pixels) const;
    // A bar moved to `value`.
    void setHorizontalValue(const ScaleMapping& base, const QRectF& extent, const QSize& pixels,
                            int value);
    void setVerticalValue(const ScaleMapping& base, const QRectF& extent, const QSize& pixels,
                          int value);

private:
    double zoom_ = 1;
    QPointF scrolled_;
};
