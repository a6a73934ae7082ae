#include "picturefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "appinfo.h"
#include "canvas.h"
#include "pdfideographs.h"

namespace {

// Paints the drawing onto `device`; false when the device refused the painter.
bool paintOnto(QPaintDevice& device, Canvas& canvas, const QRectF& area, qreal scale = 1) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.scale(scale, scale);
    paintExportedPicture(painter, canvas, area);
    return painter.end();
}

bool writePng(QSaveFile& file, Canvas& canvas, const QRectF& area, int scale) {
    QImage image(exportedPictureSize(canvas, area) * scale, QImage::Format_ARGB32_Premultiplied);
    // Painted at the screen's resolution, so fonts given in points take the pixels they take on
    // the canvas; stored at that resolution times the scale, so a 2x picture placed in a document
    // takes the same room as the 1x one.
    const auto setDpi = [&image](qreal dpi) {
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
    };
    setDpi(canvas.logicalDpiX());
    if (!paintOnto(image, canvas, area, scale)) return false;
    setDpi(canvas.logicalDpiX() * scale);
    return image.save(&file, "PNG");
}

bool writeSvg(QSaveFile& file, Canvas& canvas, const QRectF& area) {
    const QSize size = exportedPictureSize(canvas, area);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    // The screen's resolution: fonts given in points come out as large as the canvas shows them.
    svg.setResolution(canvas.logicalDpiX());
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setTitle(QFileInfo(file.fileName()).completeBaseName());
    svg.setDescription(QStringLiteral("Relvane ") + versionNumber());
    return paintOnto(svg, canvas, area);
}

// Every text the drawing shows, with its font.
std::vector<std::pair<QString, QFont>> drawnTexts(const Diagram& d) {
    std::vector<std::pair<QString, QFont>> texts;
    for (int i = 1; i < d.elementCount(); ++i)
        if (d.isLiveElement(i)) texts.emplace_back(d.element(i).Caption, d.element(i).Font);
    for (int k = 1; k < d.connectorCount(); ++k)
        for (const Label* label : {&d.connector(k).MN, &d.connector(k).Description})
            texts.emplace_back(label->Caption, d.labelFont());
    return texts;
}

bool writePdf(QSaveFile& file, Canvas& canvas, const QRectF& area) {
    const QSize size = exportedPictureSize(canvas, area);
    // Written in memory first: its text map is corrected before it goes to the file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    // One page the drawing's size, one unit a pixel of the canvas at the screen's resolution.
    const int dpi = canvas.logicalDpiX();
    pdf.setResolution(dpi);
    pdf.setPageLayout(QPageLayout(
        QPageSize(QSizeF(size) * 72.0 / dpi, QPageSize::Point, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(QFileInfo(file.fileName()).completeBaseName());
    pdf.setCreator(QStringLiteral("Relvane ") + versionNumber());
    if (!paintOnto(pdf, canvas, area)) return false;
    const QByteArray bytes = withIdeographsRestored(buffer.data(), drawnTexts(canvas.diagram()));
    return file.write(bytes) == bytes.size();
}

// A picture whose pixels would take more memory than a desktop can spare, or that is wider or
// higher than the painter draws reliably, is refused before any memory is taken for it.
constexpr qint64 kLargestPicturePixels = 100'000'000;
constexpr int kLongestPictureSide = 32'767;

std::optional<QString> pictureSizeRefusal(QSize pixels) {
    if (qint64(pixels.width()) * pixels.height() <= kLargestPicturePixels &&
        pixels.width() <= kLongestPictureSide && pixels.height() <= kLongestPictureSide)
        return std::nullopt;
    return QCoreApplication::translate("PictureFile",
                                       "圖片有 %1 × %2 像素, 超過上限 (共 %3 像素, 每邊 %4 "
                                       "像素); 請把元素移近一些, 或改用 1 倍的 PNG")
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(QLocale(QLocale::English).toString(kLargestPicturePixels))
        .arg(kLongestPictureSide);
}

}  // namespace

QSize exportedPictureSize(const Canvas& canvas, const QRectF& area) {
    const QSize drawing = canvas.fullSize(area);
    if (drawing.isEmpty()) return QSize();
    return drawing + QSize(2 * kPictureMargin, 2 * kPictureMargin);
}

void paintExportedPicture(QPainter& painter, Canvas& canvas, const QRectF& area) {
    painter.fillRect(QRect(QPoint(), exportedPictureSize(canvas, area)), Qt::white);
    painter.save();
    painter.translate(kPictureMargin, kPictureMargin);
    canvas.paintAtFullSize(painter, area, Qt::white, Qt::black);
    painter.restore();
}

std::optional<PictureFormat> pictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return PictureFormat::Png;
    if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
    return std::nullopt;
}

QString noElementsToPictureMessage() {
    return QCoreApplication::translate("Form1", "目前沒有任何元素可以擷取");
}

QString pictureCancelledMessage() {
    return QCoreApplication::translate("StatementRunner", "已取消");
}

std::optional<QString> writePicture(Canvas& canvas, const QRectF& area, const QString& path,
                                    int scale, Progress* progress) {
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format)
        return QCoreApplication::translate("PictureFile", "圖片檔的副檔名須為 .png、.svg 或 .pdf");
    if (exportedPictureSize(canvas, area).isEmpty()) return noElementsToPictureMessage();
    const QSize pixels =
        exportedPictureSize(canvas, area) * (*format == PictureFormat::Png ? scale : 1);
    if (const auto refused = pictureSizeRefusal(pixels)) return refused;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    bool painted = false;
    switch (*format) {
        case PictureFormat::Png:
            painted = writePng(file, canvas, area, scale);
            break;
        case PictureFormat::Svg:
            painted = writeSvg(file, canvas, area);
            break;
        case PictureFormat::Pdf:
            painted = writePdf(file, canvas, area);
            break;
    }
    if (!painted) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError
                   ? file.errorString()
                   : QCoreApplication::translate("PictureFile", "無法繪製圖片");
    }
    // Painted into the new file; stopping now keeps the file that was there.
    if (!proceed(progress, 1, 2)) {
        file.cancelWriting();
        return pictureCancelledMessage();
    }
    if (!file.commit()) return file.errorString();
    proceed(progress, 2, 2);
    return std::nullopt;
}
