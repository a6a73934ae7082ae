#include "windowfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// Coordinates far beyond any screen but safely inside int, so the sums below cannot overflow.
constexpr double kCoordinateLimit = 1 << 24;

int toCoordinate(double value) {
    return int(std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

// One axis: a window of length `length` wanted at `start`, inside [low, low + span).
int fitAxis(int start, int length, int low, int span) {
    return std::max(low, std::min(start, low + span - length));
}

}  // namespace

QPoint centredInside(const QSize& size, const QRect& anchor, const QRect& area) {
    const QPoint centred(anchor.x() + (anchor.width() - size.width()) / 2,
                         anchor.y() + (anchor.height() - size.height()) / 2);
    if (area.isEmpty()) return centred;
    return {fitAxis(centred.x(), size.width(), area.x(), area.width()),
            fitAxis(centred.y(), size.height(), area.y(), area.height())};
}

QRect fitPlacement(const WindowPlacement& placement, const QRect& area) {
    // A length that is not a number counts as none; the caller decides whether that is a size.
    const auto length = [](float value) { return std::isnan(value) ? 0 : toCoordinate(value); };
    QSize size(std::max(1, length(placement.width)), std::max(1, length(placement.height)));
    if (area.isEmpty())
        return QRect(QPoint(std::isnan(placement.left) ? 0 : toCoordinate(placement.left),
                            std::isnan(placement.top) ? 0 : toCoordinate(placement.top)),
                     size);
    size = size.boundedTo(area.size());
    const auto start = [](float value, int low, int span, int len) {
        return std::isnan(value) ? low + (span - len) / 2 : toCoordinate(value);
    };
    const int x = start(placement.left, area.x(), area.width(), size.width());
    const int y = start(placement.top, area.y(), area.height(), size.height());
    return QRect(QPoint(fitAxis(x, size.width(), area.x(), area.width()),
                        fitAxis(y, size.height(), area.y(), area.height())),
                 size);
}

QRect placementArea(const WindowPlacement& placement) {
    const QRect wanted = fitPlacement(placement, QRect());
    if (const QScreen* screen = QGuiApplication::screenAt(wanted.center()))
        return screen->availableGeometry();
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        return primary->availableGeometry();
    return QRect();
}

void centreOnWindow(QWidget& window, const QWidget* anchor) {
    const bool anchored = anchor && anchor->isVisible();
    const QScreen* screen = anchored ? anchor->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    // Before it is first shown a window has no frame yet; a decorated one will get a frame like
    // the anchor's, which has to fit on the screen too.
    QSize outer = window.frameGeometry().size();
    if (outer == window.size() && anchored &&
        !window.windowFlags().testFlag(Qt::FramelessWindowHint))
        outer += anchor->frameGeometry().size() - anchor->size();
    // move() places a window's frame, so the frame is what is centred and kept inside.
    window.move(centredInside(outer, anchored ? anchor->frameGeometry() : area, area));
}
