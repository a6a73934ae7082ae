#include "canvas.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "canvasgrid.h"
#include "captionedit.h"

namespace {

// Repaint areas gathered in one change beyond this many are repainted as their common bounds.
constexpr size_t kMostSeparateRepaints = 64;

}  // namespace

const QString Canvas::kElementMimeType = QStringLiteral("application/x-relvane-element");

Canvas::Canvas(const Diagram& diagram, Editor& editor, QWidget* parent)
    : QWidget(parent), d_(diagram), editor_(editor), renderer_(diagram) {
    setObjectName(QStringLiteral("Canvas"));
    setAutoFillBackground(true);
    setAcceptDrops(true);
    setMouseTracking(true);  // hovering over an element is reported without a button held
    // A click on the drawing takes the keyboard from other panes, so that the window's keys
    // (Ctrl+A, Delete) act on the drawing again.
    setFocusPolicy(Qt::ClickFocus);
    connect(&d_, &Diagram::changed, this, &Canvas::onChanged);
    captionEdit_ = new CaptionEdit(*this, editor_);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    hbar_->setObjectName(QStringLiteral("HScroll"));
    vbar_ = new QScrollBar(Qt::Vertical, this);
    vbar_->setObjectName(QStringLiteral("VScroll"));
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->hide();
        bar->setSingleStep(20);
        addOverlay(bar);
        connect(bar, &QScrollBar::valueChanged, this,
                [this, bar](int value) { scrollBarMoved(bar->orientation(), value); });
    }
}

void Canvas::addOverlay(QWidget* widget) {
    overlays_.push_back(widget);
    widget->raise();
}

QPointF Canvas::inElement(int i, const QPointF& pos) const {
    return pos - QPointF(renderer_.elementRect(i).topLeft());
}

int Canvas::focusElement() const {
    for (int i : d_.view.selection)
        if (d_.isLiveElement(i)) return i;
    return 0;
}

// ---- Mirroring the model ----

void Canvas::onChanged(const DiagramChange& change) {
    if (change.reset) {
        renderer_.reset();
        pressElement_ = grabbedElement_ = 0;
        update();
    } else {
        // A step taken back may leave fewer entries than the canvas shows.
        renderer_.trimToModel();
        const int shownBefore = renderer_.elementsKnown();
        int created = 0;
        for (int i : change.elements) {
            renderer_.elementChanged(i);
            if (i >= shownBefore && d_.isLiveElement(i)) created = i;
        }
        for (int k : change.connectors) renderer_.connectorChanged(k);
        // A new element is shown where it went, even when no free place was in view.
        if (created) ensureVisible(created);
    }
    renderer_.highlightsChanged();
    flushRepaints();
    refreshSelectionFrames();
    if (change.reset || !change.elements.empty() || !change.connectors.empty()) queueScrollBars();
    captionEdit_->follow();
}

// ---- Selection frames ----

namespace {

// A dashed frame a few pixels outside the element's rectangle, which covers everything inside.
constexpr int kFrameMargin = 3;

}  // namespace

void Canvas::refreshSelectionFrames() {
    std::vector<std::pair<int, QRect>> frames;
    for (int i : d_.view.selection) {
        const QRect rect = renderer_.elementRect(i);
        if (d_.isLiveElement(i) && !rect.isEmpty())
            frames.emplace_back(
                i, rect.adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin - 1, kFrameMargin - 1));
    }
    if (frames == frames_) return;
    for (const auto& [i, rect] : frames_) update(rect.adjusted(-1, -1, 1, 1));
    for (const auto& [i, rect] : frames) update(rect.adjusted(-1, -1, 1, 1));
    frames_ = std::move(frames);
}

void Canvas::paintSelectionFrames(QPainter& painter, const QRect& area) {
    QPen pen(palette().color(QPalette::Highlight), 1, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const auto& [i, rect] : frames_)
        if (rect.adjusted(-1, -1, 1, 1).intersects(area)) painter.drawRect(rect);
}

void Canvas::flushRepaints() {
    std::vector<QRect> areas = renderer_.takeRepaints();
    std::erase_if(areas, [this](const QRect& area) { return !area.intersects(rect()); });
    if (areas.size() > kMostSeparateRepaints) {
        QRect bounds;
        for (const QRect& area : areas) bounds |= area;
        update(bounds);
    } else {
        for (const QRect& area : areas) update(area);
    }
}

// ---- Painting ----

void Canvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    renderer_.setInk(palette().color(QPalette::WindowText));
    if (gridShown_)
        paintGrid(painter, renderer_.mapping(), event->rect(), d_.settings.GridSize,
                  palette().color(backgroundRole()));
    renderer_.paintConnectors(painter, event->rect(), true);
    paintSelectionFrames(painter, event->rect());
    if (!flashArea_.isNull()) {
        painter.setPen(QPen(QColor(255, 140, 0), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(renderer_.mapping().toPixels(flashArea_).adjusted(-6, -6, 6, 6));
    }
    renderer_.paintElements(painter, event->rect(), true);
}

void Canvas::setGridShown(bool shown) {
    if (gridShown_ == shown) return;
    gridShown_ = shown;
    update();
}

void Canvas::flash(const QRectF& area) {
    const auto repaintFlash = [this] {
        if (!flashArea_.isNull())
            update(
                pixelRect(renderer_.mapping().toPixels(flashArea_), true).adjusted(-9, -9, 9, 9));
    };
    repaintFlash();
    flashArea_ = area.isNull() ? QRectF(area.topLeft(), QSizeF(1, 1)) : area;
    repaintFlash();
    if (!flashTimer_) {
        flashTimer_ = new QTimer(this);
        flashTimer_->setSingleShot(true);
        connect(flashTimer_, &QTimer::timeout, this, [this, repaintFlash] {
            repaintFlash();
            flashArea_ = QRectF();
        });
    }
    flashTimer_->start(900);
}

QPixmap Canvas::elementPicture(int i) {
    return renderer_.elementPicture(i, palette().color(backgroundRole()));
}

QPixmap Canvas::renderDiagram(const QRect& area) {
    if (area.isEmpty()) return QPixmap();
    QPixmap picture(area.size());
    QPainter painter(&picture);
    paintDiagram(painter, area);
    return picture;
}

void Canvas::paintDiagram(QPainter& painter, const QRect& area) {
    renderer_.setInk(palette().color(QPalette::WindowText));
    renderer_.paintDiagram(painter, area, palette().color(backgroundRole()));
}

void Canvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A set scale stays, so the same drawing stretches onto the new size.
    applyMapping();
    updateScrollBars();
    reportVisibleArea();
    Q_EMIT resized();
}

// ---- Drawing scale ----

DrawingScale Canvas::scale() const {
    if (userScale_) return scale_;
    return DrawingScale{0, 0, double(width()), double(height())};
}

void Canvas::setScale(const DrawingScale& scale) {
    if (!scale.isUsable()) return;
    userScale_ = true;
    scale_ = scale;
    applyMapping();
}

ScaleMapping Canvas::baseMapping() const {
    return userScale_ ? ScaleMapping(scale_, size()) : ScaleMapping();
}

void Canvas::applyMapping() {
    // A canvas without area (the window minimised) keeps the last mapping.
    if (width() <= 0 || height() <= 0) return;
    // A pure view transform: the model keeps its coordinates and label sizes. The drawing scale
    // leaves texts at their pixel size; the zoom scales them with everything else.
    if (!renderer_.setMapping(view_.mapping(baseMapping()), view_.zoom())) return;
    refreshSelectionFrames();
    update();
    queueScrollBars();
    reportVisibleArea();
    captionEdit_->follow();
    Q_EMIT viewChanged();
}

void Canvas::setPlacementMargins(const QMargins& margins) {
    placementMargins_ = margins;
    reportVisibleArea();
}

void Canvas::reportVisibleArea() {
    const QSize bars = scrollBarInsets();
    const QRectF free = QRectF(rect()).marginsRemoved(placementMargins_ +
                                                      QMargins(0, 0, bars.width(), bars.height()));
    editor_.setVisibleArea(free.isEmpty()
                               ? QRectF()
                               : QRectF(renderer_.mapping().toLogical(free.topLeft()),
                                        renderer_.mapping().toLogical(free.bottomRight())));
}

// ---- Zoom and scrolling ----

void Canvas::setView(const Viewport& view) {
    const double zoomBefore = view_.zoom();
    view_ = view;
    applyMapping();
    if (view_.zoom() != zoomBefore) Q_EMIT zoomChanged(view_.zoom());
}

void Canvas::stepZoom(double steps, std::optional<QPointF> anchor) {
    Viewport view = view_;
    view.stepZoom(baseMapping(), steps, anchor.value_or(QRectF(rect()).center()));
    setView(view);
}

void Canvas::setZoom(double zoom, std::optional<QPointF> anchor) {
    Viewport view = view_;
    view.zoomAround(baseMapping(), zoom, anchor.value_or(QRectF(rect()).center()));
    setView(view);
}

