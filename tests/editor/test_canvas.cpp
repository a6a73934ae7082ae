#include <gtest/gtest.h>

#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollBar>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <set>

#include "canvas.h"
#include "editor.h"
#include "elementmenus.h"
#include "fakeprompts.h"
#include "form1.h"
#include "test_canvas_support.h"
#include "usercontrol1.h"

using canvastest::addConnector;
using canvastest::addElement;
using canvastest::clickElement;
using canvastest::mouseOnElement;
using canvastest::rightPress;

namespace {

// A bare canvas over its own diagram, for the mirroring and painting cases.
struct CanvasRig {
    Diagram d;
    FakePrompts prompts;
    Editor editor{d, prompts};
    Canvas canvas{d, editor};

    CanvasRig() {
        QPalette palette = canvas.palette();
        palette.setColor(QPalette::Window, Qt::white);
        canvas.setPalette(palette);
        canvas.resize(640, 480);
    }
};

int countPixels(const QImage& image, int y, int fromX, int toX, QColor colour) {
    int n = 0;
    for (int x = fromX; x <= toX; ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

// The canvas paints each element itself, without a control per element: what it paints must be
// what a shape control with the element's properties draws, for every kind and look.
TEST(CanvasTest, PaintsEachElementAsTheShapeControlDrawsIt) {
    CanvasRig rig;
    struct Look {
        int kind;
        QRectF box;
        qint32 inset;
        bool underlined;
        OleColor back;
        QString caption;
    };
    const Look looks[] = {
        {KindEntity, QRectF(10.6, 20.4, 73, 41.5), 5, false, 0xC0C0FF, "Customer"},
        {KindWeakEntity, QRectF(100, 20, 80, 40), 7, false, 0x00FF00, "Dependent"},
        {KindAttribute, QRectF(200, 20, 73, 41), 5, true, 0xFFFFFF, "Id"},
        {KindMultAttribute, QRectF(300, 20, 90, 41), 9, false, 0x80FFFF, "Phones"},
        {KindRelationship, QRectF(10, 120, 81, 41), 5, false, 0xFF8080, "Works_for"},
        {KindWeakRelationship, QRectF(110, 120, 100, 50), 6, false, 0xC0C0FF, "部門管理"},
        // A caption far wider than its shape, and insets larger than the shape.
        {KindAttribute, QRectF(250, 120, 30, 20), 5, false, 0xFFFFFF, "A very long caption"},
        {KindWeakEntity, QRectF(350, 120, 20, 14), 30, false, 0xC0C0FF, "X"},
        {KindWeakRelationship, QRectF(400, 120, 20, 20), -4, false, 0xC0C0FF, "odd inset"},
    };
    for (const Look& look : looks) {
        const int i = addElement(rig.d, look.kind, look.box, look.caption);
        Element& e = rig.d.element(i);
        e.RecWidth = e.EllWidth = e.DiaWidth = look.inset;
        e.BackColor = look.back;
        e.setUnderlined(look.underlined);
        rig.d.notifyElement(i);
        const QRect rect = rig.canvas.elementRect(i);
        EXPECT_EQ(rect, pixelRect(look.box)) << look.caption.toStdString();

        UserControl1 control;
        control.setAttribute(Qt::WA_NoSystemBackground, false);
        QPalette palette = control.palette();
        palette.setColor(QPalette::Window, Qt::white);
        control.setPalette(palette);
        control.setAutoFillBackground(true);
        control.setGeometry(rect);
        control.RecWidth = control.EllWidth = control.DiaWidth = look.inset;
        control.setBorderStyle(e.BorderStyle);
        control.setFont(e.Font);
        control.setCaption(e.Caption);
        control.setBackColor(e.BackColor);
        control.setForeColor(e.ForeColor);
        control.setShape(e.Shape);
        EXPECT_EQ(rig.canvas.renderDiagram(rect).toImage().convertToFormat(QImage::Format_RGB32),
                  control.grab().toImage().convertToFormat(QImage::Format_RGB32))
            << look.caption.toStdString();
        e.Visible = false;
        rig.d.notifyElement(i);
    }
}

TEST(CanvasTest, FollowsChangesAndHidesDeletedElements) {
    CanvasRig rig;
    const int i = addElement(rig.d, KindEntity, QRectF(100, 100, 73, 41));
    EXPECT_EQ(rig.canvas.elementRect(i), QRect(100, 100, 73, 41));
    EXPECT_EQ(rig.canvas.elementAt(QPointF(110, 110)), i);

    Element& e = rig.d.element(i);
    e.Width = 80.3f;
    e.Left = 200;
    rig.d.notifyElement(i);
    EXPECT_EQ(rig.canvas.elementRect(i), QRect(200, 100, 80, 41));
    EXPECT_EQ(rig.canvas.elementAt(QPointF(110, 110)), 0) << "the old place is bare";
    EXPECT_EQ(rig.canvas.elementAt(QPointF(279, 140)), i);

    e.Visible = false;
    rig.d.notifyElement(i);
    EXPECT_TRUE(rig.canvas.elementRect(i).isEmpty());
    EXPECT_EQ(rig.canvas.elementAt(QPointF(210, 110)), 0);
}

TEST(CanvasTest, TheLaterElementIsOnTopForPaintAndClicks) {
    CanvasRig rig;
    const int below = addElement(rig.d, KindEntity, QRectF(100, 100, 73, 41));
    const int above = addElement(rig.d, KindEntity, QRectF(130, 110, 73, 41));
    rig.d.element(below).BackColor = 0x00FF00;
    rig.d.element(above).BackColor = 0xFF0000;
    rig.d.notifyElement(below);
    rig.d.notifyElement(above);
    EXPECT_EQ(rig.canvas.elementAt(QPointF(150, 120)), above);
    EXPECT_EQ(rig.canvas.elementAt(QPointF(110, 105)), below);
    const QImage image = rig.canvas.renderDiagram(QRect(0, 0, 300, 200)).toImage();
    EXPECT_EQ(image.pixelColor(140, 138), QColor(0, 0, 255)) << "over the one below";
}

TEST(CanvasTest, EntriesLoadedBeforeTheAnnouncedOneAreKnownToo) {
    CanvasRig rig;
    const int hidden = rig.d.loadElement();
    const int shown = addElement(rig.d, KindRelationship, QRectF(50, 50, 80, 40));
    EXPECT_TRUE(rig.canvas.elementRect(hidden).isEmpty());
    EXPECT_FALSE(rig.canvas.elementRect(shown).isEmpty());
}

TEST(CanvasTest, ResetForgetsElementsTheModelNoLongerHas) {
    CanvasRig rig;
    for (int n = 0; n < 3; ++n) addElement(rig.d, KindEntity, QRectF(10 + 90 * n, 10, 73, 41));
    ASSERT_FALSE(rig.canvas.elementRect(3).isEmpty());
    rig.d.clear();
    EXPECT_TRUE(rig.canvas.elementRect(1).isEmpty());
    EXPECT_EQ(rig.canvas.elementAt(QPointF(20, 20)), 0);

    const int i = addElement(rig.d, KindAttribute, QRectF(10, 10, 73, 41));
    ASSERT_EQ(i, 1);
    EXPECT_EQ(rig.canvas.elementAt(QPointF(20, 20)), i);
}

// ---- Painting ----

// As many elements as a project may hold, every one of them in view: painted in one pass, with
// no widget of its own, and each still found under the pointer.
TEST(CanvasTest, PaintsTheLargestDiagramInOnePass) {
    CanvasRig rig;
    int last = 0;
    {
        const ChangeScope oneChange(rig.d);
        while (const int i = rig.d.loadElement()) {
            Element& e = rig.d.element(i);
            e.Shape = float(i % 6);
            e.Left = float(i % 200) * 25;
            e.Top = float(i / 200) * 12;
            e.Width = 20;
            e.Height = 10;
            e.Visible = true;
            last = i;
        }
    }
    ASSERT_EQ(last, 32767);
    rig.canvas.resize(1300, 600);
    rig.canvas.show();
    rig.canvas.fitToDrawing();
    rig.canvas.repaint();
    EXPECT_TRUE(rig.canvas.children().size() < 10) << "no widget per element";
    const QRect lastRect = rig.canvas.elementRect(last);
    EXPECT_TRUE(rig.canvas.rect().contains(lastRect));
    EXPECT_EQ(rig.canvas.elementAt(lastRect.center()), last);
    const QImage picture = rig.canvas.renderDiagram(rig.canvas.rect()).toImage();
    EXPECT_NE(picture.pixelColor(lastRect.center()), QColor(Qt::white));
}

// The screen paints elements through pictures kept between paints: whatever changed since, a
// repaint shows the element as it is now, exactly as painting it afresh does.
TEST(CanvasTest, RepaintsShowTheElementAsItIsNow) {
    CanvasRig rig;
    rig.canvas.show();
    const int i = addElement(rig.d, KindAttribute, QRectF(20, 20, 90, 41), "Name");
    const int k = addConnector(rig.d, 1, 1, QLineF(0, 100, 0, 100), 0x0000FF);
    Connector& c = rig.d.connector(k);
    rig.d.setLabelCaption(c.MN, "1,N");
    c.MN.Left = 200;
    c.MN.Top = 100;
    c.MN.Visible = true;
    rig.d.notifyConnector(k);
    // Texts in pictures are blended a little differently at their antialiased edges; anything
    // else (a stale colour, caption or outline) differs by far more.
    const auto shownAsPainted = [&rig] {
        const QRect area(0, 0, 300, 150);
        const QImage shown = rig.canvas.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage painted =
            rig.canvas.renderDiagram(area).toImage().convertToFormat(QImage::Format_RGB32);
        if (shown.size() != painted.size()) return false;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QColor a = shown.pixelColor(x, y), b = painted.pixelColor(x, y);
                if (std::abs(a.red() - b.red()) > 80 || std::abs(a.green() - b.green()) > 80 ||
                    std::abs(a.blue() - b.blue()) > 80)
                    return false;
            }
        return true;
    };
    const std::function<void(Element&)> changes[] = {
        [](Element&) {},
        [](Element& e) { e.BackColor = 0x00FF00; },
        [](Element& e) { e.Caption = "Phone numbers"; },
        [](Element& e) { e.Shape = KindMultAttribute; },
        [](Element& e) { e.Width = 120; },
        [](Element& e) { e.setUnderlined(true); },
    };
    for (const auto& change : changes) {
        change(rig.d.element(i));
        rig.d.notifyElement(i);
        for (int paint = 0; paint < 3; ++paint) EXPECT_TRUE(shownAsPainted()) << paint;
    }
    rig.canvas.setZoom(2, QPointF(0, 0));
    EXPECT_TRUE(shownAsPainted());
    QPalette palette = rig.canvas.palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    rig.canvas.setPalette(palette);
    EXPECT_TRUE(shownAsPainted()) << "labels follow the text colour";
}

// The canvas keeps the drawing's extent up to date change by change; fitting the drawing must
// come out as on a canvas that measures the whole drawing afresh.
TEST(CanvasTest, TheExtentFollowsEveryChangeAsAFreshMeasureDoes) {
    CanvasRig rig;
    std::mt19937 random(7);
    const auto coordinate = [&random] {
        return float(std::uniform_int_distribution(-300, 900)(random));
    };
    for (int n = 0; n < 12; ++n)
        addElement(rig.d, KindEntity, QRectF(coordinate(), coordinate(), 73, 41));
    for (int n = 0; n < 6; ++n) {
        const int k = addConnector(rig.d, 1, 2, QLineF(0, 0, 10, 10), 0x0000FF);
        rig.d.setLabelCaption(rig.d.connector(k).MN, "1,N");
        rig.d.connector(k).MN.Visible = true;
        rig.d.notifyConnector(k);
    }
    for (int step = 0; step < 300; ++step) {
        const int i = std::uniform_int_distribution(1, rig.d.elementCount() - 1)(random);
        const int k = std::uniform_int_distribution(1, rig.d.connectorCount() - 1)(random);
        switch (step % 4) {
            case 0:
                rig.d.element(i).Left = coordinate();
                rig.d.element(i).Top = coordinate();
                break;
            case 1:
                rig.d.element(i).Visible = !rig.d.element(i).Visible;
                break;
            case 2:
                rig.d.connector(k).MN.Left = coordinate();
                rig.d.connector(k).MN.Top = coordinate();
                break;
            default:
                rig.d.connector(k).Line1.Visible = !rig.d.connector(k).Line1.Visible;
                break;
        }
        rig.d.notifyElement(i);
        rig.d.notifyConnector(k);
        rig.canvas.fitToDrawing();
        Canvas fresh(rig.d, rig.editor);
        fresh.resize(rig.canvas.size());
        fresh.fitToDrawing();
        ASSERT_EQ(rig.canvas.visibleArea(), fresh.visibleArea()) << "step " << step;
    }
}

TEST(CanvasTest, PaintsVisibleLinesInTheirColourAndStyle) {
    CanvasRig rig;
    const QColor red(255, 0, 0), blue(0, 0, 255);
    const int solid = addConnector(rig.d, 1, 2, QLineF(10, 20, 190, 20), 0x0000FF);
    const int dotted = addConnector(rig.d, 1, 2, QLineF(10, 40, 190, 40), 0xFF0000, kLineDotted);
    const int hidden = addConnector(rig.d, 1, 2, QLineF(10, 60, 190, 60), 0x0000FF);
    rig.d.connector(hidden).Line1.Visible = false;
    rig.d.notifyConnector(hidden);
    // A doubled connector: its second line shows as well.
    Line& second = rig.d.connector(solid).Line2;
    second = rig.d.connector(solid).Line1;
    second.Y1 = second.Y2 = 80;
    second.Visible = true;
    rig.d.notifyConnector(solid);
    (void)dotted;

    const QImage image = rig.canvas.renderDiagram(QRect(0, 0, 200, 100)).toImage();
    EXPECT_EQ(countPixels(image, 20, 20, 180, red), 161);
    const int dots = countPixels(image, 40, 20, 180, blue);
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 130) << "a dotted line leaves gaps";
    EXPECT_EQ(countPixels(image, 60, 20, 180, red), 0);
    EXPECT_EQ(countPixels(image, 80, 20, 180, red), 161);
}

TEST(CanvasTest, PaintsVisibleLabelCaptionsAtTheirPlace) {
    CanvasRig rig;
    const int k = addConnector(rig.d, 1, 2, QLineF(0, 0, 0, 0), 0x0000FF);
    Connector& c = rig.d.connector(k);
    c.Line1.Visible = false;
    rig.d.setLabelCaption(c.MN, "1,N");
    c.MN.Left = 40;
    c.MN.Top = 10;
    c.MN.Visible = true;
    rig.d.setLabelCaption(c.Description, "manager");
    c.Description.Left = 40;
    c.Description.Top = 60;
    c.Description.Visible = false;
    rig.d.notifyConnector(k);

    const QImage image = rig.canvas.renderDiagram(QRect(0, 0, 200, 100)).toImage();
    const auto inkIn = [&image](QRect box) {
        int n = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                n += image.pixelColor(x, y) != Qt::white;
        return n;
    };
    EXPECT_GT(inkIn(QRect(40, 10, int(c.MN.Width), int(c.MN.Height))), 0);
    EXPECT_EQ(inkIn(QRect(0, 0, 38, 100)), 0);
    EXPECT_EQ(inkIn(QRect(40, 55, 150, 40)), 0) << "a hidden label is not drawn";
}

TEST(CanvasTest, RenderedPictureShowsElementsAboveLines) {
    CanvasRig rig;
    const int i = addElement(rig.d, KindEntity, QRectF(50, 10, 60, 40));
    rig.d.element(i).BackColor = 0x00FF00;
    rig.d.notifyElement(i);
    addConnector(rig.d, 1, 2, QLineF(0, 30, 199, 30), 0x0000FF);

    const QImage image = rig.canvas.renderDiagram(QRect(0, 0, 200, 100)).toImage();
    EXPECT_EQ(image.pixelColor(20, 30), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(80, 30), QColor(0, 255, 0)) << "the element covers the line";
    EXPECT_TRUE(rig.canvas.renderDiagram(QRect()).isNull());
}

// Collects the regions a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST(CanvasTest, ConnectorChangeRepaintsItsOldAndNewPlaceOnly) {
    CanvasRig rig;
    rig.canvas.show();
    const int k = addConnector(rig.d, 1, 2, QLineF(20, 20, 120, 20), 0x0000FF);
    QCoreApplication::processEvents();

