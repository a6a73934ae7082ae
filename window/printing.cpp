#include "printing.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "canvas.h"
#include "picturefile.h"

int printDrawing(QPrinter& printer, Canvas& canvas, const QRectF& area, PrintScale scale) {
    const QSize picture = exportedPictureSize(canvas, area);
    if (picture.isEmpty()) return 0;
    // One printer unit a canvas pixel, so fonts given in points take the room they take on the
    // canvas and 100 % is a scale of one.
    printer.setResolution(canvas.logicalDpiX());
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    if (page.isEmpty()) return 0;
    const qreal factor =
        scale == PrintScale::FitToPage
            ? std::min({1.0, page.width() / picture.width(), page.height() / picture.height()})
            : 1.0;
    // Each page shows this much of the picture, in canvas pixels.
    const QSizeF tile = page / factor;
    const int columns = std::max(1, int(std::ceil(picture.width() / tile.width() - 1e-9)));
    const int rows = std::max(1, int(std::ceil(picture.height() / tile.height() - 1e-9)));

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    int pages = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (pages > 0 && !printer.newPage()) return 0;
            const QPointF origin(column * tile.width(), row * tile.height());
            painter.save();
            painter.scale(factor, factor);
            painter.setClipRect(QRectF(QPointF(), tile));
            painter.translate(-origin);
            paintExportedPicture(painter, canvas, area);
            painter.restore();
            ++pages;
        }
    }
    return painter.end() ? pages : 0;
}
