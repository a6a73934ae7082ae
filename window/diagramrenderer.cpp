#include "diagramrenderer.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "classlinklook.h"
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

// The subset mark's radius and the defining attribute's distance from its line, in drawing units.
constexpr double kSubsetRadius = 6;
constexpr double kDefiningGap = 4;

// Repaint areas gathered in one change beyond this many are repainted as their common bounds.
constexpr size_t kMostSeparateRepaints = 64;

// Pixels around a label's text in its picture, for antialiasing that spills over the text's box.
constexpr int kLabelPictureMargin = 1;

// Memory the element pictures may hold: far more than a screen full of elements needs.
constexpr qint64 kPictureBudget = 64 << 20;

}  // namespace

DiagramRenderer::DiagramRenderer(const Diagram& diagram) : d_(diagram) {
    reset();
}

bool DiagramRenderer::setMapping(const ScaleMapping& mapping, double zoom) {
    if (mapping == mapping_ && zoom == zoom_) return false;
    // Scrolling keeps every element's size in pixels, and so its layout; any other change of
    // the mapping lays the elements out again as they are painted.
    if (mapping.pixelsPerUnitX() != mapping_.pixelsPerUnitX() ||
        mapping.pixelsPerUnitY() != mapping_.pixelsPerUnitY() || zoom != zoom_)
        ++layoutGeneration_;
    zoom_ = zoom;
    mapping_ = mapping;
    ++placeGeneration_;
    return true;
}

// ---- Places ----

QRectF DiagramRenderer::elementArea(int i) const {
    const Element& e = d_.element(i);
    return QRectF(e.Left, e.Top, e.Width, e.Height);
}

QRect DiagramRenderer::elementRect(int i) const {
    if (!d_.isElement(i) || !d_.element(i).Visible) return QRect();
    // Clamped, as any value that becomes an int here: the model's floats may be anything.
    return pixelRect(mapping_.toPixels(elementArea(i)));
}

std::vector<int> DiagramRenderer::elementsIn(const QRect& area) const {
    // The grid works in drawing units; a pixel of slack covers the rounding to whole pixels.
    const QRectF logical(mapping_.toLogical(QPointF(area.topLeft()) - QPointF(2, 2)),
                         mapping_.toLogical(QPointF(area.bottomRight()) + QPointF(3, 3)));
    std::vector<int> shown;
    for (int i : grid_.within(logical))
        if (elementRect(i).intersects(area)) shown.push_back(i);
    return shown;
}

int DiagramRenderer::elementAt(const QPointF& pos) const {
    const std::vector<int> candidates = grid_.within(
        QRectF(mapping_.toLogical(pos - QPointF(2, 2)), mapping_.toLogical(pos + QPointF(2, 2))));
    // The last one painted is the one on top.
    for (auto i = candidates.rbegin(); i != candidates.rend(); ++i)
        if (elementRect(*i).contains(pos.toPoint())) return *i;
    return 0;
}

// ---- Elements ----

bool DiagramRenderer::layoutFits(int i) const {
    const ShapeLayout& layout = elements_[size_t(i)].layout;
    const Element& e = d_.element(i);
    return elements_[size_t(i)].generation == layoutGeneration_ &&
           layout.size == elementRect(i).size() && layout.shape == e.Shape &&
           layout.borderStyle == e.BorderStyle && layout.recWidth == e.RecWidth &&
           layout.ellWidth == e.EllWidth && layout.diaWidth == e.DiaWidth &&
           layout.caption.text() == e.Caption && layout.font == zoomedFont(e.Font) &&
           layout.dashedUnderline == d_.document().isPartialKey(i);
}

const ShapeLayout& DiagramRenderer::elementLayout(int i) {
    ElementCache& cache = elements_[size_t(i)];
    if (cache.generation != layoutGeneration_) {
        const Element& e = d_.element(i);
        cache.layout =
            layOutShape(elementRect(i).size(), e.Shape, e.BorderStyle, e.RecWidth, e.EllWidth,
                        e.DiaWidth, zoomedFont(e.Font), e.Caption, d_.document().isPartialKey(i));
        cache.generation = layoutGeneration_;
        cache.paintedOnce = false;
        pictureBytes_ -= cache.picture.sizeInBytes();
        cache.picture = QImage();
    }
    return cache.layout;
}