    PaintRecorder recorder;
    rig.canvas.installEventFilter(&recorder);
    Line& line = rig.d.connector(k).Line1;
    line.Y1 = line.Y2 = 300;
    rig.d.notifyConnector(k);
    QCoreApplication::processEvents();
    rig.canvas.removeEventFilter(&recorder);

    EXPECT_TRUE(recorder.painted.contains(QRect(20, 20, 101, 1))) << "the old place is cleared";
    EXPECT_TRUE(recorder.painted.contains(QRect(20, 300, 101, 1))) << "the new place is drawn";
    EXPECT_FALSE(recorder.painted.intersects(QRect(300, 100, 200, 100)));
}

// ---- Drops and right clicks, in the real window ----

class CanvasInWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        QCoreApplication::processEvents();
        canvas = form.canvas();
    }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    Diagram& d = form.diagram();
    Canvas* canvas = nullptr;
};

TEST_F(CanvasInWindowTest, DropsOnlyOnTheBareDrawingArea) {
    const int moved = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    addElement(d, KindEntity, QRectF(300, 100, 73, 41));
    const int k = addConnector(d, 1, 2, QLineF(173, 120, 300, 120), d.settings.RelLineColor);
    Connector& c = d.connector(k);
    d.setLabelCaption(c.MN, "0,N");
    c.MN.Left = 200;
    c.MN.Top = 200;
    c.MN.Visible = true;
    d.notifyConnector(k);
    d.state.GrabX = 10;
    d.state.GrabY = 5;

    const QPushButton* save = form.findChild<QPushButton*>("Command1");
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(canvas->dropAt(moved, QPointF(310, 110))) << "over another element";
    EXPECT_FALSE(canvas->dropAt(moved, QPointF(save->geometry().center()))) << "over a button";
    EXPECT_FALSE(canvas->dropAt(moved, QPointF(205, 205))) << "over a label";
    EXPECT_EQ(d.element(moved).Left, 100.0f);
    EXPECT_EQ(d.element(moved).Top, 100.0f);

    EXPECT_TRUE(canvas->dropAt(moved, QPointF(500, 300)));
    EXPECT_EQ(d.element(moved).Left, 490.0f);
    EXPECT_EQ(d.element(moved).Top, 295.0f);
    EXPECT_EQ(canvas->elementRect(moved).topLeft(), QPoint(490, 295));
}

