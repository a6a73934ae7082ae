#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStaticText>

#include "glyphon_global.h"
#include "outline.h"

class QPainter;

// One shape as the control draws it, for hosts that paint many shapes themselves instead of
// creating a control for each: everything here is plain data that the control's paint procedure
// would produce for the same properties and size.
struct GLYPHON_EXPORT ShapeLayout {
    QSize size;     // the control's size in pixels, border included
    QRect surface;  // the drawing surface inside the border
    float shape = 0;
    qint16 borderStyle = 1;
    qint32 recWidth = 0, ellWidth = 0, diaWidth = 0;
    OutlineGeometry outline;       // in surface pixels
    QFont font;                    // the caption's font, underline included
    bool dashedUnderline = false;  // the underline, when the font has one, drawn dashed
    QStaticText caption;           // laid out in `font` without its underline (drawn by hand)
    QRect captionLabel;            // where the caption label sits, in control pixels
    // Whether anything reaches outside the surface (the outline) or the control (the caption);
    // only then does painting pay for a clip.
    bool outlineLeavesSurface = false;
    bool captionLeavesControl = false;
    // Whether the body covers the whole control (a rectangle, or a code without an outline):
    // then nothing beneath shows through.
    bool opaque = false;
};

// The drawing surface of a control of `size` with border style `borderStyle`.
GLYPHON_EXPORT QRect shapeSurface(const QSize& size, qint16 borderStyle);

// The caption label's size in `font`, and its place centred on the outline's caption point
// (`fallback` when the outline has none: the label stays where it was).
GLYPHON_EXPORT QRect placeCaptionLabel(const OutlineGeometry& outline, const QRect& surface,
                                       const QSize& labelSize, const QPoint& fallback);

// The whole layout of a shape of `size`: outline, caption text and place.
// An underlined font's underline is drawn dashed when `dashedUnderline` is set.
GLYPHON_EXPORT ShapeLayout layOutShape(const QSize& size, float shape, qint16 borderStyle,
                                       qint32 recWidth, qint32 ellWidth, qint32 diaWidth,
                                       const QFont& font, const QString& caption,
                                       bool dashedUnderline = false);

// Paints a laid-out shape with its colours, the control's top-left corner at `topLeft` of the
// painter's coordinates: the body filled with `back` (the whole control, or only the inside of
// an ellipse or a diamond), the border and the outline in black, the caption in `ink`. The
// painter's pen, brush and font change; its transform and clip are left as they were.
GLYPHON_EXPORT void paintShape(QPainter& painter, const QPoint& topLeft, const ShapeLayout& layout,
                               const QColor& back, const QColor& ink);
