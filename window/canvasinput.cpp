// The drawing area's mouse and drag-and-drop handling: presses, moves and releases on the elements
// (each routed to the element under the pointer, which keeps the mouse until the buttons are up)
// and on the bare area, the rubber band, the menus, and dragging an element to its new place.
#include "canvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QRubberBand>

#include "captionedit.h"
#include "elementmenus.h"
#include "inputcodes.h"

namespace {

// Mouse button codes as buttonCode (inputcodes.h) gives them.
constexpr qint16 kLeftButton = 1;
constexpr qint16 kRightButton = 2;

}  // namespace

// ---- Mouse ----

void Canvas::elementMouseDown(int i, qint16 button, qint16 shift, float x, float y) {
    // Ctrl+click adds or removes one element; a connect mode takes every click as a pick.
    constexpr qint16 kCtrl = 2;
    if (button == kLeftButton && (shift & kCtrl) && d_.state.ConnectMode == ConnectMode::None) {
        pressElement_ = 0;
        editor_.toggleSelected(i);
        return;
    }
    if (button == kLeftButton) {
        pressElement_ = i;
        pressPoint_ = QPointF(x, y);
        // Pixels inside the element; the grab point is kept in drawing units.
        editor_.elementLeftDown(i, float(x / renderer_.mapping().pixelsPerUnitX()),
                                float(y / renderer_.mapping().pixelsPerUnitY()));
    } else if (button == kRightButton) {
        const Editor::Popup popup = editor_.elementRightDown(i);
        if (!menus_) return;
        const QRect rect = renderer_.elementRect(i);
        const QPoint globalPos =
            rect.isEmpty() ? QCursor::pos() : mapToGlobal(rect.topLeft() + QPointF(x, y)).toPoint();
        menus_->popupElementMenu(popup, i, globalPos);
    }
}

void Canvas::elementMouseUp(int i, qint16 button) {
    // A press on one of several selected elements keeps them all, so that a drag moves them
    // together; let go without a drag, it was a click that selects this one alone.
    if (button != kLeftButton || pressElement_ != i || d_.state.ConnectMode != ConnectMode::None)
        return;
    if (d_.view.selection.size() > 1 && d_.view.selection.contains(i)) editor_.selectElements({i});
}

void Canvas::elementMouseMove(int i, qint16 button, float x, float y) {
    if (button != kLeftButton) {
        editor_.elementHover(i);
        return;
    }
    if (dragging_ || !d_.isLiveElement(i)) return;
    // A press that jitters by a pixel or two is still a click, not a move.
    if (pressElement_ == i &&
        (QPointF(x, y) - pressPoint_).manhattanLength() < QApplication::startDragDistance())
        return;
    beginDrag(i);
}