TEST_F(CanvasInWindowTest, ShortMoveOntoTheElementsOwnPlaceIsADrop) {
    const int i = addElement(d, KindAttribute, QRectF(100, 100, 73, 41));
    d.state.GrabX = 10;
    d.state.GrabY = 10;
    EXPECT_TRUE(canvas->dropAt(i, QPointF(115, 112)));
    EXPECT_EQ(d.element(i).Left, 105.0f);
    EXPECT_EQ(d.element(i).Top, 102.0f);
}

TEST_F(CanvasInWindowTest, DeletedElementsAreNeitherDropTargetsNorDropped) {
    const int gone = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    const int kept = addElement(d, KindEntity, QRectF(300, 100, 73, 41));
    d.element(gone).Visible = false;
    d.notifyElement(gone);
    EXPECT_FALSE(canvas->dropAt(gone, QPointF(500, 300)));
    EXPECT_TRUE(canvas->acceptsDropAt(kept, QPointF(120, 120))) << "a hidden control is no target";
}

// Sends a drag entering the canvas and let go at `pos`; returns whether the drop was taken.
bool dragAndDrop(Canvas* canvas, const QMimeData* mime, QPointF pos) {
    QDragEnterEvent enter(pos.toPoint(), Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(pos, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &drop);
    return drop.isAccepted();
}

TEST_F(CanvasInWindowTest, DropEventsGoThroughTheSameCheck) {
    addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    addElement(d, KindEntity, QRectF(300, 100, 73, 41));
    d.state.GrabX = 3;
    d.state.GrabY = 4;
    const std::unique_ptr<QMimeData> mime(canvas->elementMimeData(1));
    EXPECT_FALSE(dragAndDrop(canvas, mime.get(), QPointF(320, 110)));
    EXPECT_EQ(d.element(1).Left, 100.0f);
    EXPECT_TRUE(dragAndDrop(canvas, mime.get(), QPointF(400, 300)));
    EXPECT_EQ(d.element(1).Left, 397.0f);
    EXPECT_EQ(d.element(1).Top, 296.0f);
}

TEST_F(CanvasInWindowTest, DropsFromElsewhereAreRefused) {
    addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    QMimeData bareIndex;
    bareIndex.setData(Canvas::kElementMimeType, "1");
    EXPECT_FALSE(dragAndDrop(canvas, &bareIndex, QPointF(400, 300)));

    // Another window's element 1 is not this window's element 1.
    FakePrompts otherPrompts;
    Workspace otherWorkspace(otherPrompts);
    Form1 other(otherWorkspace);
    addElement(other.diagram(), KindEntity, QRectF(10, 10, 73, 41));
    const std::unique_ptr<QMimeData> foreign(other.canvas()->elementMimeData(1));
    EXPECT_FALSE(dragAndDrop(canvas, foreign.get(), QPointF(400, 300)));

    QMimeData text;
    text.setText("1");
    EXPECT_FALSE(dragAndDrop(canvas, &text, QPointF(400, 300)));
    EXPECT_EQ(d.element(1).Left, 100.0f);
}

TEST_F(CanvasInWindowTest, LeftPressAndSmallMoveNeitherDragsNorReportsHover) {
    const int i = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    mouseOnElement(canvas, i, QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton);
    mouseOnElement(canvas, i, QEvent::MouseMove, QPointF(6, 5), Qt::LeftButton);
    EXPECT_TRUE(d.view.hover[0].isEmpty());
    EXPECT_EQ(canvas->focusElement(), i);
}

TEST_F(CanvasInWindowTest, MoveWithoutTheLeftButtonReportsHover) {
    const int i = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    mouseOnElement(canvas, i, QEvent::MouseMove, QPointF(5, 5), Qt::NoButton);
    const QLabel* panel = form.findChild<QLabel*>("StatusBar1Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), "Index: 1");
}

// The Line menu opens for a relationship connector whose midpoint is within 10 units on both axes,
// or whose line passes within 5 pixels.
struct LineMenuCase {
    qint16 style;
    bool relationshipColour;
    double dx, dy;
    bool opens;
};

void PrintTo(const LineMenuCase& c, std::ostream* os) {
    *os << (c.style == kLineDotted ? "dotted " : "solid ")
        << (c.relationshipColour ? "relationship" : "attribute") << " connector, click at (" << c.dx
        << ", " << c.dy << ") from the midpoint";
}

class LineMenuTest : public CanvasInWindowTest,
                     public ::testing::WithParamInterface<LineMenuCase> {};

TEST_P(LineMenuTest, RightClickNearTheMidpoint) {
    const LineMenuCase& p = GetParam();
    addElement(d, KindEntity, QRectF(60, 280, 40, 40));
    addElement(d, KindRelationship, QRectF(300, 280, 80, 40));
    const OleColor colour =
        p.relationshipColour ? d.settings.RelLineColor : d.settings.AttLineColor;
    addConnector(d, 1, 2, QLineF(100, 300, 300, 300), colour, p.style);

    QMenu* lineMenu = form.menus()->lineMenu();
    rightPress(canvas, QPointF(200 + p.dx, 300 + p.dy));
    EXPECT_EQ(lineMenu->isVisible(), p.opens);
    if (p.opens) {
        EXPECT_EQ(d.state.CurrentLine, 1);
        const QAction* description = form.findChild<QAction*>("mneDescription");
        EXPECT_EQ(description->isEnabled(), p.style == kLineDotted);
    }
    lineMenu->hide();
}

INSTANTIATE_TEST_SUITE_P(Canvas, LineMenuTest,
                         ::testing::Values(LineMenuCase{kLineSolid, true, 0, 0, true},
                                           LineMenuCase{kLineSolid, true, 9, -9, true},
                                           LineMenuCase{kLineDotted, true, -9, 9, true},
                                           // Off the midpoint but on the line itself.
                                           LineMenuCase{kLineSolid, true, 10, 0, true},
                                           LineMenuCase{kLineSolid, true, 10, 6, false},
                                           LineMenuCase{kLineSolid, true, 0, -10, false},
                                           LineMenuCase{kLineSolid, false, 0, 0, false}));

TEST_F(CanvasInWindowTest, RightClickOverAButtonIsNotTheDrawingArea) {
    const QPushButton* load = form.findChild<QPushButton*>("Command3");
    ASSERT_NE(load, nullptr);
    // A connector whose midpoint lies just left of the button: a press on the button's edge is
    // within reach of it but lands on the button.
    const QPointF midpoint(load->x() - 6, load->geometry().center().y());
    addConnector(d, 1, 2, QLineF(midpoint - QPointF(50, 0), midpoint + QPointF(50, 0)),
                 d.settings.RelLineColor);
    rightPress(canvas, QPointF(load->x() + 2, midpoint.y()));
    EXPECT_FALSE(form.menus()->lineMenu()->isVisible());
    rightPress(canvas, midpoint);
    EXPECT_TRUE(form.menus()->lineMenu()->isVisible());
    form.menus()->lineMenu()->hide();
}

// A right click on an element opens its kind's menu with check marks from the element.
struct ElementMenuCase {
    int kind;
    const char* menu;
    std::vector<std::pair<const char*, bool>> checks;
};

void PrintTo(const ElementMenuCase& c, std::ostream* os) {
    *os << "kind " << c.kind;
}

class ElementMenuTest : public CanvasInWindowTest,
                        public ::testing::WithParamInterface<ElementMenuCase> {};

TEST_P(ElementMenuTest, RightClickPopsTheKindsMenu) {
    const ElementMenuCase& p = GetParam();
    const int i = addElement(d, p.kind, QRectF(100, 100, 73, 41));
    d.element(i).IsSizeLock = true;
    d.element(i).setUnderlined(true);
    d.notifyElement(i);

    mouseOnElement(canvas, i, QEvent::MouseButtonPress, QPointF(10, 10), Qt::RightButton);
    EXPECT_EQ(d.state.ContextElement, i);
    auto* menu = form.findChild<QMenu*>(p.menu);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    for (const auto& [name, checked] : p.checks) {
        const QAction* action = form.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->isChecked(), checked) << name;
    }
    menu->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, ElementMenuTest,
    ::testing::Values(
        ElementMenuCase{KindEntity,
                        "EntityMenu",
                        {{"mnuEntity", true}, {"mnuWeakEntity", false}, {"mnuELSize", true}}},
        ElementMenuCase{KindWeakEntity,
                        "EntityMenu",
                        {{"mnuEntity", false}, {"mnuWeakEntity", true}, {"mnuELSize", true}}},
        ElementMenuCase{KindAttribute,
                        "AttributeMenu",
                        {{"mnuAttribute", true},
                         {"mnuMultAttribute", false},
                         {"mnuKey", true},
                         {"mnuALSize", true}}},
        ElementMenuCase{KindMultAttribute,
                        "AttributeMenu",
                        {{"mnuAttribute", false}, {"mnuMultAttribute", true}, {"mnuALSize", true}}},
        ElementMenuCase{
            KindRelationship,
            "RelationshipMenu",
            {{"mnuRelationship", true}, {"mnuWeakRelationship", false}, {"mnuRLSize", true}}},
        ElementMenuCase{
            KindWeakRelationship,
            "RelationshipMenu",
            {{"mnuRelationship", false}, {"mnuWeakRelationship", true}, {"mnuRLSize", true}}}));

}  // namespace

