#include "captionedit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "canvas.h"

CaptionEdit::CaptionEdit(Canvas& canvas, Editor& editor)
    : QLineEdit(&canvas), canvas_(canvas), editor_(editor) {
    setObjectName(QStringLiteral("CaptionEdit"));
    setAlignment(Qt::AlignCenter);
    hide();
}

void CaptionEdit::begin(int i) {
    if (element_) finish(true);
    if (!canvas_.diagram().isLiveElement(i) || canvas_.elementRect(i).isEmpty()) return;
    element_ = i;
    setText(canvas_.diagram().element(i).Caption);
    follow();
    selectAll();
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void CaptionEdit::finish(bool keep) {
    if (!element_) return;
    const int i = element_;
    // Closed before the rename runs: the step's change notice and the focus moving away must
    // not finish the box a second time.
    element_ = 0;
    const QString typed = text();
    hide();
    canvas_.setFocus(Qt::OtherFocusReason);
    if (keep) editor_.renameElement(i, typed);
}

void CaptionEdit::follow() {
    if (!element_) return;
    if (!canvas_.diagram().isLiveElement(element_)) {
        finish(false);
        return;
    }
    const QRect shape = canvas_.elementRect(element_);
    setFont(canvas_.captionFont(element_));
    // As wide as the element, at least wide enough to type in; as high as its font needs.
    const int height = sizeHint().height();
    const int width = std::max(shape.width(), fontMetrics().averageCharWidth() * 12);
    setGeometry(shape.center().x() - width / 2, shape.center().y() - height / 2, width, height);
}

bool CaptionEdit::event(QEvent* event) {
    // The box takes every key it is given before the window's shortcuts see it.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CaptionEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            finish(true);
            return;
        case Qt::Key_Escape:
            finish(false);
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

void CaptionEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A pop-up (the box's own context menu) takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) finish(true);
}
