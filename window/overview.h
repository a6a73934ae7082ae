#pragma once

#include <QDockWidget>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <optional>

#include "diagramrenderer.h"
#include "drawingscale.h"

class Canvas;
class QTimer;
struct DiagramChange;

// The whole diagram scaled down, with the part the canvas shows framed. Dragging the frame
// scrolls the canvas with it; a press elsewhere centres the canvas there (and drags on from
// there). The map is painted by a DiagramRenderer of its own into a picture, which is made again
// only while the map is shown, after the diagram changed, and then at most once per
// kRefreshInterval: a diagram of tens of thousands of elements stays quick to edit with the map
// open. Scrolling and zooming the canvas move the frame alone.
class OverviewMap : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshInterval = 300;  // milliseconds
    static constexpr int kMargin = 6;             // pixels around the diagram on the map

    explicit OverviewMap(Canvas& canvas, QWidget* parent = nullptr);

    // The drawing rectangle the map shows (the diagram's extent, stretched to the map's shape),
    // and drawing units to the map's pixels.
    QRectF mappedArea() const { return area_; }
    const ScaleMapping& mapping() const { return mapping_; }
    // Where the canvas's visible area lies on the map, in the map's pixels.
    QRectF viewFrame() const;
    // Whether the picture waits to be made again.
    bool isStale() const { return stale_; }
    // Makes the picture now, whatever the pause.
    void refresh();

    QSize sizeHint() const override { return {240, 170}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void follow(const DiagramChange& change);
    // The picture is out of date: made again once the pause since the last one is over.
    void markStale();
    // Fits the mapped area to the drawing's extent and the map's size; returns whether it moved.
    bool fitArea();
    // Scrolls the canvas so that its visible area is centred on drawing point `centre`.
    void centreCanvasOn(const QPointF& centre);

    Canvas& canvas_;
    DiagramRenderer renderer_;
    QImage picture_;
    QRectF area_;
    ScaleMapping mapping_;
    bool stale_ = true;
    QTimer* pause_ = nullptr;
    // While the frame is dragged: the pressed point's offset from the frame's centre, in drawing
    // units.
    std::optional<QPointF> grab_;
};

// The dock holding the map, toggled from the View menu ("mnuOverview").
class OverviewDock : public QDockWidget {
    Q_OBJECT
public:
    explicit OverviewDock(Canvas& canvas, QWidget* parent = nullptr);
    OverviewMap* map() const { return map_; }

private:
    OverviewMap* map_ = nullptr;
};