void Canvas::beginDrag(int i) {
    if (renderer_.elementRect(i).isEmpty()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(elementMimeData(i));
    drag->setPixmap(elementPicture(i));
    const QPointF grab = pressElement_ == i
                             ? pressPoint_
                             : QPointF(d_.state.GrabX * renderer_.mapping().pixelsPerUnitX(),
                                       d_.state.GrabY * renderer_.mapping().pixelsPerUnitY());
    drag->setHotSpot(grab.toPoint());
    dragging_ = true;
    drag->exec(Qt::MoveAction);
    dragging_ = false;
    pressElement_ = 0;
    // The release that ends a drag goes to the drag, not here.
    grabbedElement_ = 0;
}

QMenu* Canvas::rightClickAt(const QPointF& pos, const QPoint& globalPos) {
    // Only the bare drawing area: a press on a button or on the legend may propagate here.
    if (childAt(pos.toPoint()) || renderer_.elementAt(pos)) return nullptr;
    const QPointF at = renderer_.mapping().toLogical(pos);
    // Anywhere within a few pixels of a relationship line counts, whatever the zoom.
    constexpr double kLineReachPixels = 5;
    const float reach = float(kLineReachPixels / renderer_.mapping().pixelsPerUnitX());
    if (!editor_.drawingAreaRightDown(float(at.x()), float(at.y()), reach)) return nullptr;
    return menus_ ? menus_->popupLineMenu(d_.state.CurrentLine, globalPos) : nullptr;
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    // The first button down picks the element under the pointer; it keeps the mouse until every
    // button is up.
    if (event->buttons() == event->button())
        grabbedElement_ = childAt(pos.toPoint()) ? 0 : renderer_.elementAt(pos);
    if (grabbedElement_ && d_.isElement(grabbedElement_)) {
        const QPointF at = inElement(grabbedElement_, pos);
        elementMouseDown(grabbedElement_, buttonCode(event->button()),
                         shiftState(event->modifiers()), float(at.x()), float(at.y()));
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        rightClickAt(pos, event->globalPosition().toPoint());
        event->accept();
        return;
    }
    // A left click on the bare drawing area lets go of the selection (unless Ctrl adds to it),
    // and a drag from there draws a rubber band.
    if (event->button() == Qt::LeftButton && !childAt(pos.toPoint())) {
        bandAdds_ = event->modifiers() & Qt::ControlModifier;
        if (!bandAdds_) editor_.clearSelection();
        bandOrigin_ = pos.toPoint();
        if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, this);
        band_->setGeometry(QRect(bandOrigin_, QSize()));
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void Canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second left press of a double click on an element is no press of its own: it opens the
    // caption box (see editCaption). Elsewhere, and for other buttons, it is an ordinary press.
    if (event->button() == Qt::LeftButton && event->buttons() == event->button()) {
        const QPointF pos = event->position();
        if (const int i = childAt(pos.toPoint()) ? 0 : renderer_.elementAt(pos)) {
            grabbedElement_ = i;
            event->accept();
            editCaption(i);
            return;
        }
    }
    mousePressEvent(event);
}

void Canvas::editCaption(int i) {
    if (d_.state.ConnectMode != ConnectMode::None) return;
    // A circle's caption is its mark, which its menu sets.
    if (d_.isElement(i) && d_.element(i).isSpecializationKind()) return;
    // The release of the double click must not reach the element as a click after the box opened.
    grabbedElement_ = 0;
    ensureVisible(i);
    captionEdit_->begin(i);
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (event->buttons() == Qt::NoButton) {
        // Hovering: only the element under the pointer hears of it.
        if (const int i = renderer_.elementAt(pos); i && !childAt(pos.toPoint())) {
            const QPointF at = inElement(i, pos);
            elementMouseMove(i, 0, float(at.x()), float(at.y()));
        }
        return;
    }
    if (grabbedElement_ && d_.isElement(grabbedElement_)) {
        const QPointF at = inElement(grabbedElement_, pos);
        elementMouseMove(grabbedElement_, buttonState(event->buttons()), float(at.x()),
                         float(at.y()));
        return;
    }
    if (band_ && (event->buttons() & Qt::LeftButton)) {
        band_->setGeometry(QRect(bandOrigin_, event->position().toPoint()).normalized());
        if (!band_->isVisible() && band_->geometry().width() + band_->geometry().height() >=
                                       QApplication::startDragDistance())
            band_->show();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    if (grabbedElement_) {
        const int i = grabbedElement_;
        if (event->buttons() == Qt::NoButton) grabbedElement_ = 0;
        if (d_.isElement(i)) elementMouseUp(i, buttonCode(event->button()));
        return;
    }
    if (band_ && event->button() == Qt::LeftButton) {
        if (band_->isVisible()) {
            std::vector<int> chosen = renderer_.elementsInside(band_->geometry());
            if (bandAdds_)
                chosen.insert(chosen.end(), d_.view.selection.begin(), d_.view.selection.end());
            editor_.selectElements(chosen);
        }
        band_->hide();
        band_->setGeometry(QRect());
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void Canvas::contextMenuEvent(QContextMenuEvent* event) {
    // Right clicks are handled as they go down; the window's own toolbar menu must not follow.
    event->accept();
}

// ---- Drag and drop ----

QByteArray Canvas::dragOrigin() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(quintptr(this));
}

QMimeData* Canvas::elementMimeData(int i) const {
    auto* mime = new QMimeData;
    mime->setData(kElementMimeType, dragOrigin() + ':' + QByteArray::number(i));
    return mime;
}

int Canvas::draggedIndex(const QMimeData* mime) const {
    if (!mime || !mime->hasFormat(kElementMimeType)) return 0;
    // An element index means something only to the canvas it was dragged from.
    const QByteArray data = mime->data(kElementMimeType);
    const qsizetype cut = data.lastIndexOf(':');
    if (cut < 0 || data.left(cut) != dragOrigin()) return 0;
    bool ok = false;
    const int i = data.mid(cut + 1).toInt(&ok);
    return ok && d_.isLiveElement(i) ? i : 0;
}

bool Canvas::acceptsDropAt(int i, const QPointF& pos) const {
    if (!d_.isLiveElement(i) || !rect().contains(pos.toPoint())) return false;
    if (childAt(pos.toPoint())) return false;
    // Letting go over the element's own old place is a short move, not a drop on an element.
    if (const int hit = renderer_.elementAt(pos); hit && hit != i) return false;
    return !renderer_.overLabel(pos);
}

bool Canvas::dropAt(int i, const QPointF& pos) {
    if (!acceptsDropAt(i, pos)) return false;
    const QPointF at = renderer_.mapping().toLogical(pos);
    editor_.dropElement(i, float(at.x()), float(at.y()));
    Q_EMIT elementDropped(i);
    return true;
}

void Canvas::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedIndex(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Canvas::dragMoveEvent(QDragMoveEvent* event) {
    const int i = draggedIndex(event->mimeData());
    if (i && acceptsDropAt(i, event->position()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Canvas::dropEvent(QDropEvent* event) {
    const int i = draggedIndex(event->mimeData());
    if (i && dropAt(i, event->position()))
        event->acceptProposedAction();
    else
        event->ignore();
}