void Canvas::fitToDrawing() {
    const QRectF extent = renderer_.drawingExtent();
    if (extent.isEmpty()) return;
    Viewport view = view_;
    view.fit(baseMapping(), extent, size() - scrollBarInsets());
    setView(view);
}

void Canvas::scrollByPixels(const QPointF& pixels) {
    Viewport view = view_;
    view.scrollByPixels(baseMapping(), pixels);
    setView(view);
}

void Canvas::ensureVisible(int i) {
    if (!d_.isLiveElement(i)) return;
    const Element& e = d_.element(i);
    Viewport view = view_;
    view.ensureVisible(baseMapping(), QRectF(e.Left, e.Top, e.Width, e.Height),
                       size() - scrollBarInsets());
    setView(view);
}

QRectF Canvas::visibleArea() const {
    return view_.visibleArea(baseMapping(), size());
}

QSize Canvas::scrollBarInsets() const {
    return QSize(vbar_->isHidden() ? 0 : vbar_->width(), hbar_->isHidden() ? 0 : hbar_->height());
}

void Canvas::queueScrollBars() {
    if (scrollBarsQueued_) return;
    scrollBarsQueued_ = true;
    QMetaObject::invokeMethod(this, &Canvas::updateScrollBars, Qt::QueuedConnection);
}

void Canvas::updateScrollBars() {
    scrollBarsQueued_ = false;
    const ScaleMapping base = baseMapping();
    const QRectF extent = renderer_.drawingExtent();
    const Viewport::Bar h = view_.horizontalBar(base, extent, size());
    const Viewport::Bar v = view_.verticalBar(base, extent, size());
    settingScrollBars_ = true;
    for (const auto& [bar, state] : {std::pair{hbar_, h}, std::pair{vbar_, v}}) {
        bar->setRange(0, state.maximum);
        bar->setPageStep(std::max(1, state.page));
        bar->setValue(state.value);
    }
    settingScrollBars_ = false;
    const QSize insetsBefore = scrollBarInsets();
    const int across = vbar_->sizeHint().width(), down = hbar_->sizeHint().height();
    hbar_->setGeometry(0, height() - down, width() - (v.needed ? across : 0), down);
    vbar_->setGeometry(width() - across, 0, across, height() - (h.needed ? down : 0));
    hbar_->setVisible(h.needed);
    vbar_->setVisible(v.needed);
    if (scrollBarInsets() != insetsBefore) {
        reportVisibleArea();
        Q_EMIT scrollBarsChanged();
    }
}

void Canvas::scrollBarMoved(Qt::Orientation orientation, int value) {
    if (settingScrollBars_) return;
    Viewport view = view_;
    const QRectF extent = renderer_.drawingExtent();
    if (orientation == Qt::Horizontal)
        view.setHorizontalValue(baseMapping(), extent, size(), value);
    else
        view.setVerticalValue(baseMapping(), extent, size(), value);
    setView(view);
}

void Canvas::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    event->accept();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta.y() != 0) stepZoom(delta.y() / 120.0, event->position());
        return;
    }
    // The wheel moves the scroll bars, so it never scrolls past the drawing.
    if (scrollBarsQueued_) updateScrollBars();
    const int pixelsPerNotch = QApplication::wheelScrollLines() * 20;
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    const int along = delta.y() != 0 ? delta.y() : delta.x();
    QScrollBar* bar = sideways || delta.y() == 0 ? hbar_ : vbar_;
    if (bar->isVisible() || bar->maximum() > 0)
        bar->setValue(bar->value() - along * pixelsPerNotch / 120);
}

QPixmap Canvas::renderAtFullSize(const QRectF& area) {
    const QSize size = fullSize(area);
    if (size.isEmpty()) return QPixmap();
    QPixmap picture(size);
    QPainter painter(&picture);
    paintAtFullSize(painter, area);
    return picture;
}

QSize Canvas::fullSize(const QRectF& area) const {
    return pixelRect(Viewport().mapping(baseMapping()).toPixels(area), true).size();
}

void Canvas::paintAtFullSize(QPainter& painter, const QRectF& area) {
    paintAtFullSize(painter, area, palette().color(backgroundRole()),
                    palette().color(QPalette::WindowText));
}

void Canvas::paintAtFullSize(QPainter& painter, const QRectF& area, const QColor& background,
                             const QColor& ink) {
    // A renderer of its own, at 100 % and unscrolled: what the view shows and keeps stays.
    DiagramRenderer picture(d_);
    const ScaleMapping mapping = Viewport().mapping(baseMapping());
    picture.setMapping(mapping, 1);
    picture.setInk(ink);
    picture.paintDiagram(painter, pixelRect(mapping.toPixels(area), true), background);
}
