#pragma once

#include <QFont>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QSizeF>
#include <optional>
#include <vector>

#include "glyphon_global.h"

// Pure geometry of the six outlines, in pixels of the control's surface. Painting only replays
// what this describes, so every coordinate can be tested without a screen.
struct GLYPHON_EXPORT OutlineGeometry {
    std::vector<QPolygon> polygons;  // closed, four vertices each, in drawing order
    std::vector<QRect> ellipses;     // bounding boxes; right and bottom edges exclusive
    bool floodFill = false;          // fill the rectangle from pixel (1, 1), bounded by white
    // The point the caption is centred on; empty for codes that draw nothing (the caption stays).
    std::optional<QPointF> captionCentre;
    // The inner outline's integer coordinates left the 32-bit range: nothing is drawn.
    bool overflow = false;
};

// Nearest integer, ties to the even one.
GLYPHON_EXPORT qint32 roundHalfEven(double value);

// The outline of shape code `shape` on a surface of inner size W x H with the three insets.
GLYPHON_EXPORT OutlineGeometry outlineGeometry(float shape, double W, double H, qint32 recWidth,
                                               qint32 ellWidth, qint32 diaWidth);

// Top-left of a caption label of the given size centred on the outline's caption point.
GLYPHON_EXPORT QPointF captionTopLeft(const QPointF& centre, const QSizeF& labelSize);

// Width in pixels of a one-line caption label in `font`, rounded half to even; the same value the
// control reports as CaptionWidth.
GLYPHON_EXPORT qint32 captionWidthFor(const QFont& font, const QString& caption);
