#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

#include "progress.h"

// A long operation's progress shown in a window-modal QProgressDialog with a "取消" button. The
// dialog appears only once the operation has run for half a second; until then, and between
// percentage steps, advancing costs next to nothing.
class DialogProgress : public Progress {
public:
    DialogProgress(const QString& label, QWidget* parent);
    bool advance(qint64 done, qint64 total) override;

private:
    QProgressDialog dialog_;
    int percent_ = -1;
};
