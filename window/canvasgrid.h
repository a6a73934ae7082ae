#pragma once

#include <QColor>
#include <QRect>

#include "drawingscale.h"

class QPainter;

// The grid the drawing area shows on request: lines `gridSize` drawing units apart, through the
// drawing's origin, mapped like the drawing (so they follow zoom and scrolling), painted in the
// pixel rectangle `area` in a colour just off `background`. Zoomed far out, only every second
// (fourth, ...) line shows, so that the lines stay some pixels apart.
void paintGrid(QPainter& painter, const ScaleMapping& mapping, const QRect& area, int gridSize,
               const QColor& background);
