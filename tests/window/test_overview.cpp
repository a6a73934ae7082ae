// The overview dock: the whole diagram on the map, the canvas's visible area framed on it, and
// the canvas following a drag of the frame and a click beside it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include "canvas.h"
#include "fakeprompts.h"
#include "form1.h"
#include "overview.h"
#include "sampleprojects.h"

namespace {

void mouse(QWidget* widget, QEvent::Type type, QPointF pos) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void expectNear(QPointF actual, QPointF expected, double tolerance, const char* what) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance) << what;
    EXPECT_NEAR(actual.y(), expected.y(), tolerance) << what;
}

TEST(Overview, FramesTheVisibleAreaAndMovesTheCanvasWhenDraggedOrClicked) {
    FakePrompts prompts;
    Workspace workspace(prompts);
    Form1 form(workspace);
    form.resize(900, 650);
    form.show();
    OverviewDock* dock = form.overviewDock();
    ASSERT_TRUE(dock && dock->isHidden()) << "hidden until asked for";
    dock->toggleViewAction()->trigger();
    OverviewMap* map = dock->map();
    map->resize(240, 180);
    openSample(workspace.editor(), SampleProject::Company);
    Canvas* canvas = form.canvas();
    canvas->setZoom(2);
    QCoreApplication::processEvents();
    ASSERT_TRUE(map->isStale()) << "a changed diagram waits for the pause";
    map->refresh();

    // The whole diagram lies on the map, at one scale across and down.
    const ScaleMapping& m = map->mapping();
    EXPECT_DOUBLE_EQ(m.pixelsPerUnitX(), m.pixelsPerUnitY());
    const Diagram& d = workspace.diagram();
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        EXPECT_TRUE(
            QRectF(map->rect()).contains(m.toPixels(QRectF(e.Left, e.Top, e.Width, e.Height))))
            << e.Caption.toStdString();
    }
    const double scale = m.pixelsPerUnitX();

    // The frame is the visible area, and follows scrolling without a new picture.
    const QRectF before = canvas->visibleArea();
    expectNear(map->viewFrame().topLeft(), m.toPixels(before.topLeft()), 1e-6, "frame");
    expectNear(map->viewFrame().bottomRight(), m.toPixels(before.bottomRight()), 1e-6, "frame");
    canvas->scrollByPixels(QPointF(200, 100));  // 100 by 50 units at 200 %
    expectNear(map->viewFrame().topLeft(), m.toPixels(before.topLeft() + QPointF(100, 50)), 1e-6,
               "frame after scrolling");
    EXPECT_FALSE(map->isStale());

    // Dragging the frame by 30 by 20 map pixels scrolls the canvas by as many drawing units as
    // those pixels show.
    const QRectF frame = map->viewFrame();
    const QPointF grip = frame.center() + QPointF(5, -3);
    const QPointF centre = canvas->visibleArea().center();
    mouse(map, QEvent::MouseButtonPress, grip);
    expectNear(canvas->visibleArea().center(), centre, 1e-6, "a press on the frame moves nothing");
    mouse(map, QEvent::MouseMove, grip + QPointF(30, 20));
    mouse(map, QEvent::MouseButtonRelease, grip + QPointF(30, 20));
    expectNear(canvas->visibleArea().center(), centre + QPointF(30, 20) / scale, 1e-6, "dragged");

    // A click beside the frame centres the canvas there.
    const QPointF beside = map->viewFrame().bottomRight() + QPointF(15, 10);
    ASSERT_TRUE(map->rect().contains(beside.toPoint()));
    mouse(map, QEvent::MouseButtonPress, beside);
    mouse(map, QEvent::MouseButtonRelease, beside);
    expectNear(canvas->visibleArea().center(), m.toLogical(beside), 1e-6, "centred");
}

}  // namespace
