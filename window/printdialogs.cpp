// The print dialog and the print preview of WindowDialogs, each with the choice of scale.
#include <QComboBox>
#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "windowdialogs.h"

namespace {

QString fitToPageText() {
    return QCoreApplication::translate("PrintDialogs", "縮小到一頁");
}

QString fullSizeText() {
    return QCoreApplication::translate("PrintDialogs", "實際大小 (100%)");
}

}  // namespace

bool WindowDialogs::setUpPrinter(QPrinter& printer, PrintScale& scale) {
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QCoreApplication::translate("PrintDialogs", "列印"));
    // The scale is a page of its own beside the dialog's printer and page settings.
    auto* scalePage = new QWidget;
    scalePage->setWindowTitle(QCoreApplication::translate("PrintDialogs", "縮放"));
    auto* fit = new QRadioButton(fitToPageText(), scalePage);
    fit->setObjectName(QStringLiteral("printFitToPage"));
    auto* full = new QRadioButton(fullSizeText(), scalePage);
    full->setObjectName(QStringLiteral("printFullSize"));
    (scale == PrintScale::FitToPage ? fit : full)->setChecked(true);
    auto* layout = new QVBoxLayout(scalePage);
    layout->addWidget(fit);
    layout->addWidget(full);
    layout->addStretch();
    dialog.setOptionTabs({scalePage});
    if (dialog.exec() != QDialog::Accepted) return false;
    scale = fit->isChecked() ? PrintScale::FitToPage : PrintScale::FullSize;
    return true;
}

void WindowDialogs::previewPrint(QPrinter& printer, PrintScale& scale, const PrintPages& paint) {
    QPrintPreviewDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QCoreApplication::translate("PrintDialogs", "預覽列印"));
    // The scale is chosen on the preview's tool bar; the pages are painted again at once.
    auto* choice = new QComboBox(&dialog);
    choice->setObjectName(QStringLiteral("printScale"));
    choice->addItem(fitToPageText());
    choice->addItem(fullSizeText());
    choice->setCurrentIndex(scale == PrintScale::FitToPage ? 0 : 1);
    if (auto* toolBar = dialog.findChild<QToolBar*>()) {
        toolBar->addSeparator();
        toolBar->addWidget(choice);
    }
    const auto chosen = [choice] {
        return choice->currentIndex() == 0 ? PrintScale::FitToPage : PrintScale::FullSize;
    };
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint, chosen](QPrinter* pages) { paint(*pages, chosen()); });
    QObject::connect(choice, &QComboBox::currentIndexChanged, &dialog, [&dialog] {
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) preview->updatePreview();
    });
    dialog.exec();
    scale = chosen();
}
