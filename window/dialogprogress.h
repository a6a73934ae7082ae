#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <memory>

#include "progress.h"

// A long operation's progress shown in a window-modal QProgressDialog with a "取消" button. The
// dialog is made at the operation's first report (so one created before a question asked first
// never shows early) and appears only once the operation has run for half a second; between
// percentage steps, advancing costs next to nothing.
class DialogProgress : public Progress {
public:
    DialogProgress(const QString& label, QWidget* parent) : label_(label), parent_(parent) {}
    bool advance(qint64 done, qint64 total) override;

private:
    QString label_;
    QPointer<QWidget> parent_;
    std::unique_ptr<QProgressDialog> dialog_;
    int percent_ = -1;
};
