#include "picturedialog.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "picturefile.h"

std::optional<PictureTarget> askForPicturePath(QWidget* parent, const QString& defaultPath) {
    const QString png = QCoreApplication::translate("PictureDialog", "PNG 圖片 (*.png)");
    const QString png2x = QCoreApplication::translate("PictureDialog", "PNG 圖片 2× (*.png)");
    const QString svg = QCoreApplication::translate("PictureDialog", "SVG 圖片 (*.svg)");
    const QString pdf = QCoreApplication::translate("PictureDialog", "PDF 文件 (*.pdf)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(parent, QCoreApplication::translate("PictureDialog", "匯出圖片"), defaultPath,
                                                QStringList{png, png2x, svg, pdf}.join(";;"),
                                                &filter);
    if (path.isEmpty()) return std::nullopt;
    if (!pictureFormatOf(path))
        path += filter == svg   ? QStringLiteral(".svg")
                : filter == pdf ? QStringLiteral(".pdf")
                                : QStringLiteral(".png");
    // The 2x filter doubles a PNG's pixels; the other types are drawn at the canvas's size.
    return PictureTarget{path, filter == png2x ? 2 : 1};
}
