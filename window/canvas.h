#pragma once

#include <QMargins>
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <optional>
#include <vector>

#include "diagram.h"
#include "diagramrenderer.h"
#include "drawingscale.h"
#include "editor.h"
#include "viewport.h"

class CaptionEdit;
class ElementMenus;
class QMenu;
class QMimeData;
class QRubberBand;
class QScrollBar;
class QTimer;

// The drawing area. Shows the model through a DiagramRenderer (which paints connectors, labels and
// elements) with the selection frames above it, and turns mouse and drag-and-drop events on the
// elements and the bare area into Editor calls (canvasinput.cpp). Coordinates of the model are
// drawing units, which the drawing scale maps onto this widget's pixels (until a scale is set one
// unit is one pixel, origin 0,0), seen through the viewport: zoom and scrolling, with scroll bars
// along the right and bottom edges.
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
    const ScaleMapping& mapping() const { return renderer_.mapping(); }

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
    // The grid (檢視 -> 顯示格線), GridSize drawing units apart, under the drawing; on screen
    // only, never in pictures or prints.
    void setGridShown(bool shown);
    bool gridShown() const { return gridShown_; }
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
    // paint device: texts stay texts where the device keeps them (SVG, PDF). Over the canvas's
    // own colour, or over `background` with labels in `ink` when given.
    void paintAtFullSize(QPainter& painter, const QRectF& area);
    void paintAtFullSize(QPainter& painter, const QRectF& area, const QColor& background,
                         const QColor& ink);

    // Where element i shows, in pixels; empty when it is hidden or not loaded.
    QRect elementRect(int i) const { return renderer_.elementRect(i); }
    // The element on top at pixel `pos`, 0 when there is none (buttons and the legend above the
    // drawing do not count: see childAt).
    int elementAt(const QPointF& pos) const { return renderer_.elementAt(pos); }
    // ---- Renaming in place (F2, a double click) ----
    // Opens the caption box over live element i (see CaptionEdit); nothing while a connect mode
    // runs, whose clicks are picks.
    void editCaption(int i);
    CaptionEdit* captionEdit() const { return captionEdit_; }
    QFont captionFont(int i) const { return renderer_.captionFont(i); }

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
    // The part of the drawing shown moved: scrolled or zoomed.
    void viewChanged();
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
    void onChanged(const DiagramChange& change);
    // Repaints where selection frames were and are, after the selection or an element moved.
    void refreshSelectionFrames();
    void paintSelectionFrames(QPainter& painter, const QRect& area);
    // Hands the areas the renderer needs painted again to update() at once: many small areas
    // become their common bounds rather than a region of thousands of rectangles.
    void flushRepaints();
    // Maps the model again after the scale, the view or the canvas size changed.
    void applyMapping();
    ScaleMapping baseMapping() const;
    void setView(const Viewport& view);
    // Scroll bars follow the drawing's extent and the view, once the running handler is done.
    void queueScrollBars();
    void updateScrollBars();
    void scrollBarMoved(Qt::Orientation orientation, int value);
    // Tells the editor the drawing rectangle new elements may go to.
    void reportVisibleArea();

    // Mouse events on element i, with pixels from its top-left corner.
    void elementMouseDown(int i, qint16 button, qint16 shift, float x, float y);
    void elementMouseMove(int i, qint16 button, float x, float y);
    void elementMouseUp(int i, qint16 button);
    void beginDrag(int i);
    QByteArray dragOrigin() const;
    // The element index a drag carries, 0 when the data is not one of ours.
    int draggedIndex(const QMimeData* mime) const;
    // Where `pos` lies in element i, in the element's pixels.
    QPointF inElement(int i, const QPointF& pos) const;

    const Diagram& d_;
    Editor& editor_;
    DiagramRenderer renderer_;
    ElementMenus* menus_ = nullptr;
    CaptionEdit* captionEdit_ = nullptr;
    std::vector<QWidget*> overlays_;

    int pressElement_ = 0;
    // The element that took the first button press: it receives the moves and the release until
    // every button is up, as a widget of its own would.
    int grabbedElement_ = 0;
    // The selection frames last painted: element and pixel rectangle.
    std::vector<std::pair<int, QRect>> frames_;
    QPointF pressPoint_;
    bool dragging_ = false;

    bool userScale_ = false;
    DrawingScale scale_;
    Viewport view_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    bool scrollBarsQueued_ = false;
    bool settingScrollBars_ = false;
    QMargins placementMargins_;
    bool gridShown_ = false;
    QRectF flashArea_;  // drawing units; empty when nothing flashes
    QTimer* flashTimer_ = nullptr;
    // A drag on the bare drawing area selects what its rubber band encloses.
    QRubberBand* band_ = nullptr;
    QPoint bandOrigin_;
    bool bandAdds_ = false;  // Ctrl held: the enclosed elements join the selection
};
