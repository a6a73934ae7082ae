// File -> "列印..." and "預覽列印..." of RelvaneApp.
#include <QCoreApplication>
#include <QPrinter>

#include "appdialogs.h"
#include "editor.h"
#include "form1.h"
#include "picturefile.h"
#include "prompts.h"
#include "relvaneapp.h"

std::optional<QRectF> RelvaneApp::printableArea() {
    const QRectF area = window_->editor().captureRect();
    if (area.isEmpty()) {
        window_->prompts().message(noElementsToPictureMessage());
        return std::nullopt;
    }
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(window_->diagram().view.projectName);
    return area;
}

void RelvaneApp::print() {
    const std::optional<QRectF> area = printableArea();
    if (!area) return;
    if (!dialogs_.setUpPrinter(*printer_, printScale_)) return;
    const int pages = printDrawing(*printer_, *window_->canvas(), *area, printScale_);
    if (pages == 0) {
        window_->prompts().message(
            QCoreApplication::translate("RelvaneApp", "無法列印: 印表機沒有接受這份文件"));
        return;
    }
    window_->showStatus(QCoreApplication::translate("RelvaneApp", "已送出 %n 頁列印", "", pages));
}

void RelvaneApp::printPreview() {
    const std::optional<QRectF> printable = printableArea();
    if (!printable) return;
    const QRectF area = *printable;
    dialogs_.previewPrint(*printer_, printScale_,
                          [this, area](QPrinter& printer, PrintScale scale) {
                              printDrawing(printer, *window_->canvas(), area, scale);
                          });
}
