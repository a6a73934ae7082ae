#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>

#include "document.h"

// Where a new element of `size` goes: the first place, in reading order (top to bottom, then left
// to right), inside `visible` where its box keeps `margin` from every live element's box.
// nullopt when the visible area has no such place. With a `grid`, only places on grid lines.
std::optional<QPointF> firstFreePlace(const Document& document, const QSizeF& size,
                                      const QRectF& visible, double margin, int grid = 0);

// The place below the lowest live element, at the left of `visible` (or of the drawing, when no
// area is known); with a `grid`, the next grid lines right of and below that.
QPointF placeBelowEverything(const Document& document, const QRectF& visible, double margin,
                             int grid = 0);

// The width element `e` needs for a caption `captionWidth` pixels wide, as Resize fits it.
float fittedWidth(const Element& e, qint32 captionWidth);
// Grows `e` (not a size-locked one) to the size Resize would give it when its caption needs more
// room than it has; never shrinks it. A diamond holds less text than a box of its size.
void growToHoldCaption(Element& e);