// ---- Zoom: every way of pointing at the drawing hits the same element or connector ----

class ZoomedCanvasTest : public CanvasInWindowTest, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override {
        CanvasInWindowTest::SetUp();
        canvas->setZoom(GetParam(), QPointF(0, 0));
    }
    QPointF pixelOf(double x, double y) const { return canvas->mapping().toPixels({x, y}); }
    void leftPressOn(int i) {
        const QRect rect = canvas->elementRect(i);
        clickElement(canvas, i, QPointF(rect.width() / 2.0, rect.height() / 2.0));
    }
};

TEST_P(ZoomedCanvasTest, ClicksDropsAndTheLineMenuHitTheirTargets) {
    const double zoom = GetParam();
    Editor& editor = form.editor();
    const int entity = editor.createElement(KindEntity);
    const int attribute = editor.createElement(KindAttribute);
    const int relationship = editor.createElement(KindRelationship);
    const int other = editor.createElement(KindEntity);
    const Element& e = d.element(entity);
    EXPECT_NEAR(canvas->elementRect(entity).x(), canvas->mapping().toPixels({e.Left, 0}).x(), 1);
    EXPECT_NEAR(canvas->elementRect(entity).width(), e.Width * zoom, 1);

    // Click to connect: the connector joins exactly the two elements clicked.
    editor.toolbarButton("AttLine");
    leftPressOn(entity);
    leftPressOn(attribute);
    ASSERT_EQ(d.connectorCount(), 2);
    EXPECT_TRUE(d.connector(1).joins(entity, attribute));
    editor.toolbarButton("RelLine");
    leftPressOn(entity);
    leftPressOn(relationship);
    leftPressOn(other);
    ASSERT_EQ(d.connectorCount(), 4);

    // Drag and drop: the element lands where the pointer let go, grab point kept.
    leftPressOn(attribute);
    const float grabX = d.state.GrabX, grabY = d.state.GrabY;
    const QPointF target(300, 350);
    ASSERT_TRUE(canvas->dropAt(attribute, target));
    const QPointF landed = canvas->mapping().toLogical(target);
    EXPECT_NEAR(d.element(attribute).Left, landed.x() - grabX, 1 / zoom);
    EXPECT_NEAR(d.element(attribute).Top, landed.y() - grabY, 1 / zoom);

    // The Line menu at the connector's midpoint.
    const Line& line = d.connector(3).Line1;
    QMenu* lineMenu = form.menus()->lineMenu();
    const QPointF mid = pixelOf((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2);
    rightPress(canvas, mid);
    EXPECT_TRUE(lineMenu->isVisible()) << mid.x() << "," << mid.y() << " "
                                       << (canvas->childAt(mid.toPoint()) ? "over a child" : "");
    EXPECT_EQ(d.state.CurrentLine, 3);
    lineMenu->hide();
}

INSTANTIATE_TEST_SUITE_P(Canvas, ZoomedCanvasTest, ::testing::Values(0.5, 1.0, 2.0));

TEST_F(CanvasInWindowTest, ScrollBarsReachADrawingWiderThanTheWindowAndCaptureIgnoresTheView) {
    const int far = addElement(d, KindEntity, QRectF(3000, 2000, 73, 41));
    addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    QCoreApplication::processEvents();
    QScrollBar* h = canvas->horizontalScrollBar();
    ASSERT_TRUE(h->isVisible());
    ASSERT_TRUE(canvas->verticalScrollBar()->isVisible());
    h->setValue(h->maximum());
    canvas->verticalScrollBar()->setValue(canvas->verticalScrollBar()->maximum());
    EXPECT_TRUE(canvas->rect().contains(canvas->elementRect(far)));
    EXPECT_EQ(d.element(far).Left, 3000.0f) << "scrolling moves no element";

    const QSize fullSize = form.captureDiagram().size();
    canvas->setZoom(0.5);
    EXPECT_EQ(form.captureDiagram().size(), fullSize) << "Capture takes the drawing at 100 %";
    EXPECT_GT(fullSize.width(), 2900);
    canvas->fitToDrawing();
    QCoreApplication::processEvents();
    EXPECT_FALSE(h->isVisible()) << "after Fit the whole drawing shows";
    EXPECT_TRUE(canvas->rect().contains(canvas->elementRect(far)));
    EXPECT_TRUE(canvas->rect().contains(canvas->elementRect(2)));
}

// ---- Several selected elements, and the Line menu along the whole line ----

void mouseEvent(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons held,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, modifiers);
    QCoreApplication::sendEvent(widget, &event);
}

