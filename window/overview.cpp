#include "overview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "canvas.h"

OverviewMap::OverviewMap(Canvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas), renderer_(canvas.diagram()) {
    setObjectName(QStringLiteral("OverviewMap"));
    setMinimumSize(120, 80);
    setCursor(Qt::PointingHandCursor);
    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    connect(pause_, &QTimer::timeout, this, [this] {
        if (stale_ && isVisible()) refresh();
    });
    connect(&canvas_.diagram(), &Diagram::changed, this, &OverviewMap::follow);
    // The frame follows the canvas's scrolling, zoom and size at once: only it is repainted.
    connect(&canvas_, &Canvas::viewChanged, this, qOverload<>(&QWidget::update));
    connect(&canvas_, &Canvas::resized, this, qOverload<>(&QWidget::update));
}

void OverviewMap::follow(const DiagramChange& change) {
    if (change.reset) {
        renderer_.reset();
    } else {
        renderer_.trimToModel();
        for (int i : change.elements) renderer_.elementChanged(i);
        for (int k : change.connectors) renderer_.connectorChanged(k);
    }
    renderer_.highlightsChanged();
    // The whole picture is made again when it is next made: the canvas's repaint areas are no
    // use here.
    renderer_.takeRepaints();
    if (change.reset || !change.elements.empty() || !change.connectors.empty()) markStale();
}

void OverviewMap::markStale() {
    stale_ = true;
    if (isVisible() && !pause_->isActive()) pause_->start();
}

bool OverviewMap::fitArea() {
    const QRectF extent = renderer_.drawingExtent();
    const QRectF room = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    QRectF area;
    if (!extent.isEmpty() && !room.isEmpty()) {
        // One scale across and down, never larger than the canvas at 100 %: the extent fits the
        // room, centred, and the area is the map's whole shape around it.
        const double scale =
            std::min({room.width() / extent.width(), room.height() / extent.height(), 1.0});
        const QSizeF size(width() / scale, height() / scale);
        area = QRectF(extent.center() - QPointF(size.width() / 2, size.height() / 2), size);
    }
    if (area == area_) return false;
    area_ = area;
    mapping_ =
        area.isEmpty()
            ? ScaleMapping()
            : ScaleMapping(DrawingScale{area.left(), area.top(), area.width(), area.height()},
                           size());
    renderer_.setMapping(mapping_, mapping_.pixelsPerUnitX());
    return true;
}

void OverviewMap::refresh() {
    QElapsedTimer took;
    took.start();
    stale_ = false;
    fitArea();
    const qreal ratio = devicePixelRatioF();
    picture_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(canvas_.palette().color(canvas_.backgroundRole()));
    if (!area_.isEmpty()) {
        QPainter painter(&picture_);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_.setInk(canvas_.palette().color(QPalette::WindowText));
        renderer_.paintConnectors(painter, rect(), true);
        renderer_.paintElements(painter, rect(), true);
        renderer_.takeRepaints();
    }
    // A map that takes long to paint waits longer before the next one, so that it never takes
    // more than a fifth of the time while the diagram keeps changing.
    pause_->setInterval(std::max<qint64>(kRefreshInterval, 4 * took.elapsed()));
    update();
}

QRectF OverviewMap::viewFrame() const {
    if (area_.isEmpty()) return {};
    return mapping_.toPixels(canvas_.visibleArea());
}

void OverviewMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), canvas_.palette().color(canvas_.backgroundRole()));
    if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
    // A frame larger than the map shows as the map's own edge.
    const QRectF frame = viewFrame().intersected(QRectF(rect()).adjusted(1, 1, -1, -1));
    if (frame.isEmpty()) return;
    QColor fill = palette().color(QPalette::Highlight);
    painter.setPen(QPen(fill, 2));
    fill.setAlpha(40);
    painter.setBrush(fill);
    painter.drawRect(frame);
}

void OverviewMap::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    markStale();
}

void OverviewMap::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Changes made while hidden were only noted.
    if (stale_) refresh();
}

void OverviewMap::centreCanvasOn(const QPointF& centre) {
    const QPointF by = centre - canvas_.visibleArea().center();
    const ScaleMapping& shown = canvas_.mapping();
    canvas_.scrollByPixels(
        QPointF(by.x() * shown.pixelsPerUnitX(), by.y() * shown.pixelsPerUnitY()));
}

void OverviewMap::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || area_.isEmpty())
        return QWidget::mousePressEvent(event);
    const QPointF at = mapping_.toLogical(event->position());
    if (viewFrame().contains(event->position())) {
        grab_ = at - canvas_.visibleArea().center();
    } else {
        centreCanvasOn(at);
        grab_ = QPointF();
    }
    setCursor(Qt::ClosedHandCursor);
}

void OverviewMap::mouseMoveEvent(QMouseEvent* event) {
    if (!grab_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
    centreCanvasOn(mapping_.toLogical(event->position()) - *grab_);
}

void OverviewMap::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    grab_.reset();
    setCursor(Qt::PointingHandCursor);
}

OverviewDock::OverviewDock(Canvas& canvas, QWidget* parent)
    : QDockWidget(QCoreApplication::translate("OverviewDock", "鳥瞰圖"), parent) {
    setObjectName(QStringLiteral("OverviewDock"));
    map_ = new OverviewMap(canvas, this);
    setWidget(map_);
    QAction* toggle = toggleViewAction();
    toggle->setObjectName(QStringLiteral("mnuOverview"));
    toggle->setToolTip(
        QCoreApplication::translate("OverviewDock", "整張圖的縮圖; 拖曳方框即可捲動繪圖區"));
}