void DiagramRenderer::paintElements(QPainter& painter, const QRect& area, bool screen) {
    if (screen && pictureBytes_ > kPictureBudget) dropPictures();
    for (int i : elementsIn(area)) paintElement(painter, i, screen);
}

void DiagramRenderer::paintElement(QPainter& painter, int i, bool screen) {
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

void DiagramRenderer::dropPictures() {
    for (ElementCache& cache : elements_) cache.picture = QImage();
    pictureBytes_ = 0;
}

QPixmap DiagramRenderer::elementPicture(int i, const QColor& background) {
    const QRect rect = elementRect(i);
    if (rect.isEmpty()) return QPixmap();
    QPixmap picture(rect.size());
    picture.fill(background);
    QPainter painter(&picture);
    paintShape(painter, QPoint(), elementLayout(i), toQColor(d_.shownColour(i)),
               toQColor(d_.element(i).ForeColor));
    return picture;
}

// ---- Following the diagram ----

void DiagramRenderer::highlightsChanged() {
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

void DiagramRenderer::elementChanged(int i) {
    if (!d_.isElement(i)) return;
    // Entries loaded but not yet announced are taken in too, so the canvas always knows every
    // loaded element.
    if (size_t(i) >= elements_.size()) {
        const int first = int(std::max<size_t>(elements_.size(), 1));
        elements_.resize(size_t(i) + 1);
        for (int j = first; j < i; ++j) elementChanged(j);
    }
    keyLooksFollow(i);
    definingCaptionFollows(i);
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

const DiagramRenderer::ConnectorCache& DiagramRenderer::connectorCache(int k) const {
    if (connectors_[size_t(k)].generation != placeGeneration_) refreshConnectorCache(k);
    return connectors_[size_t(k)];
}

QStaticText DiagramRenderer::labelText(const Label& label) const {
    if (!labelShown(label)) return QStaticText();
    return preparedText(label.Caption);
}

QStaticText DiagramRenderer::preparedText(const QString& caption) const {
    const QFont font = zoomedFont(d_.labelFont());
    if (font != labelTextFont_) {
        labelTexts_.clear();
        labelPictures_.clear();
        labelTextFont_ = font;
    }
    auto text = labelTexts_.constFind(caption);
    if (text != labelTexts_.constEnd()) return *text;
    QStaticText prepared;
    prepared.setTextFormat(Qt::PlainText);
    prepared.setText(caption);
    prepared.prepare(QTransform(), font);
    return labelTexts_.insert(caption, prepared).value();
}

void DiagramRenderer::refreshConnectorCache(int k) const {
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
    cache.defining = QStaticText();
    if (c.isClassLink() && c.Line1.Visible) {
        const QLineF line = pixelLine(c.Line1, mapping_);
        if (c.kind == ConnectorKind::Subclass)
            bounds |= subsetMark(line, kSubsetRadius * mapping_.pixelsPerUnitX()).boundingRect();
        if (const QString caption = definingCaption(d_.document(), c); !caption.isEmpty()) {
            cache.defining = preparedText(caption);
            const QSizeF size = cache.defining.size();
            bounds |=
                QRectF(besideLine(line, size, kDefiningGap * mapping_.pixelsPerUnitX()), size);
            definingShownBy_.insert(d_.element(c.second).DefiningAttribute, k);
        }
    }
    const bool drawsSomething =
        c.Line1.Visible || c.Line2.Visible || labelShown(c.MN) || labelShown(c.Description);
    // A margin for the pen and for text that antialiasing lets spill over its box.
    cache.bounds = drawsSomething ? pixelRect(bounds, true).adjusted(-2, -2, 2, 2) : QRect();
    cache.generation = placeGeneration_;
}

void DiagramRenderer::keyLooksFollow(int i) {
    // An owner that became a weak entity, or stopped being one, turns its key attributes into
    // partial keys or back; so does an attribute joining or leaving its owner.
    for (int k : d_.connectorsOf(i)) {
        const Connector& c = d_.connector(k);
        const int attribute = c.isAttribute() ? c.second : 0;
        if (attribute == 0 || attribute == i || size_t(attribute) >= elements_.size() ||
            layoutFits(attribute))
            continue;
        elements_[size_t(attribute)].generation = 0;
        if (d_.element(attribute).Visible)
            repaintLater(elementRect(attribute).adjusted(-1, -1, 1, 1));
    }
}

void DiagramRenderer::definingCaptionFollows(int i) {
    if (d_.element(i).isSpecializationKind())
        for (int k : d_.connectorsOf(i))
            if (d_.connector(k).isClassLink()) connectorChanged(k);
    if (!definingShownBy_.contains(i)) return;
    const QList<int> lines = definingShownBy_.values(i);
    definingShownBy_.remove(i);
    for (int k : lines)
        if (d_.isConnector(k)) connectorChanged(k);
}

void DiagramRenderer::connectorChanged(int k) {
    if (!d_.isConnector(k)) return;
    keyLooksFollow(d_.connector(k).first);
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

void DiagramRenderer::trimToModel() {
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

void DiagramRenderer::reset() {
    repaints_.clear();
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
}

// ---- Connectors and labels ----

const QPen& DiagramRenderer::penFor(const Line& line) {
    for (const LinePen& entry : pens_)
        if (entry.colour == line.BorderColor && entry.style == line.BorderStyle) return entry.pen;
    // A diagram uses a handful of line kinds; the list stays short.
    QPen pen(toQColor(line.BorderColor), 1, penStyleOf(line.BorderStyle));
    pen.setCosmetic(true);
    pens_.push_back({line.BorderColor, line.BorderStyle, pen});
    return pens_.back().pen;
}

void DiagramRenderer::paintConnectors(QPainter& painter, const QRect& area, bool screen) {
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
    // The subset marks of subclass lines, in their lines' colour.
    painter.setBrush(Qt::NoBrush);
    const double subsetRadius = kSubsetRadius * mapping_.pixelsPerUnitX();
    for (int k : shown) {
        const Connector& c = d_.connector(k);
        if (c.kind != ConnectorKind::Subclass || !c.Line1.Visible) continue;
        painter.setPen(penFor(c.Line1));
        painter.drawPath(subsetMark(pixelLine(c.Line1, mapping_), subsetRadius));
    }

    const QColor ink = ink_;
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
        if (!cache.defining.text().isEmpty())
            painter.drawStaticText(besideLine(pixelLine(c.Line1, mapping_), cache.defining.size(),
                                              kDefiningGap * mapping_.pixelsPerUnitX()),
                                   cache.defining);
    }
}

const QImage& DiagramRenderer::labelPicture(const QString& caption, const QStaticText& text,
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

// ---- The whole drawing ----

void DiagramRenderer::paintDiagram(QPainter& painter, const QRect& area, const QColor& background) {
    if (area.isEmpty()) return;
    painter.save();
    painter.fillRect(QRect(QPoint(), area.size()), background);
    painter.translate(-area.topLeft());
    // The shapes are painted as lines and text, so a vector device keeps them as such.
    paintConnectors(painter, area);
    paintElements(painter, area);
    painter.restore();
}

QFont DiagramRenderer::zoomedFont(QFont font) const {
    const double zoom = zoom_;
    if (zoom == 1) return font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * zoom)));
    return font;
}

QRectF DiagramRenderer::connectorExtent(int k) const {
    const Connector& c = d_.connector(k);
    QRectF extent;
    if (!c.Line1.Visible) return extent;
    for (const Label* label : {&c.MN, &c.Description})
        if (labelShown(*label))
            extent |= QRectF(label->Left, label->Top, label->Width, label->Height);
    if (const QString caption = definingCaption(d_.document(), c); !caption.isEmpty()) {
        const QSizeF size = labelSize(caption);
        const QLineF line(c.Line1.X1, c.Line1.Y1, c.Line1.X2, c.Line1.Y2);
        extent |= QRectF(besideLine(line, size, kDefiningGap), size);
    }
    return extent;
}

void DiagramRenderer::extentReplaced(const QRectF& before, const QRectF& after) {
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

const QRectF& DiagramRenderer::drawingExtent() {
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

bool DiagramRenderer::overLabel(const QPointF& pos) const {
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

std::vector<int> DiagramRenderer::elementsInside(const QRect& band) const {
    const QRectF area(mapping_.toLogical(band.topLeft()), mapping_.toLogical(band.bottomRight()));
    std::vector<int> inside;
    for (int i : grid_.within(area))
        if (d_.element(i).Visible && area.contains(elementArea(i))) inside.push_back(i);
    return inside;
}
