#pragma once

#include <QString>
#include <optional>

class QWidget;

// Where a picture of the drawing goes: the file (its suffix names the format) and, for a PNG,
// the pixels per canvas pixel.
struct PictureTarget {
    QString path;
    int scale = 1;
};

// The save dialog of File -> "匯出圖片...", preset to `defaultPath`: PNG at 1x or 2x, SVG or PDF,
// chosen by the file type. A name without a known suffix gets the chosen type's. Nullopt when the
// user cancels.
std::optional<PictureTarget> askForPicturePath(QWidget* parent, const QString& defaultPath);
