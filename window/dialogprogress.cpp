#include "dialogprogress.h"

#include <QCoreApplication>
#include <algorithm>

bool DialogProgress::advance(qint64 done, qint64 total) {
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(
            label_, QCoreApplication::translate("DialogProgress", "取消"), 0, 100, parent_);
        dialog_->setWindowTitle(QStringLiteral("Relvane"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(500);
        dialog_->setAutoClose(false);
        dialog_->setValue(0);
    }
    const int percent = total > 0 ? int(std::clamp<qint64>(done * 100 / total, 0, 100)) : 0;
    // setValue lets the dialog appear and handles its Cancel button; once per percent is enough.
    if (percent != percent_) {
        percent_ = percent;
        dialog_->setValue(percent);
    }
    return !dialog_->wasCanceled();
}
