#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

#include "progress.h"

class Canvas;
class QPainter;

// The file types a picture of the drawing is written as, told apart by the file's suffix.
enum class PictureFormat { Png, Svg, Pdf };

// The format a path's suffix names (.png, .svg, .pdf, any case); nullopt for any other.
std::optional<PictureFormat> pictureFormatOf(const QString& path);

// Exported pictures and printed pages show the drawing on white paper, in black ink, with this
// many pixels (at 1x) of white around it, whatever colour the canvas has on the screen.
constexpr int kPictureMargin = 10;
// The size of that picture of the drawing rectangle `area`, margin included, in canvas pixels.
QSize exportedPictureSize(const Canvas& canvas, const QRectF& area);
// Paints it onto `painter`, its top-left corner at the painter's origin.
void paintExportedPicture(QPainter& painter, Canvas& canvas, const QRectF& area);

// Why a picture was not written: nothing to draw, or the file could not be written.
QString noElementsToPictureMessage();

// Writes the exported picture of the drawing rectangle `area` at 100 % zoom to `path`, in the
// format its suffix names. A PNG has `scale` (1 or 2) pixels for each pixel of the canvas; SVG and
// PDF keep lines as lines and texts as searchable text at the canvas's size. The file is replaced
// as a whole or left as it was. Returns the reason when it was not written, nothing when it was.
// `progress` hears when the picture is painted and may stop it before the file is replaced
// (the reason is then pictureCancelledMessage()).
std::optional<QString> writePicture(Canvas& canvas, const QRectF& area, const QString& path,
                                    int scale = 1, Progress* progress = nullptr);
QString pictureCancelledMessage();
