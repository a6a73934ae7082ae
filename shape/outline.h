#pragma once

#include <QFont>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <optional>
#include <vector>

#include "glyphon_global.h"

// Pure geometry of the six outlines, in pixels of the control's surface. Painting only replays
// what this describes, so every coordinate can be tested without a screen.
struct GLYPHON_EXPORT OutlineGeometry {
    std::vector<QPolygon> polygons;  // closed, four vertices each, in drawing order
    // Ellipse bounding boxes, drawn after the polygons. A box's exclusive right and bottom edges
    // are right() + 1 and bottom() + 1: the pixels of the box are left()..right().
    std::vector<QRect> ellipses;
    // Fill the first polygon's interior with the surface's current fill (the rectangle only).
    bool floodFill = false;
    // The point the caption is centred on; empty for codes that draw nothing (the caption stays).
    std::optional<QPointF> captionCentre;
    // The inner outline's integer coordinates left the 32-bit range: it is not drawn, the outer
    // outline and the caption are.
    bool overflow = false;
};

// Nearest integer, ties to the even one (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). Values beyond the
// 32-bit range saturate at its ends; NaN gives 0.
GLYPHON_EXPORT qint32 roundHalfEven(double value);

// The same rounding, or nothing when the result does not fit 32 bits (or value is NaN).
GLYPHON_EXPORT std::optional<qint32> roundHalfEvenChecked(double value);

// A widget coordinate or length from a floating-point one: rounded to nearest, NaN as 0, and held
// within ±2^24 pixels (far beyond any screen) so that no conversion overflows and sums such as a
// rectangle's right edge stay inside int.
GLYPHON_EXPORT int pixelCoordinate(double value);

// The integer rectangle of a floating-point one, every value through pixelCoordinate: `rect`'s
// corner and size rounded, or with `aligned` the smallest rectangle that covers it.
GLYPHON_EXPORT QRect pixelRect(const QRectF& rect, bool aligned = false);

// The outline of shape code `shape` on a surface of inner size W x H with the three insets:
// 0/1 rectangles, 2/3 ellipses, 4/5 diamonds (the odd ones doubled), 6/7 a single ellipse (the
// circles of specializations and categories). Other codes give an empty geometry without a
// caption point.
GLYPHON_EXPORT OutlineGeometry outlineGeometry(float shape, double W, double H, qint32 recWidth,
                                               qint32 ellWidth, qint32 diaWidth);

// Top-left of a caption label of the given size centred on the outline's caption point.
GLYPHON_EXPORT QPointF captionTopLeft(const QPointF& centre, const QSizeF& labelSize);

// Width in pixels of a one-line caption label in `font`, rounded half to even; the same value the
// control reports as CaptionWidth.
GLYPHON_EXPORT qint32 captionWidthFor(const QFont& font, const QString& caption);

// Size of the caption label sized to its text: captionWidthFor wide, one line of `font` high.
GLYPHON_EXPORT QSize captionSizeFor(const QFont& font, const QString& caption);
