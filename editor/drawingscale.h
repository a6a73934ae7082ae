#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <optional>

// The drawing area's coordinate system: the logical rectangle (left, top, width, height) that
// covers the canvas. Element and connector coordinates are logical; the canvas maps them onto its
// pixels. By default the scale follows the canvas: pixels, origin 0,0.
struct DrawingScale {
    double left = 0, top = 0, width = 0, height = 0;

    bool isUsable() const { return width > 0 && height > 0; }
    bool operator==(const DrawingScale&) const = default;
};

// Maps one drawing scale onto a canvas of a given pixel size. A canvas with no area (a minimised
// window) maps one unit to one pixel, so no coordinate ever divides by zero.
class ScaleMapping {
public:
    ScaleMapping() = default;
    ScaleMapping(const DrawingScale& scale, const QSize& pixels);

    QPointF toPixels(const QPointF& logical) const;
    QRectF toPixels(const QRectF& logical) const;
    QPointF toLogical(const QPointF& pixel) const;
    QSizeF toPixelSize(const QSizeF& logical) const {
        return {logical.width() * sx_, logical.height() * sy_};
    }
    double pixelsPerUnitX() const { return sx_; }
    double pixelsPerUnitY() const { return sy_; }
    bool isIdentity() const { return sx_ == 1 && sy_ == 1 && left_ == 0 && top_ == 0; }
    // The same mapping seen through a view: `zoom` times as many pixels per unit, and the
    // drawing point `origin` (instead of the scale's left, top) at pixel 0,0.
    ScaleMapping viewed(double zoom, const QPointF& origin) const {
        ScaleMapping m;
        m.left_ = origin.x();
        m.top_ = origin.y();
        m.sx_ = sx_ * zoom;
        m.sy_ = sy_ * zoom;
        return m;
    }
    QPointF origin() const { return {left_, top_}; }
    bool operator==(const ScaleMapping&) const = default;

private:
    double left_ = 0, top_ = 0, sx_ = 1, sy_ = 1;
};

// The four integers the window remembers of its drawing scale at maximize time and sets back when
// it returns to normal ("NormalForm1Width", "…Height", "…Top", "…Left").
struct RememberedScale {
    qint32 width = 500, height = 360, top = 0, left = 0;
    bool operator==(const RememberedScale&) const = default;
};

// The window's scale memory: a flag (0, or 2 while a maximize is remembered) and the remembered
// extents. The window reports every resize; the memory says what the drawing scale becomes.
class WindowScaleMemory {
public:
    enum class WindowShape { Normal, Minimized, Maximized };

    float flag() const { return flag_; }
    const RememberedScale& remembered() const { return remembered_; }
    void setRemembered(const RememberedScale& scale) { remembered_ = scale; }

    // A resize of the window in `shape` with the drawing area at `current`: at maximize the
    // current scale is remembered; at the return to normal the remembered scale is returned, to be
    // set on the drawing area.
    std::optional<DrawingScale> resized(WindowShape shape, const DrawingScale& current);
    // A resize that follows the maximize while the window stays maximized. The window system may
    // report the new state before the new size: extents remembered too early give way to the
    // grown ones when they arrive.
    void resizedWhileMaximized(const DrawingScale& current);
    // A dropped element ends the remembered maximize.
    void elementDropped() { flag_ = 0; }

private:
    void remember(const DrawingScale& current);

    float flag_ = 0;
    RememberedScale remembered_;
};
