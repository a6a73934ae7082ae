#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "settingsstore.h"

class QWidget;

// Where windows go on the screen. The arithmetic is pure (an area in, a rectangle out) so it can
// be checked without a screen; the widget helpers only look the screen's area up.

// The top-left corner for a window of `size` centred on `anchor`, moved as little as needed to
// lie wholly inside `area` (a screen's available geometry). A window larger than the area keeps
// its top-left corner at the area's. An empty area leaves the centred position as it is.
QPoint centredInside(const QSize& size, const QRect& anchor, const QRect& area);

// The geometry for a window placement read from the settings (floats, whatever an old or edited
// file says): each side no larger than `area` and the whole window inside it. A position that is
// not a number centres the window on the area. An empty area only brings the values into the
// range of a widget's coordinates.
QRect fitPlacement(const WindowPlacement& placement, const QRect& area);

// The available geometry of the screen under the placement's centre, or of the primary screen
// when no screen is there: the area fitPlacement fits the remembered main window into.
QRect placementArea(const WindowPlacement& placement);

// Moves `window` (not yet shown, or shown) so it is centred on `anchor` inside the available
// area of the anchor's screen. Without a visible anchor it is centred on the primary screen.
void centreOnWindow(QWidget& window, const QWidget* anchor);
