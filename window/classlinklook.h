#pragma once

#include <QLineF>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include "document.h"

// How superclass and subclass lines look beyond the line itself: the subset mark across each
// subclass line and the defining attribute written beside a superclass line. Pure geometry, so
// the renderer paints and measures them alike.

// The subset mark "⊂" of a subclass line running from its subclass to its circle: a half circle
// of `radius` across the line's middle, its open side towards the circle.
QPainterPath subsetMark(const QLineF& line, double radius);

// The top-left corner of a text of `size` written beside the middle of `line`, `gap` away from
// it: to the right of a steep line, above a flat one.
QPointF besideLine(const QLineF& line, const QSizeF& size, double gap);

// The caption of the defining attribute a superclass line shows; empty for any other connector,
// or when its circle has none.
QString definingCaption(const Document& document, const Connector& connector);
