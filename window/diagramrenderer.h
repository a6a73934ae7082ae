#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QStaticText>
#include <optional>
#include <utility>
#include <vector>

#include "diagram.h"
#include "drawingscale.h"
#include "elementgrid.h"
#include "shapepainter.h"

class QPainter;
class QPixmap;

// Paints a diagram through a scale mapping: the connector lines and labels, then each element as
// Glyphon's shape painter draws its kind (no widget per element, so a diagram of any size paints
// at the cost of what is in view), in the colour the editing session shows it in (a connect
// mode's highlight over the element's own colour). It keeps what painting needs between paints
// (layouts, pictures of elements and label texts, a spatial index of the elements) and follows
// the diagram's change sets; no widget and no input handling: the canvas shows through one, and
// pictures of the drawing are painted with another.
class DiagramRenderer {
public:
    explicit DiagramRenderer(const Diagram& diagram);

    const Diagram& diagram() const { return d_; }

    // Drawing units to pixels, and the zoom texts are scaled by. Returns whether the mapping
    // changed (then every element and connector is placed again when next painted).
    bool setMapping(const ScaleMapping& mapping, double zoom);
    const ScaleMapping& mapping() const { return mapping_; }
    // The colour label texts are drawn in.
    void setInk(const QColor& ink) { ink_ = ink; }
    // The font element i's caption is drawn in at the zoom in force.
    QFont captionFont(int i) const { return zoomedFont(d_.element(i).Font); }

    // ---- Following the diagram ----
    // Reads everything again.
    void reset();
    // Drops what belongs to entries the diagram no longer has.
    void trimToModel();
    void elementChanged(int i);
    void connectorChanged(int k);
    // Notes the elements whose highlight, or its colour, changed since last called.
    void highlightsChanged();
    // The pixel areas that need painting again after the changes read since the last call.
    std::vector<QRect> takeRepaints() { return std::exchange(repaints_, {}); }
    // How many elements it knows: those past it are new to it.
    int elementsKnown() const { return int(elements_.size()); }

    // ---- Places ----
    // Where element i shows, in pixels; empty when it is hidden or not loaded.
    QRect elementRect(int i) const;
    // Element i's rectangle in drawing units.
    QRectF elementArea(int i) const;
    // The visible elements that meet the pixel rectangle `area`, in painting order.
    std::vector<int> elementsIn(const QRect& area) const;
    // The element on top at pixel `pos`; 0 when there is none.
    int elementAt(const QPointF& pos) const;
    // The live elements whose boxes lie inside the pixel rectangle `band`.
    std::vector<int> elementsInside(const QRect& band) const;
    // Whether pixel `pos` lies on a participation or role label.
    bool overLabel(const QPointF& pos) const;
    // The bounding rectangle of everything drawn, in drawing units; empty when nothing is.
    const QRectF& drawingExtent();

    // ---- Painting ----
    // Connectors, then elements, that meet the pixel rectangle `area`, onto `painter` with the
    // rectangle's top-left corner at its origin, over `background`. The shapes are painted as
    // lines and text, so a vector device keeps them as such.
    void paintDiagram(QPainter& painter, const QRect& area, const QColor& background);
    // The screen's way: through pictures made once per element look and label text.
    void paintConnectors(QPainter& painter, const QRect& area, bool screen = false);
    void paintElements(QPainter& painter, const QRect& area, bool screen = false);
    // The layout element i is painted with, made again first when it is out of date.
    const ShapeLayout& elementLayout(int i);
    // The picture of element i alone over `background`, as a drag shows it.
    QPixmap elementPicture(int i, const QColor& background);

private:
    // What paint needs of one connector, kept between paints and made again when the
    // connector changes or the drawing moves on the screen (then `generation` is behind).
    struct ConnectorCache {
        quint32 generation = 0;
        QRect bounds;  // everything it draws, in pixels; empty when it draws nothing
        QStaticText mn, description;
        QStaticText defining;  // a superclass line's defining attribute
        // What it adds to the drawing's extent, in drawing units, once measured.
        std::optional<QRectF> extent;
    };
    // One element laid out for painting at the drawing's current scale, made when it is first
    // painted after a change of the element or of the scale (then `generation` is behind).
    struct ElementCache {
        quint32 generation = 0;
        ShapeLayout layout;
        QRectF area;         // where it is filed in the grid, in drawing units
        bool filed = false;  // shown, and so filed
        // The element painted once more with the same layout and colours is kept as a picture,
        // which later paints copy instead of drawing outline and text again.
        bool paintedOnce = false;
        QImage picture;
        OleColor back = 0, ink = 0;  // the colours painted with
    };
    struct LinePen {
        OleColor colour;
        qint16 style;
        QPen pen;
    };

    void repaintLater(const QRect& area) { repaints_.push_back(area); }
    // Lays out again the key attributes of owner i whose partial-key look changed.
    void keyLooksFollow(int i);
    QFont zoomedFont(QFont font) const;
    // Whether element i's layout is still the one the model asks for.
    bool layoutFits(int i) const;
    void paintElement(QPainter& painter, int i, bool screen);
    // Lets go of every element picture, and of the memory they hold.
    void dropPictures();
    // The connector's cache, made again first when it is out of date.
    const ConnectorCache& connectorCache(int k) const;
    void refreshConnectorCache(int k) const;
    // Label texts laid out once per text: the same "1,N" serves every connector that shows it.
    QStaticText labelText(const Label& label) const;
    QStaticText preparedText(const QString& caption) const;
    // A circle's lines follow its defining attribute, and the superclass line showing a
    // defining attribute follows that attribute's caption.
    void definingCaptionFollows(int i);
    const QImage& labelPicture(const QString& caption, const QStaticText& text, const QColor& ink,
                               qreal ratio) const;
    const QPen& penFor(const Line& line);
    // The labels of connector k as the extent counts them.
    QRectF connectorExtent(int k) const;
    // Keeps the extent up to date when something that covered `before` now covers `after`.
    void extentReplaced(const QRectF& before, const QRectF& after);

    const Diagram& d_;
    ScaleMapping mapping_;
    double zoom_ = 1;
    QColor ink_ = Qt::black;
    std::vector<ElementCache> elements_;  // index = element index; [0] stays unused
    ElementGrid grid_;
    // Caches made as they are first needed, by const code too.
    mutable std::vector<ConnectorCache> connectors_;
    // Bumped when the element layouts (the scale) or the connectors' pixel places (any change
    // of the mapping) go out of date; caches behind it are made again when next needed.
    quint32 layoutGeneration_ = 1;
    quint32 placeGeneration_ = 1;
    mutable QHash<QString, QStaticText> labelTexts_;
    // Defining attribute -> the superclass lines that showed its caption when last measured.
    mutable QMultiHash<int, int> definingShownBy_;
    mutable QFont labelTextFont_;  // the font labelTexts_ are laid out in
    mutable QHash<QString, QImage> labelPictures_;
    mutable QColor labelPictureInk_;
    mutable qreal labelPictureRatio_ = 0;
    qint64 pictureBytes_ = 0;  // memory the element pictures hold
    std::vector<LinePen> pens_;
    // The highlights and their colours as last noted.
    Highlights highlights_;
    std::pair<OleColor, OleColor> highlightColours_;  // candidate, selected
    std::vector<QRect> repaints_;
    QRectF extent_;  // drawingExtent(), measured when the model last changed
    bool extentStale_ = true;
};
