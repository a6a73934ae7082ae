#pragma once

#include <QRectF>
#include <QString>
#include <optional>

#include "progress.h"

class Canvas;

// The file types a picture of the drawing is written as, told apart by the file's suffix.
enum class PictureFormat { Png, Svg, Pdf };

// The format a path's suffix names (.png, .svg, .pdf, any case); nullopt for any other.
std::optional<PictureFormat> pictureFormatOf(const QString& path);

// Why a picture was not written: nothing to draw, or the file could not be written.
QString noElementsToPictureMessage();

// Writes the drawing rectangle `area` as `canvas` paints it at 100 % zoom to `path`, in the format
// its suffix names. A PNG has `scale` (1 or 2) pixels for each pixel of the canvas; SVG and PDF
// keep lines as lines and texts as searchable text at the canvas's size. The file is replaced as a
// whole or left as it was. Returns the reason when it was not written, nothing when it was.
// `progress` hears when the picture is painted and may stop it before the file is replaced
// (the reason is then pictureCancelledMessage()).
std::optional<QString> writePicture(Canvas& canvas, const QRectF& area, const QString& path,
                                    int scale = 1, Progress* progress = nullptr);
QString pictureCancelledMessage();
