#pragma once

#include <QHash>
#include <QImage>
#include <QMargins>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QStaticText>
#include <QWidget>
#include <optional>
#include <vector>

#include "diagram.h"
#include "drawingscale.h"
#include "editor.h"
#include "elementgrid.h"
#include "shapepainter.h"
#include "viewport.h"

class ElementMenus;
class QMenu;
class QMimeData;
class QRubberBand;
class QScrollBar;
class QTimer;

// The drawing area. Paints the model: the connector lines and labels, then each element as the
// shape control would draw it (without a widget per element, so that a diagram of any size
// paints at the cost of what is in view), and turns mouse and drag-and-drop events on the
// elements and the bare area into Editor calls. Coordinates of the model are drawing units, which
// the drawing scale maps onto this widget's pixels (until a scale is set one unit is one pixel,
// origin 0,0), seen through the viewport: zoom and scrolling, with scroll bars along the right and
// bottom edges.
class Canvas : public QWidget {
    Q_OBJECT
public:
    // The mime type of a dragged element: the canvas it comes from and its index.
    static const QString kElementMimeType;

    Canvas(const Diagram& diagram, Editor& editor, QWidget* parent = nullptr);

    // The diagram shown.
    const Diagram& diagram() const { return d_; }

    // The menus a right click pops up; without them right clicks still reach the editor.
    void setMenus(ElementMenus* menus) { menus_ = menus; }

    // Widgets placed on the drawing area that stay above every element (buttons, legend).
    void addOverlay(QWidget* widget);

    // The drawing scale in force: the canvas's own pixel rectangle until a scale is set.
    DrawingScale scale() const;
    // Fixes the logical rectangle the drawing area shows, stretched onto its pixels whatever its
    // size from now on. A scale without width or height is ignored.
    void setScale(const DrawingScale& scale);
    // Drawing units to pixels as shown: the drawing scale through the viewport.
    const ScaleMapping& mapping() const { return mapping_; }

    // ---- Zoom and scrolling ----
    double zoom() const { return view_.zoom(); }
    // Zoom steps in (positive) or out around pixel `anchor` (the centre by default).
    void stepZoom(double steps, std::optional<QPointF> anchor = std::nullopt);
    void setZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
    // Zooms and scrolls so the whole drawing shows.
    void fitToDrawing();
    void scrollByPixels(const QPointF& pixels);
    // Scrolls as little as needed to show element i.
    void ensureVisible(int i);
    // Draws a bright frame around the drawing rectangle `area` for a moment: "here it is".
    void flash(const QRectF& area);
    // The drawing rectangle the canvas shows (scroll bars not subtracted).
    QRectF visibleArea() const;
    // Pixels the scroll bars take at the right and bottom edges (0 while hidden); overlays stay
    // clear of them.
    QSize scrollBarInsets() const;
    // Edges of the canvas that buttons cover: new elements are not placed there.
    void setPlacementMargins(const QMargins& margins);
    QScrollBar* horizontalScrollBar() const { return hbar_; }
    QScrollBar* verticalScrollBar() const { return vbar_; }

    // The picture of the drawing rectangle `area` at 100 % zoom: what Capture takes, whatever
    // the view shows.
    QPixmap renderAtFullSize(const QRectF& area);
    // The pixel size of the drawing rectangle `area` at 100 % zoom.
    QSize fullSize(const QRectF& area) const;
    // Paints that picture onto `painter`, its top-left corner at the painter's origin, on any
    // paint device: texts stay texts where the device keeps them (SVG, PDF).
    void paintAtFullSize(QPainter& painter, const QRectF& area);

    // Where element i shows, in pixels; empty when it is hidden or not loaded.
    QRect elementRect(int i) const;
    // The element on top at pixel `pos`, 0 when there is none (buttons and the legend above the
    // drawing do not count: see childAt).
    int elementAt(const QPointF& pos) const;
    // The picture of element i alone, as a drag shows it.
    QPixmap elementPicture(int i);
    // The selected element (the one that last received a left click), if it is still live; 0
    // otherwise.
    int focusElement() const;