TEST_P(ZoomedCanvasTest, RubberBandCtrlClickGroupDragAndTheLineMenuAlongTheLine) {
    const int a = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    const int b = addElement(d, KindEntity, QRectF(200, 100, 73, 41));
    const int r = addElement(d, KindRelationship, QRectF(150, 250, 80, 40));
    const int k = addConnector(d, a, r, QLineF(136, 141, 190, 250), d.settings.RelLineColor);

    // A band around a and b, drawn from the bare area; r lies outside it.
    mouseEvent(canvas, QEvent::MouseButtonPress, pixelOf(90, 90), Qt::LeftButton);
    mouseEvent(canvas, QEvent::MouseMove, pixelOf(290, 150), Qt::LeftButton);
    mouseEvent(canvas, QEvent::MouseButtonRelease, pixelOf(290, 150), Qt::NoButton);
    EXPECT_EQ(d.view.selection, (std::set<int>{a, b}));

    // Ctrl+click adds r, and takes b out again.
    for (const int i : {r, b})
        clickElement(canvas, i, QPointF(5, 5), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(d.view.selection, (std::set<int>{a, r}));

    // Dragging one of them moves both.
    form.editor().elementLeftDown(a, 10, 10);
    const QPointF landed = canvas->mapping().toLogical(QPointF(330, 330));
    ASSERT_TRUE(canvas->dropAt(a, QPointF(330, 330)));
    const float dx = float(landed.x()) - 10 - 100, dy = float(landed.y()) - 10 - 100;
    EXPECT_FLOAT_EQ(d.element(a).Left, 100 + dx);
    EXPECT_FLOAT_EQ(d.element(r).Left, 150 + dx);
    EXPECT_FLOAT_EQ(d.element(r).Top, 250 + dy);
    EXPECT_EQ(d.element(b).Left, 200.0f);
    form.findChild<QAction*>("mnuSelectAll")->trigger();
    EXPECT_EQ(d.view.selection, (std::set<int>{a, b, r}));
    // A plain click without a drag on one of them selects it alone.
    clickElement(canvas, a, QPointF(5, 5));
    EXPECT_EQ(d.view.selection, (std::set<int>{a}));

    // The connector's line now runs between the moved elements: a right click 4 pixels beside
    // it, far from its midpoint, opens its menu; 8 pixels beside it does not.
    const Line& line = d.connector(k).Line1;
    const QLineF pixels(canvas->mapping().toPixels(QPointF(line.X1, line.Y1)),
                        canvas->mapping().toPixels(QPointF(line.X2, line.Y2)));
    const QPointF along = pixels.pointAt(0.8);
    const QPointF across = QPointF(-pixels.dy(), pixels.dx()) / pixels.length();
    canvas->scrollByPixels(along - QPointF(canvas->rect().center()));
    const QLineF shown(canvas->mapping().toPixels(QPointF(line.X1, line.Y1)),
                       canvas->mapping().toPixels(QPointF(line.X2, line.Y2)));
    QMenu* lineMenu = form.menus()->lineMenu();
    rightPress(canvas, shown.pointAt(0.8) + across * 8);
    EXPECT_FALSE(lineMenu->isVisible());
    rightPress(canvas, shown.pointAt(0.8) + across * 4);
    EXPECT_TRUE(lineMenu->isVisible());
    EXPECT_EQ(d.state.CurrentLine, k);
    lineMenu->hide();
}

namespace {

// A connect mode's marks are painted in the settings' highlight colours over the element's own,
// on the screen (through the element's kept picture) and in pictures alike.
TEST(CanvasTest, HighlightsArePaintedOverTheOwnColour) {
    CanvasRig rig;
    const int i = addElement(rig.d, KindEntity, QRectF(50, 10, 60, 40));
    rig.d.element(i).BackColor = 0x00FF00;
    rig.d.notifyElement(i);
    const QPoint inside(80, 30);
    const auto screen = [&] { return rig.canvas.grab().toImage().pixelColor(inside); };
    const auto picture = [&] {
        return rig.canvas.renderDiagram(QRect(0, 0, 200, 100)).toImage().pixelColor(inside);
    };
    screen();
    ASSERT_EQ(screen(), QColor(0, 255, 0)) << "painted twice: from its picture";

    rig.canvas.show();
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    rig.canvas.installEventFilter(&recorder);
    rig.editor.toolbarButton("AttLine");
    QCoreApplication::processEvents();
    rig.canvas.removeEventFilter(&recorder);
    EXPECT_TRUE(recorder.painted.contains(rig.canvas.elementRect(i))) << "repainted on the mark";
    const QColor candidate = toQColor(rig.d.settings.CandidateColor);
    EXPECT_EQ(screen(), candidate);
    EXPECT_EQ(picture(), candidate);
    EXPECT_EQ(rig.d.element(i).BackColor, 0x00FF00u);
    rig.editor.elementLeftDown(i, 1, 1);
    EXPECT_EQ(screen(), toQColor(rig.d.settings.SelectedColor));
    rig.editor.cancel();
    EXPECT_EQ(screen(), QColor(0, 255, 0));
    EXPECT_EQ(picture(), QColor(0, 255, 0));
}

}  // namespace
