#include "shapepainter.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

QFont withoutUnderline(QFont font) {
    // Static text leaves its underline out, or misplaces it, when painted at an offset into a
    // window's backing store; the caption's underline is drawn by hand instead.
    font.setUnderline(false);
    return font;
}

// Everything the outline strokes or fills, in surface pixels.
QRect outlineBounds(const OutlineGeometry& outline) {
    QRect bounds;
    for (const QPolygon& polygon : outline.polygons) bounds |= polygon.boundingRect();
    for (const QRect& box : outline.ellipses) bounds |= box.normalized();
    return bounds;
}

// Attributes, and the circles of specializations and categories.
bool isEllipse(float shape) {
    return shape == 2.0f || shape == 3.0f || shape == 6.0f || shape == 7.0f;
}

bool isDiamond(float shape) {
    return shape == 4.0f || shape == 5.0f;
}

// Fills what the control covers with `back`: the inside of an ellipse or a diamond, the whole
// control for the other codes. The rest is left to whatever lies beneath. Coordinates are the
// control's; the outline's are the surface's.
void paintBody(QPainter& painter, const ShapeLayout& layout, const QColor& back) {
    const OutlineGeometry& outline = layout.outline;
    const bool ellipse = isEllipse(layout.shape);
    const bool diamond = isDiamond(layout.shape);
    if ((ellipse && outline.ellipses.empty()) || (diamond && outline.polygons.empty())) return;
    if (!ellipse && !diamond) {
        // A rectangle covers its whole surface, and a code without an outline is a blank surface.
        painter.fillRect(QRect(QPoint(), layout.size), back);
        return;
    }
    const QPoint surface = layout.surface.topLeft();
    painter.setPen(Qt::NoPen);
    painter.setBrush(back);
    if (ellipse)
        painter.drawEllipse(
            outline.ellipses.front().normalized().adjusted(0, 0, -1, -1).translated(surface));
    else
        painter.drawPolygon(outline.polygons.front().translated(surface));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen());
}

// The outline in the painter's black pen, in surface coordinates.
void paintOutline(QPainter& painter, const ShapeLayout& layout) {
    const OutlineGeometry& outline = layout.outline;
    // The rectangle's fill uses the painter's own brush, which is never set: like an unset fill
    // style, it leaves the background showing. It goes first so the outline stays on top.
    if (outline.floodFill && !outline.polygons.empty()) {
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(outline.polygons.front());
        painter.setPen(QPen());
    }
    for (const QPolygon& polygon : outline.polygons) painter.drawPolygon(polygon);
    for (const QRect& box : outline.ellipses) {
        // A stroked QRect covers one pixel more than its size; the box's right and bottom edges
        // are exclusive, so the drawn rectangle is one pixel smaller.
        painter.drawEllipse(box.normalized().adjusted(0, 0, -1, -1));
    }
}

void paintCaption(QPainter& painter, const ShapeLayout& layout, const QColor& ink) {
    const QRect& label = layout.captionLabel;
    painter.setFont(withoutUnderline(layout.font));
    painter.setPen(ink);
    painter.drawStaticText(label.topLeft(), layout.caption);
    if (layout.font.underline()) {
        const QFontMetricsF metrics(layout.font);
        const qreal y = label.y() + metrics.ascent() + metrics.underlinePos();
        QPen pen(ink, qMax<qreal>(1.0, metrics.lineWidth()));
        if (layout.dashedUnderline) pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(label.x(), y), QPointF(label.x() + label.width(), y));
    }
}

}  // namespace

QRect shapeSurface(const QSize& size, qint16 borderStyle) {
    const int border = borderStyle == 1 ? 1 : 0;
    return QRect(border, border, qMax(0, size.width() - 2 * border),
                 qMax(0, size.height() - 2 * border));
}

QRect placeCaptionLabel(const OutlineGeometry& outline, const QRect& surface,
                        const QSize& labelSize, const QPoint& fallback) {
    if (!outline.captionCentre) return QRect(fallback, labelSize);
    const QPointF at = captionTopLeft(*outline.captionCentre, QSizeF(labelSize));
    return QRect(surface.topLeft() + QPoint(roundHalfEven(at.x()), roundHalfEven(at.y())),
                 labelSize);
}

ShapeLayout layOutShape(const QSize& size, float shape, qint16 borderStyle, qint32 recWidth,
                        qint32 ellWidth, qint32 diaWidth, const QFont& font, const QString& caption,
                        bool dashedUnderline) {
    ShapeLayout layout;
    layout.dashedUnderline = dashedUnderline;
    layout.size = size;
    layout.surface = shapeSurface(size, borderStyle);
    layout.shape = shape;
    layout.borderStyle = borderStyle;
    layout.recWidth = recWidth;
    layout.ellWidth = ellWidth;
    layout.diaWidth = diaWidth;
    layout.outline = outlineGeometry(shape, layout.surface.width(), layout.surface.height(),
                                     recWidth, ellWidth, diaWidth);
    layout.font = font;
    layout.caption.setTextFormat(Qt::PlainText);
    layout.caption.setText(caption);
    layout.caption.prepare(QTransform(), withoutUnderline(font));
    layout.captionLabel =
        placeCaptionLabel(layout.outline, layout.surface, captionSizeFor(font, caption), QPoint());
    const QRect outlineArea = outlineBounds(layout.outline).translated(layout.surface.topLeft());
    // A stroke reaches one pixel past a polygon's vertices at the right and bottom.
    layout.outlineLeavesSurface =
        !layout.surface.contains(outlineArea.adjusted(0, 0, 1, 1), false) && !outlineArea.isEmpty();
    layout.captionLeavesControl = !QRect(QPoint(), size).contains(layout.captionLabel);
    layout.opaque = !isEllipse(shape) && !isDiamond(shape);
    return layout;
}

void paintShape(QPainter& painter, const QPoint& topLeft, const ShapeLayout& layout,
                const QColor& back, const QColor& ink) {
    // Many shapes are painted in a row: the painter's state is saved only when a clip is needed.
    // Like a control, the shape draws nothing outside its own rectangle, and the outline nothing
    // outside the surface.
    const bool clipped = layout.captionLeavesControl || layout.outlineLeavesSurface;
    if (clipped) {
        painter.save();
        painter.setClipRect(QRect(topLeft, layout.size), Qt::IntersectClip);
    }
    painter.translate(topLeft);
    painter.setPen(QPen());
    painter.setBrush(Qt::NoBrush);
    // The body and the outline stay on the surface: clipped there when they would leave it.
    const auto onSurface = [&](auto paint) {
        if (!layout.outlineLeavesSurface) return paint();
        painter.save();
        painter.setClipRect(layout.surface, Qt::IntersectClip);
        paint();
        painter.restore();
    };
    onSurface([&] { paintBody(painter, layout, back); });
    if (layout.borderStyle == 1)
        painter.drawRect(QRect(QPoint(), layout.size).adjusted(0, 0, -1, -1));
    const QPoint surface = layout.surface.topLeft();
    onSurface([&] {
        painter.translate(surface);
        paintOutline(painter, layout);
        painter.translate(-surface);
    });
    // The caption is not clipped to the outline: a caption wider than the outline overhangs it.
    paintCaption(painter, layout, ink);
    painter.translate(-topLeft);
    if (clipped) painter.restore();
}