    // What a drag of element i carries; only this canvas takes it.
    QMimeData* elementMimeData(int i) const;

    // A dragged element i let go at pixel `pos`. Only the bare drawing area (or the dragged
    // element's own old place) takes a drop; over another control or a label nothing happens.
    // Returns whether the drop reached the editor.
    bool dropAt(int i, const QPointF& pos);
    // Whether a drop of element i at `pos` would be taken.
    bool acceptsDropAt(int i, const QPointF& pos) const;

    // Right button down on the bare drawing area at pixel `pos`: the editor's connector hit test,
    // then the Line menu at `globalPos`. Returns the menu shown, or nullptr.
    QMenu* rightClickAt(const QPointF& pos, const QPoint& globalPos);

    // Paints connectors and elements that lie in the pixel rectangle `area` into a picture of
    // that size, as the screen shows them without buttons and legend.
    QPixmap renderDiagram(const QRect& area);
    // The same onto `painter`, the rectangle's top-left corner at the painter's origin, the
    // background filled first.
    void paintDiagram(QPainter& painter, const QRect& area);

Q_SIGNALS:
    // The canvas changed size, or a scroll bar appeared or went.
    void resized();
    void zoomChanged(double zoom);
    void scrollBarsChanged();
    // A dragged element was dropped and the editor has moved it.
    void elementDropped(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What paint needs of one connector, kept between paints and made again when the
    // connector changes or the drawing moves on the screen (then `generation` is behind).
    struct ConnectorCache {
        quint32 generation = 0;
        QRect bounds;  // everything it draws, in pixels; empty when it draws nothing
        QStaticText mn, description;
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

    void onChanged(const DiagramChange& change);
    // Repaints the elements whose highlight, or its colour, changed since the last change.
    void refreshHighlights();
    // Repaints where selection frames were and are, after the selection or an element moved.
    void refreshSelectionFrames();
    void paintSelectionFrames(QPainter& painter, const QRect& area);
    void onElementChanged(int i);
    void onConnectorChanged(int k);
    void onReset();
    // Drops the caches of entries the model no longer has.
    void trimToModel();
    // Pixel areas to repaint after a change, gathered and handed to update() at once: many small
    // areas become their common bounds rather than a region of thousands of rectangles.
    void repaintLater(const QRect& area);
    void flushRepaints();
    // Maps the model again after the scale, the view or the canvas size changed.
    void applyMapping();
    ScaleMapping baseMapping() const;
    // The bounding rectangle of everything drawn, in drawing units; empty when nothing is.
    const QRectF& drawingExtent();
    // The labels of connector k as the extent counts them.
    QRectF connectorExtent(int k) const;
    // Keeps the extent up to date when something that covered `before` now covers `after`.
    void extentReplaced(const QRectF& before, const QRectF& after);
    void setView(const Viewport& view);
    // Scroll bars follow the drawing's extent and the view, once the running handler is done.
    void queueScrollBars();
    void updateScrollBars();
    void scrollBarMoved(Qt::Orientation orientation, int value);
    QFont zoomedFont(QFont font) const;
    // Tells the editor the drawing rectangle new elements may go to.
    void reportVisibleArea();

    // Element i's rectangle in drawing units.
    QRectF elementArea(int i) const;
    const ShapeLayout& elementLayout(int i);
    // Whether element i's layout is still the one the model asks for.
    bool layoutFits(int i) const;
    // The visible elements that meet the pixel rectangle `area`, in painting order.
    std::vector<int> elementsIn(const QRect& area) const;
    // Paints the elements meeting `area`; on the screen (`screen`) through their pictures.
    void paintElements(QPainter& painter, const QRect& area, bool screen = false);
    void paintElement(QPainter& painter, int i, bool screen);
    // Lets go of every element picture, and of the memory they hold.
    void dropPictures();
    // The connector's cache, made again first when it is out of date.
    const ConnectorCache& connectorCache(int k) const;
    void refreshConnectorCache(int k) const;
    // Label texts laid out once per text: the same "1,N" serves every connector that shows it.
    QStaticText labelText(const Label& label) const;
    // Paints the connectors meeting `area`; on the screen (`screen`) each label text through a
    // picture made once per text.
    void paintConnectors(QPainter& painter, const QRect& area, bool screen = false);
    const QImage& labelPicture(const QString& caption, const QStaticText& text, const QColor& ink,
                               qreal ratio) const;
    const QPen& penFor(const Line& line);

    // Mouse events on element i, with pixels from its top-left corner.
    void elementMouseDown(int i, qint16 button, qint16 shift, float x, float y);
    // The live elements whose boxes lie inside the pixel rectangle `band`.
    std::vector<int> elementsInside(const QRect& band) const;
    void elementMouseMove(int i, qint16 button, float x, float y);
    void elementMouseUp(int i, qint16 button);
    void beginDrag(int i);
    QByteArray dragOrigin() const;
    // The element index a drag carries, 0 when the data is not one of ours.
    int draggedIndex(const QMimeData* mime) const;
    bool overLabel(const QPointF& pos) const;
    // Where `pos` lies in element i, in the element's pixels.
    QPointF inElement(int i, const QPointF& pos) const;

    const Diagram& d_;
    Editor& editor_;
    ElementMenus* menus_ = nullptr;
    std::vector<ElementCache> elements_;  // index = element index; [0] stays unused
    ElementGrid grid_;
    // Caches made as they are first needed, by const code too.
    mutable std::vector<ConnectorCache> connectors_;
    // Bumped when the element layouts (the scale) or the connectors' pixel places (any change
    // of the mapping) go out of date; caches behind it are made again when next needed.
    quint32 layoutGeneration_ = 1;
    quint32 placeGeneration_ = 1;
    mutable QHash<QString, QStaticText> labelTexts_;
    mutable QFont labelTextFont_;  // the font labelTexts_ are laid out in
    mutable QHash<QString, QImage> labelPictures_;
    mutable QColor labelPictureInk_;
    mutable qreal labelPictureRatio_ = 0;
    std::vector<QRect> pendingRepaints_;
    qint64 pictureBytes_ = 0;  // memory the element pictures hold
    std::vector<QWidget*> overlays_;
    struct LinePen {
        OleColor colour;
        qint16 style;
        QPen pen;
    };
    std::vector<LinePen> pens_;

    int pressElement_ = 0;
    // The element that took the first button press: it receives the moves and the release until
    // every button is up, as a widget of its own would.
    int grabbedElement_ = 0;
    // The highlights and their colours as last painted.
    Highlights highlights_;
    std::pair<OleColor, OleColor> highlightColours_;  // candidate, selected
    // The selection frames last painted: element and pixel rectangle.
    std::vector<std::pair<int, QRect>> frames_;
    QPointF pressPoint_;
    bool dragging_ = false;

    bool userScale_ = false;
    DrawingScale scale_;
    Viewport view_;
    ScaleMapping mapping_;
    double preparedZoom_ = 1;  // the zoom the label texts were prepared at
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    bool scrollBarsQueued_ = false;
    bool settingScrollBars_ = false;
    QMargins placementMargins_;
    QRectF extent_;  // drawingExtent(), measured when the model last changed
    bool extentStale_ = true;
    QRectF flashArea_;  // drawing units; empty when nothing flashes
    QTimer* flashTimer_ = nullptr;
    // A drag on the bare drawing area selects what its rubber band encloses.
    QRubberBand* band_ = nullptr;
    QPoint bandOrigin_;
    bool bandAdds_ = false;  // Ctrl held: the enclosed elements join the selection
};
