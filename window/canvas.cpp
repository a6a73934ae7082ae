#include "canvas.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "outline.h"

namespace {

// Line border styles as the connector lines store them.
Qt::PenStyle penStyleOf(qint16 borderStyle) {
    switch (borderStyle) {
        case 0:
            return Qt::NoPen;
        case 2:
            return Qt::DashLine;
        case 3:
            return Qt::DotLine;
        case 4:
            return Qt::DashDotLine;
        case 5:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}

QLineF pixelLine(const Line& line, const ScaleMapping& mapping) {
    return QLineF(mapping.toPixels(QPointF(line.X1, line.Y1)),
                  mapping.toPixels(QPointF(line.X2, line.Y2)));
}

QRectF lineBounds(const Line& line, const ScaleMapping& mapping) {
    const QLineF pixels = pixelLine(line, mapping);
    return QRectF(pixels.p1(), pixels.p2()).normalized();
}

// A label's area in pixels: its stored size, or the size of its text when that is larger. The
// text keeps its size in pixels whatever the scale.
QRectF labelBounds(const Label& label, const QStaticText& text, const ScaleMapping& mapping) {
    const QSizeF stored = mapping.toPixelSize(QSizeF(label.Width, label.Height));
    const QSizeF size = text.size();
    return QRectF(mapping.toPixels(QPointF(label.Left, label.Top)),
                  QSizeF(std::max<qreal>(stored.width(), size.width()),
                         std::max<qreal>(stored.height(), size.height())));
}

bool labelShown(const Label& label) {
    return label.Visible && !label.Caption.isEmpty();
}

// Repaint areas gathered in one change beyond this many are repainted as their common bounds.
constexpr size_t kMostSeparateRepaints = 64;

// Pixels around a label's text in its picture, for antialiasing that spills over the text's box.
constexpr int kLabelPictureMargin = 1;

// Memory the element pictures may hold: far more than a screen full of elements needs.
constexpr qint64 kPictureBudget = 64 << 20;

}  // namespace

const QString Canvas::kElementMimeType = QStringLiteral("application/x-relvane-element");

Canvas::Canvas(const Diagram& diagram, Editor& editor, QWidget* parent)
    : QWidget(parent), d_(diagram), editor_(editor) {
    setObjectName(QStringLiteral("Canvas"));
    setAutoFillBackground(true);
    setAcceptDrops(true);
    setMouseTracking(true);  // hovering over an element is reported without a button held
    // A click on the drawing takes the keyboard from other panes, so that the window's keys
    // (Ctrl+A, Delete) act on the drawing again.
    setFocusPolicy(Qt::ClickFocus);
    connect(&d_, &Diagram::changed, this, &Canvas::onChanged);
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
    onReset();
}

void Canvas::addOverlay(QWidget* widget) {
    overlays_.push_back(widget);
    widget->raise();
}

QRectF Canvas::elementArea(int i) const {
    const Element& e = d_.element(i);
    return QRectF(e.Left, e.Top, e.Width, e.Height);
}

QRect Canvas::elementRect(int i) const {
    if (!d_.isElement(i) || !d_.element(i).Visible) return QRect();
    // Clamped, as any value that becomes an int here: the model's floats may be anything.
    return pixelRect(mapping_.toPixels(elementArea(i)));
}

std::vector<int> Canvas::elementsIn(const QRect& area) const {
    // The grid works in drawing units; a pixel of slack covers the rounding to whole pixels.
    const QRectF logical(mapping_.toLogical(QPointF(area.topLeft()) - QPointF(2, 2)),
                         mapping_.toLogical(QPointF(area.bottomRight()) + QPointF(3, 3)));
    std::vector<int> shown;
    for (int i : grid_.within(logical))
        if (elementRect(i).intersects(area)) shown.push_back(i);
    return shown;
}

int Canvas::elementAt(const QPointF& pos) const {
    const std::vector<int> candidates = grid_.within(
        QRectF(mapping_.toLogical(pos - QPointF(2, 2)), mapping_.toLogical(pos + QPointF(2, 2))));
    // The last one painted is the one on top.
    for (auto i = candidates.rbegin(); i != candidates.rend(); ++i)
        if (elementRect(*i).contains(pos.toPoint())) return *i;
    return 0;
}

QPointF Canvas::inElement(int i, const QPointF& pos) const {
    return pos - QPointF(elementRect(i).topLeft());
}

int Canvas::focusElement() const {
    for (int i : d_.view.selection)
        if (d_.isLiveElement(i)) return i;
    return 0;
}

// ---- Mirroring the model ----

bool Canvas::layoutFits(int i) const {
    const ShapeLayout& layout = elements_[size_t(i)].layout;
    const Element& e = d_.element(i);
    return elements_[size_t(i)].generation == layoutGeneration_ &&
           layout.size == elementRect(i).size() && layout.shape == e.Shape &&
           layout.borderStyle == e.BorderStyle && layout.recWidth == e.RecWidth &&
           layout.ellWidth == e.EllWidth && layout.diaWidth == e.DiaWidth &&
           layout.caption.text() == e.Caption && layout.font == zoomedFont(e.Font);
}

const ShapeLayout& Canvas::elementLayout(int i) {
    ElementCache& cache = elements_[size_t(i)];
    if (cache.generation != layoutGeneration_) {
        const Element& e = d_.element(i);
        cache.layout = layOutShape(elementRect(i).size(), e.Shape, e.BorderStyle, e.RecWidth,
                                   e.EllWidth, e.DiaWidth, zoomedFont(e.Font), e.Caption);
        cache.generation = layoutGeneration_;
        cache.paintedOnce = false;
        pictureBytes_ -= cache.picture.sizeInBytes();
        cache.picture = QImage();
    }
    return cache.layout;
}

void Canvas::paintElements(QPainter& painter, const QRect& area, bool screen) {
    if (screen && pictureBytes_ > kPictureBudget) dropPictures();
    for (int i : elementsIn(area)) paintElement(painter, i, screen);
}

void Canvas::paintElement(QPainter& painter, int i, bool screen) {
    const ShapeLayout& layout = elementLayout(i);
    ElementCache& cache = elements_[size_t(i)];
    const Element& e = d_.element(i);
    const OleColor back = d_.shownColour(i);
    const QPoint topLeft = elementRect(i).topLeft();
    if (!screen) {
        paintShape(painter, topLeft, layout, toQColor(back), toQColor(e.ForeColor));
        return;
    }
    const qreal ratio = painter.device()->devicePixelRatio();
    const bool sameLook = cache.back == back && cache.ink == e.ForeColor;
    if (!cache.picture.isNull() && sameLook && cache.picture.devicePixelRatio() == ratio) {
        painter.drawImage(topLeft, cache.picture);
        return;
    }
    pictureBytes_ -= cache.picture.sizeInBytes();
    cache.picture = QImage();
    // An element painted for the first time in this look is drawn directly: a project just
    // loaded shows without making a picture of every element in view.
    if (!cache.paintedOnce || !sameLook || pictureBytes_ > kPictureBudget) {
        cache.paintedOnce = true;
        cache.back = back;
        cache.ink = e.ForeColor;
        paintShape(painter, topLeft, layout, toQColor(back), toQColor(e.ForeColor));
        return;
    }
    // A body that covers the whole picture needs no transparency, and copies faster.
    QImage picture(layout.size * ratio,
                   layout.opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter onPicture(&picture);
        paintShape(onPicture, QPoint(), layout, toQColor(back), toQColor(e.ForeColor));
    }
    cache.picture = std::move(picture);
    pictureBytes_ += cache.picture.sizeInBytes();
    painter.drawImage(topLeft, cache.picture);
}

void Canvas::dropPictures() {
    for (ElementCache& cache : elements_) cache.picture = QImage();
    pictureBytes_ = 0;
}

QPixmap Canvas::elementPicture(int i) {
    const QRect rect = elementRect(i);
    if (rect.isEmpty()) return QPixmap();
    QPixmap picture(rect.size());
    picture.fill(palette().color(backgroundRole()));
    QPainter painter(&picture);
    paintShape(painter, QPoint(), elementLayout(i), toQColor(d_.shownColour(i)),
               toQColor(d_.element(i).ForeColor));
    return picture;
}

void Canvas::onChanged(const DiagramChange& change) {
    if (change.reset) {
        onReset();
    } else {
        // A step taken back may leave fewer entries than the canvas shows.
        trimToModel();
        const int shownBefore = int(elements_.size());
        int created = 0;
        for (int i : change.elements) {
            onElementChanged(i);
            if (i >= shownBefore && d_.isLiveElement(i)) created = i;
        }
        for (int k : change.connectors) onConnectorChanged(k);
        // A new element is shown where it went, even when no free place was in view.
        if (created) ensureVisible(created);
    }
    refreshHighlights();
    flushRepaints();
    refreshSelectionFrames();
    if (change.reset || !change.elements.empty() || !change.connectors.empty()) queueScrollBars();
}

// ---- Highlights ----

void Canvas::refreshHighlights() {
    const Highlights& marks = d_.view.highlights;
    const OleColor candidate = d_.settings.CandidateColor, selected = d_.settings.SelectedColor;
    const bool recoloured =
        candidate != highlightColours_.first || selected != highlightColours_.second;
    if (marks == highlights_ && !recoloured) return;
    const int count = std::min(std::max(marks.size(), highlights_.size()), int(elements_.size()));
    for (int i = 1; i < count; ++i) {
        const Highlight now = marks.of(i);
        if (now == highlights_.of(i) && (now == Highlight::None || !recoloured)) continue;
        if (elements_[size_t(i)].filed) repaintLater(elementRect(i).adjusted(-1, -1, 1, 1));
    }
    highlights_ = marks;
    highlightColours_ = {candidate, selected};
}

// ---- Selection frames ----

namespace {

// A dashed frame a few pixels outside the element's rectangle, which covers everything inside.
constexpr int kFrameMargin = 3;

}  // namespace

void Canvas::refreshSelectionFrames() {
    std::vector<std::pair<int, QRect>> frames;
    for (int i : d_.view.selection) {
        const QRect rect = elementRect(i);
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

void Canvas::repaintLater(const QRect& area) {
    if (area.intersects(rect())) pendingRepaints_.push_back(area);
}

void Canvas::flushRepaints() {
    if (pendingRepaints_.size() > kMostSeparateRepaints) {
        QRect bounds;
        for (const QRect& area : pendingRepaints_) bounds |= area;
        update(bounds);
    } else {
        for (const QRect& area : pendingRepaints_) update(area);
    }
    pendingRepaints_.clear();
}

void Canvas::onElementChanged(int i) {
    if (!d_.isElement(i)) return;
    // Entries loaded but not yet announced are taken in too, so the canvas always knows every
    // loaded element.
    if (size_t(i) >= elements_.size()) {
        const int first = int(std::max<size_t>(elements_.size(), 1));
        elements_.resize(size_t(i) + 1);
        for (int j = first; j < i; ++j) onElementChanged(j);
    }
    // Where it was and where it is now: the old place is painted over, whatever became of it.
    ElementCache& cache = elements_[size_t(i)];
    const QRectF area = elementArea(i);
    const bool shown = d_.element(i).Visible;
    // A change of colour alone keeps the layout.
    if (!layoutFits(i)) cache.generation = 0;
    if (area == cache.area && shown == cache.filed) {
        // Only its look changed (a colour, a caption): the grid stays as it is.
        if (shown) repaintLater(elementRect(i).adjusted(-1, -1, 1, 1));
        return;
    }
    if (cache.filed) repaintLater(pixelRect(mapping_.toPixels(cache.area)).adjusted(-1, -1, 1, 1));
    extentReplaced(cache.filed ? cache.area : QRectF(), shown ? area : QRectF());
    cache.area = area;
    cache.filed = shown;
    grid_.place(i, area, shown);
    if (shown) repaintLater(elementRect(i).adjusted(-1, -1, 1, 1));
}

const Canvas::ConnectorCache& Canvas::connectorCache(int k) const {
    if (connectors_[size_t(k)].generation != placeGeneration_) refreshConnectorCache(k);
    return connectors_[size_t(k)];
}

QStaticText Canvas::labelText(const Label& label) const {
    if (!labelShown(label)) return QStaticText();
    const QFont font = zoomedFont(d_.labelFont());
    if (font != labelTextFont_) {
        labelTexts_.clear();
        labelPictures_.clear();
        labelTextFont_ = font;
    }
    auto text = labelTexts_.constFind(label.Caption);
    if (text != labelTexts_.constEnd()) return *text;
    QStaticText prepared;
    prepared.setTextFormat(Qt::PlainText);
    prepared.setText(label.Caption);
    prepared.prepare(QTransform(), font);
    return labelTexts_.insert(label.Caption, prepared).value();
}

void Canvas::refreshConnectorCache(int k) const {
    ConnectorCache& cache = connectors_[size_t(k)];
    const Connector& c = d_.connector(k);
    cache.mn = labelText(c.MN);
    cache.description = labelText(c.Description);

    QRectF bounds;
    if (c.Line1.Visible) bounds |= lineBounds(c.Line1, mapping_);
    if (c.Line2.Visible) bounds |= lineBounds(c.Line2, mapping_);
    if (labelShown(c.MN)) bounds |= labelBounds(c.MN, cache.mn, mapping_);
    if (labelShown(c.Description))
        bounds |= labelBounds(c.Description, cache.description, mapping_);
    const bool drawsSomething =
        c.Line1.Visible || c.Line2.Visible || labelShown(c.MN) || labelShown(c.Description);
    // A margin for the pen and for text that antialiasing lets spill over its box.
    cache.bounds = drawsSomething ? pixelRect(bounds, true).adjusted(-2, -2, 2, 2) : QRect();
    cache.generation = placeGeneration_;
}

void Canvas::onConnectorChanged(int k) {
    if (!d_.isConnector(k)) return;
    if (size_t(k) >= connectors_.size()) connectors_.resize(size_t(k) + 1);
    // The old place needs painting over only if it was painted since the last full repaint.
    ConnectorCache& cache = connectors_[size_t(k)];
    if (cache.generation == placeGeneration_ && !cache.bounds.isEmpty()) repaintLater(cache.bounds);
    const QRectF extent = connectorExtent(k);
    if (cache.extent)
        extentReplaced(*cache.extent, extent);
    else
        extentStale_ = true;
    cache.extent = extent;
    refreshConnectorCache(k);
    if (!cache.bounds.isEmpty()) repaintLater(cache.bounds);
}

void Canvas::trimToModel() {
    const int count = d_.elementCount();
    for (int j = count; j < int(elements_.size()); ++j) {
        const ElementCache& gone = elements_[size_t(j)];
        if (gone.filed)
            repaintLater(pixelRect(mapping_.toPixels(gone.area)).adjusted(-1, -1, 1, 1));
        extentReplaced(gone.filed ? gone.area : QRectF(), QRectF());
        pictureBytes_ -= gone.picture.sizeInBytes();
    }
    if (int(elements_.size()) > count) elements_.resize(size_t(count));
    grid_.truncate(count);
    const size_t connectors = size_t(d_.connectorCount());
    for (size_t k = connectors; k < connectors_.size(); ++k) {
        const ConnectorCache& gone = connectors_[k];
        if (gone.generation == placeGeneration_ && !gone.bounds.isEmpty())
            repaintLater(gone.bounds);
        if (gone.extent)
            extentReplaced(*gone.extent, QRectF());
        else
            extentStale_ = true;
    }
    if (connectors_.size() > connectors) connectors_.resize(connectors);
}

void Canvas::onReset() {
    pendingRepaints_.clear();
    // Everything is read again, lazily: the places now, the layouts when first painted.
    elements_.assign(size_t(std::max(d_.elementCount(), 1)), ElementCache{});
    pictureBytes_ = 0;
    grid_.clear();
    for (int i = 1; i < d_.elementCount(); ++i) {
        ElementCache& cache = elements_[size_t(i)];
        cache.area = elementArea(i);
        cache.filed = d_.element(i).Visible;
        grid_.place(i, cache.area, cache.filed);
    }
    connectors_.assign(size_t(std::max(d_.connectorCount(), 1)), ConnectorCache{});
    extentStale_ = true;
    pressElement_ = grabbedElement_ = 0;
    update();
}

// ---- Painting ----

const QPen& Canvas::penFor(const Line& line) {
    for (const LinePen& entry : pens_)
        if (entry.colour == line.BorderColor && entry.style == line.BorderStyle) return entry.pen;
    // A diagram uses a handful of line kinds; the list stays short.
    QPen pen(toQColor(line.BorderColor), 1, penStyleOf(line.BorderStyle));
    pen.setCosmetic(true);
    pens_.push_back({line.BorderColor, line.BorderStyle, pen});
    return pens_.back().pen;
}

void Canvas::paintConnectors(QPainter& painter, const QRect& area, bool screen) {
    const int count = std::min(int(connectors_.size()), d_.connectorCount());
    std::vector<int> shown;
    for (int k = 1; k < count; ++k)
        if (connectorCache(k).bounds.intersects(area)) shown.push_back(k);

    // Lines first, labels over them. Lines of one look in a row go to the painter together.
    std::vector<QLineF> batch;
    const Line* batchStyle = nullptr;
    const auto flush = [&] {
        if (batch.empty()) return;
        painter.setPen(penFor(*batchStyle));
        painter.drawLines(batch.data(), int(batch.size()));
        batch.clear();
    };
    for (int k : shown) {
        const Connector& c = d_.connector(k);
        for (const Line* line : {&c.Line1, &c.Line2}) {
            if (!line->Visible) continue;
            if (batchStyle && (batchStyle->BorderColor != line->BorderColor ||
                               batchStyle->BorderStyle != line->BorderStyle))
                flush();
            batchStyle = line;
            batch.push_back(pixelLine(*line, mapping_));
        }
    }
    flush();

    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(ink);
    painter.setFont(zoomedFont(d_.labelFont()));  // the font the texts were prepared with
    const qreal ratio = painter.device()->devicePixelRatio();
    const auto paintLabel = [&](const Label& label, const QStaticText& text) {
        if (!labelShown(label)) return;
        const QPointF at = mapping_.toPixels(QPointF(label.Left, label.Top));
        if (!screen) return painter.drawStaticText(at, text);
        const QImage& picture = labelPicture(label.Caption, text, ink, ratio);
        painter.drawImage(at.toPoint() - QPoint(kLabelPictureMargin, kLabelPictureMargin), picture);
    };
    for (int k : shown) {
        const ConnectorCache& cache = connectors_[size_t(k)];
        const Connector& c = d_.connector(k);
        paintLabel(c.MN, cache.mn);
        paintLabel(c.Description, cache.description);
    }
}

const QImage& Canvas::labelPicture(const QString& caption, const QStaticText& text,
                                   const QColor& ink, qreal ratio) const {
    if (ink != labelPictureInk_ || ratio != labelPictureRatio_) {
        labelPictures_.clear();
        labelPictureInk_ = ink;
        labelPictureRatio_ = ratio;
    }
    auto found = labelPictures_.constFind(caption);
    if (found != labelPictures_.constEnd()) return *found;
    // A margin around the text for the antialiasing that spills over its box.
    const QSize size =
        (text.size() + QSizeF(2 * kLabelPictureMargin, 2 * kLabelPictureMargin)).toSize() +
        QSize(1, 1);
    QImage picture(size * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter onPicture(&picture);
        onPicture.setPen(ink);
        onPicture.setFont(labelTextFont_);
        onPicture.drawStaticText(QPointF(kLabelPictureMargin, kLabelPictureMargin), text);
    }
    return labelPictures_.insert(caption, std::move(picture)).value();
}

void Canvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintConnectors(painter, event->rect(), true);
    paintSelectionFrames(painter, event->rect());
    if (!flashArea_.isNull()) {
        painter.setPen(QPen(QColor(255, 140, 0), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(mapping_.toPixels(flashArea_).adjusted(-6, -6, 6, 6));
    }
    paintElements(painter, event->rect(), true);
}

void Canvas::flash(const QRectF& area) {
    const auto repaintFlash = [this] {
        if (!flashArea_.isNull())
            update(pixelRect(mapping_.toPixels(flashArea_), true).adjusted(-9, -9, 9, 9));
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

QPixmap Canvas::renderDiagram(const QRect& area) {
    if (area.isEmpty()) return QPixmap();
    QPixmap picture(area.size());
    QPainter painter(&picture);
    paintDiagram(painter, area);
    return picture;
}

void Canvas::paintDiagram(QPainter& painter, const QRect& area) {
    if (area.isEmpty()) return;
    painter.save();
    painter.fillRect(QRect(QPoint(), area.size()), palette().color(backgroundRole()));
    painter.translate(-area.topLeft());
    // The shapes are painted as lines and text, so a vector device keeps them as such.
    paintConnectors(painter, area);
    paintElements(painter, area);
    painter.restore();
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
    const ScaleMapping mapping = view_.mapping(baseMapping());
    if (mapping == mapping_) return;
    // Scrolling keeps every element's size in pixels, and so its layout; any other change of
    // the mapping lays the elements out again as they are painted.
    if (mapping.pixelsPerUnitX() != mapping_.pixelsPerUnitX() ||
        mapping.pixelsPerUnitY() != mapping_.pixelsPerUnitY() || preparedZoom_ != view_.zoom())
        ++layoutGeneration_;
    preparedZoom_ = view_.zoom();
    mapping_ = mapping;
    ++placeGeneration_;
    refreshSelectionFrames();
    update();
    queueScrollBars();
    reportVisibleArea();
}

void Canvas::setPlacementMargins(const QMargins& margins) {
    placementMargins_ = margins;
    reportVisibleArea();
}

void Canvas::reportVisibleArea() {
    const QSize bars = scrollBarInsets();
    const QRectF free = QRectF(rect()).marginsRemoved(placementMargins_ +
                                                      QMargins(0, 0, bars.width(), bars.height()));
    editor_.setVisibleArea(free.isEmpty() ? QRectF()
                                          : QRectF(mapping_.toLogical(free.topLeft()),
                                                   mapping_.toLogical(free.bottomRight())));
}

QFont Canvas::zoomedFont(QFont font) const {
    const double zoom = view_.zoom();
    if (zoom == 1) return font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * zoom)));
    return font;
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
    const QRectF extent = drawingExtent();
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

QRectF Canvas::connectorExtent(int k) const {
    const Connector& c = d_.connector(k);
    QRectF extent;
    if (!c.Line1.Visible) return extent;
    for (const Label* label : {&c.MN, &c.Description})
        if (labelShown(*label))
            extent |= QRectF(label->Left, label->Top, label->Width, label->Height);
    return extent;
}

void Canvas::extentReplaced(const QRectF& before, const QRectF& after) {
    if (extentStale_) return;
    // Growing is a union; only something that lay on the edge may leave the extent smaller.
    if (!before.isNull() &&
        (before.left() <= extent_.left() || before.top() <= extent_.top() ||
         before.right() >= extent_.right() || before.bottom() >= extent_.bottom())) {
        extentStale_ = true;
        return;
    }
    extent_ |= after;
}

const QRectF& Canvas::drawingExtent() {
    // Scrolling and zooming leave the drawing as it is; changes keep it up to date (see
    // extentReplaced), and only a change at its edge measures everything again.
    if (!extentStale_) return extent_;
    extentStale_ = false;
    extent_ = QRectF();
    for (int i = 1; i < d_.elementCount(); ++i) {
        const Element& e = d_.element(i);
        if (e.Visible) extent_ |= QRectF(e.Left, e.Top, e.Width, e.Height);
    }
    const int count = std::min(int(connectors_.size()), d_.connectorCount());
    for (int k = 1; k < count; ++k) {
        connectors_[size_t(k)].extent = connectorExtent(k);
        extent_ |= *connectors_[size_t(k)].extent;
    }
    return extent_;
}

void Canvas::queueScrollBars() {
    if (scrollBarsQueued_) return;
    scrollBarsQueued_ = true;
    QMetaObject::invokeMethod(this, &Canvas::updateScrollBars, Qt::QueuedConnection);
}

void Canvas::updateScrollBars() {
    scrollBarsQueued_ = false;
    const ScaleMapping base = baseMapping();
    const QRectF extent = drawingExtent();
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
    const QRectF extent = drawingExtent();
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
    const Viewport shown = view_;
    setView(Viewport());
    paintDiagram(painter, pixelRect(mapping_.toPixels(area), true));
    setView(shown);
}

bool Canvas::overLabel(const QPointF& pos) const {
    const int count = std::min(int(connectors_.size()), d_.connectorCount());
    for (int k = 1; k < count; ++k) {
        const ConnectorCache& cache = connectorCache(k);
        if (!cache.bounds.contains(pos.toPoint())) continue;
        const Connector& c = d_.connector(k);
        if (labelShown(c.MN) && labelBounds(c.MN, cache.mn, mapping_).contains(pos)) return true;
        if (labelShown(c.Description) &&
            labelBounds(c.Description, cache.description, mapping_).contains(pos))
            return true;
    }
    return false;
}
