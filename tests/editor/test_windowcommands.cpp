#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>

#include "canvas.h"
#include "diagrambuilder.h"
#include "drawingscale.h"
#include "fakeprompts.h"
#include "form1.h"
#include "geometry.h"
#include "outline.h"
#include "test_canvas_support.h"

using canvastest::addConnector;
using canvastest::addElement;

namespace {

// A caption exactly `pixels` wide in `font`, made of one or two repeated characters; empty when
// the installed fonts offer none.
QString captionOfWidth(const QFont& font, int pixels) {
    const QString pieces = QStringLiteral("iltfrjsaxzenou0123456789ABCDEHKMNRW關聯實體");
    for (QChar first : pieces)
        for (QChar second : pieces)
            for (int n = 1; n <= 40; ++n)
                for (int m = 0; m <= 10; ++m) {
                    const QString text = QString(n, first) + QString(m, second);
                    const qint32 width = captionWidthFor(font, text);
                    if (width == pixels) return text;
                    if (width > pixels) break;
                }
    return QString();
}

// ---- Resize ----

struct FitCase {
    int kind;
    int captionWidth;
    float width, height;
};

class ResizeFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(ResizeFit, ElementsFitTheirCaptionsFromTheTopLeft) {
    const FitCase& p = GetParam();
    DiagramBuilder b;
    const int i = b.d.loadElement();
    Element& e = b.d.element(i);
    e.Shape = float(p.kind);
    e.Visible = true;
    e.Left = 40;
    e.Top = 60;
    e.Width = 300;
    e.Height = 20;
    e.Caption = captionOfWidth(e.Font, p.captionWidth);
    if (e.Caption.isEmpty()) GTEST_SKIP() << "no caption " << p.captionWidth << " pixels wide";
    b.editor.resizeToCaptions();
    EXPECT_EQ(e.Width, p.width);
    EXPECT_EQ(e.Height, p.height);
    EXPECT_EQ(e.Left, 40);
    EXPECT_EQ(e.Top, 60);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResizeFit,
                         ::testing::Values(FitCase{KindEntity, 30, 70, 35},
                                           FitCase{KindWeakEntity, 30, 70, 35},
                                           FitCase{KindEntity, 60, 80, 40},
                                           FitCase{KindRelationship, 100, 135, 67.5f},
                                           FitCase{KindWeakRelationship, 100, 140, 70},
                                           FitCase{KindAttribute, 30, 50, 25},
                                           FitCase{KindMultAttribute, 31, 51, 25.5f}));

TEST(Resize, SkipsLockedAndHiddenElementsButReplacesEveryConnector) {
    DiagramBuilder b;
    const int e1 = b.entity("Student");
    const int r = b.relationship("Takes");
    const int e2 = b.entity("Course");
    const auto [k1, k2] = b.binary(e1, r, e2);
    b.d.element(e2).IsSizeLock = true;
    b.d.element(e2).Width = 200;
    const int gone = b.entity("Gone");
    b.d.element(gone).Visible = false;
    b.d.element(gone).Width = 300;
    b.d.element(0).RecWidth = 7;

    b.editor.resizeToCaptions();
    EXPECT_EQ(b.d.element(e2).Width, 200) << "size-locked";
    EXPECT_EQ(b.d.element(gone).Width, 300) << "hidden";
    EXPECT_NE(b.d.element(e1).Width, 73);
    EXPECT_EQ(b.d.element(e1).RecWidth, 7) << "Resize ends with Repaint";
    EXPECT_EQ(b.d.element(gone).RecWidth, 5) << "Repaint skips hidden elements";

    for (const auto& [k, first, second] : {std::tuple{k1, e1, r}, std::tuple{k2, e2, r}}) {
        Connector expected = b.d.connector(k);
        PlaceLine(b.d, qint16(first), qint16(second), expected.Line1, expected.MN, false);
        const Line& line = b.d.connector(k).Line1;
        EXPECT_EQ(
            QLineF(line.X1, line.Y1, line.X2, line.Y2),
            QLineF(expected.Line1.X1, expected.Line1.Y1, expected.Line1.X2, expected.Line1.Y2))
            << k;
    }
}

TEST(Resize, SecondLinesOfRecursivePairsStayWithTheirPair) {
    DiagramBuilder b;
    b.d.settings.PresentStyle = 0;
    const int e = b.entity("Employee");
    const int r = b.relationship("Manages");
    b.d.element(r).Top = 200;
    b.d.notifyElement(r);
    const auto [k1, k2] = b.recursive(e, r);
    // Both connectors doubled, as textbook participation with minimum 1 leaves them.
    for (int k : {k1, k2}) {
        b.d.state.CurrentLine = qint16(k);
        b.prompts.answer("1,N");
        b.editor.participation(k);
        ASSERT_TRUE(b.d.connector(k).Line2.Visible);
    }
    b.editor.resizeToCaptions();
    for (int k : {k1, k2}) {
        const Line& main = b.d.connector(k).Line1;
        const Line& second = b.d.connector(k).Line2;
        // The second line runs beside its own main line: same sides, DoubleLineWidth apart.
        EXPECT_NEAR(QLineF(main.X1, main.Y1, main.X2, main.Y2).length(),
                    QLineF(second.X1, second.Y1, second.X2, second.Y2).length(), 0.01)
            << k;
        const float shift = std::abs(second.X1 - main.X1) + std::abs(second.Y1 - main.Y1);
        EXPECT_EQ(shift, float(b.d.settings.DoubleLineWidth)) << k;
    }
}

TEST(Repaint, CopiesTheTemplateInsetsToEveryVisibleElement) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a = b.attribute(e, "A");
    Element& tmpl = b.d.element(0);
    tmpl.RecWidth = 2;
    tmpl.EllWidth = 3;
    tmpl.DiaWidth = 4;
    b.editor.repaintElements();
    for (int i : {e, a}) {
        EXPECT_EQ(b.d.element(i).RecWidth, 2);
        EXPECT_EQ(b.d.element(i).EllWidth, 3);
        EXPECT_EQ(b.d.element(i).DiaWidth, 4);
    }
}

// ---- Capture ----

TEST(CaptureRect, BoundsTheVisibleElements) {
    Diagram d;
    FakePrompts prompts;
    Editor editor(d, prompts);
    EXPECT_TRUE(editor.captureRect().isEmpty());
    addElement(d, KindEntity, QRectF(120, 80, 73, 41));
    addElement(d, KindAttribute, QRectF(20, 300, 60, 30));
    const int hidden = addElement(d, KindAttribute, QRectF(900, 900, 60, 30));
    d.element(hidden).Visible = false;
    EXPECT_EQ(editor.captureRect(), QRectF(20, 80, 173, 250));
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.resize(900, 640);
        form.show();
        QCoreApplication::processEvents();
    }
    Canvas& canvas() { return *form.canvas(); }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    Diagram& d = form.diagram();
};

TEST_F(WindowTest, CaptureTakesTheBoundingRectangleOrSaysThereIsNothing) {
    form.findChild<QAction*>("mnuCapture")->trigger();
    EXPECT_EQ(prompts.messages, QStringList({"目前沒有任何元素可以擷取"}));

    prompts.messages.clear();
    addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    addElement(d, KindRelationship, QRectF(300, 220, 90, 45));
    addConnector(d, 1, 2, QLineF(173, 120, 300, 242), d.settings.RelLineColor);
    form.findChild<QAction*>("mnuCapture")->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    const QImage picture = QGuiApplication::clipboard()->image();
    EXPECT_EQ(picture.size(), QSize(290, 165));
    // Left column: the entity's outline at the picture's left edge; nothing of the buttons.
    const QColor background = toQColor(d.settings.WindowBackColor);
    EXPECT_NE(picture.pixelColor(0, 20), background);
    EXPECT_EQ(picture.pixelColor(289, 0), background) << "above the relationship: bare area";
}

// ---- Layout ----

TEST_F(WindowTest, CancelStaysWhileTheOtherButtonsFollowTheRightEdge) {
    auto* cancel = form.findChild<QPushButton*>("Command2");
    const QPoint before = cancel->pos();
    const QPoint saveBefore = form.findChild<QPushButton*>("Command1")->pos();
    form.resize(1200, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(cancel->pos(), before);
    auto* save = form.findChild<QPushButton*>("Command1");
    EXPECT_EQ(save->y(), saveBefore.y()) << "buttons keep their tops";
    EXPECT_EQ(save->x() + save->width(), canvas().width());
    auto* legend = form.findChild<QGroupBox*>("Frame1");
    EXPECT_EQ(legend->x(), canvas().width() - legend->width());
    EXPECT_EQ(legend->y(), canvas().height() - legend->height());
}

// ---- Drawing scale and the scale memory ----

TEST(WindowScaleMemory, RemembersAtMaximizeAndGivesItBackAtRestore) {
    WindowScaleMemory memory;
    using Shape = WindowScaleMemory::WindowShape;
    EXPECT_EQ(memory.flag(), 0);
    EXPECT_EQ(memory.remembered(), (RememberedScale{500, 360, 0, 0})) << "first-run values";

    EXPECT_FALSE(memory.resized(Shape::Normal, {0, 0, 800, 600}));
    EXPECT_FALSE(memory.resized(Shape::Maximized, {0.4, -2.5, 1919.5, 1000.5}));
    EXPECT_EQ(memory.flag(), 2);
    EXPECT_EQ(memory.remembered(), (RememberedScale{1920, 1000, -2, 0})) << "halves to even";
    EXPECT_FALSE(memory.resized(Shape::Maximized, {0, 0, 10, 10})) << "already remembered";
    EXPECT_FALSE(memory.resized(Shape::Minimized, {0, 0, 10, 10}));
    EXPECT_EQ(memory.remembered().width, 1920);

    const auto restored = memory.resized(Shape::Normal, {0, 0, 800, 600});
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, (DrawingScale{0, -2, 1920, 1000}));
    EXPECT_EQ(memory.flag(), 0);
    EXPECT_FALSE(memory.resized(Shape::Normal, {0, 0, 800, 600})) << "once";

    // The state may come before the size: the grown extents replace the early ones.
    memory.resized(Shape::Maximized, {0, 0, 800, 600});
    memory.resizedWhileMaximized({0, 0, 1920, 1000});
    EXPECT_EQ(memory.remembered(), (RememberedScale{1920, 1000, 0, 0}));
    memory.resizedWhileMaximized({0, 0, 800, 600});
    EXPECT_EQ(memory.remembered(), (RememberedScale{1920, 1000, 0, 0})) << "restoring";
    memory.elementDropped();
    memory.resizedWhileMaximized({0, 0, 2000, 1200});
    EXPECT_EQ(memory.remembered().width, 1920) << "nothing remembered after a drop";
    EXPECT_EQ(memory.flag(), 0);
    EXPECT_FALSE(memory.resized(Shape::Normal, {0, 0, 800, 600})) << "a drop ended it";
}

TEST(ScaleMapping, MapsLogicalUnitsOntoPixelsAndBack) {
    const ScaleMapping mapping(DrawingScale{100, 50, 1000, 500}, QSize(500, 1000));
    EXPECT_EQ(mapping.toPixels(QPointF(100, 50)), QPointF(0, 0));
    EXPECT_EQ(mapping.toPixels(QPointF(300, 150)), QPointF(100, 200));
    EXPECT_EQ(mapping.toPixels(QRectF(300, 150, 20, 10)), QRectF(100, 200, 10, 20));
    EXPECT_EQ(mapping.toLogical(QPointF(100, 200)), QPointF(300, 150));
    EXPECT_TRUE(ScaleMapping(DrawingScale{0, 0, 640, 480}, QSize(640, 480)).isIdentity());
    EXPECT_TRUE(ScaleMapping(DrawingScale{0, 0, 640, 480}, QSize(0, 0)).isIdentity())
        << "no area, no division by zero";
}

TEST_F(WindowTest, ASetScaleStretchesElementsAndInputButNotTheModel) {
    const int e = addElement(d, KindEntity, QRectF(100, 100, 80, 40));
    const int r = addElement(d, KindRelationship, QRectF(400, 100, 90, 44));
    Editor& editor = form.editor();
    const int k = addConnector(d, e, r, QLineF(), d.settings.RelLineColor);
    d.setLabelCaption(d.connector(k).MN, "1,N");
    d.connector(k).MN.Visible = true;
    editor.layoutConnector(k);
    const float pixelLabelWidth = d.connector(k).MN.Width;

    const QSize pixels = canvas().size();
    canvas().setScale({0, 0, 2.0 * pixels.width(), 2.0 * pixels.height()});
    EXPECT_EQ(canvas().scale(), (DrawingScale{0, 0, 2.0 * pixels.width(), 2.0 * pixels.height()}));
    EXPECT_EQ(canvas().elementRect(e), QRect(50, 50, 40, 20));
    EXPECT_FLOAT_EQ(d.connector(k).MN.Width, pixelLabelWidth)
        << "the scale is a view transform: labels keep their size in drawing units";
    EXPECT_FLOAT_EQ(d.connector(k).MN.Left, d.connector(k).Line1.X2 - d.connector(k).MN.Width);

    // A drop at pixel (250, 150) with the grab point 10 pixels into the element.
    canvastest::mouseOnElement(&canvas(), e, QEvent::MouseButtonPress, QPointF(10, 6),
                               Qt::LeftButton);
    EXPECT_EQ(d.state.GrabX, 20);
    EXPECT_EQ(d.state.GrabY, 12);
    ASSERT_TRUE(canvas().dropAt(e, QPointF(250, 150)));
    EXPECT_EQ(d.element(e).Left, 480);
    EXPECT_EQ(d.element(e).Top, 288);
    EXPECT_EQ(canvas().elementRect(e), QRect(240, 144, 40, 20));

    // The Line menu's hit test: the main line's midpoint, found through the pixel under it.
    const Line& line = d.connector(k).Line1;
    const QPointF midpoint((line.X1 + line.X2) / 4, (line.Y1 + line.Y2) / 4);
    canvastest::rightPress(&canvas(), midpoint);
    EXPECT_EQ(d.state.CurrentLine, k);

    // The canvas grows: the same drawing stretches with it.
    form.resize(form.width() + 100, form.height());
    QCoreApplication::processEvents();
    const double sx = canvas().width() / (2.0 * pixels.width());
    EXPECT_EQ(canvas().elementRect(r).x(), qRound(400 * sx));
}

TEST_F(WindowTest, MaximizeAndRestoreSetTheRememberedScaleBack) {
    form.setScaleMemory({500, 360, 0, 0});
    const int e = addElement(d, KindEntity, QRectF(200, 100, 80, 40));
    form.showMaximized();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!form.isMaximized()) GTEST_SKIP() << "the platform does not maximize";
    const QSize maximized = canvas().size();
    EXPECT_EQ(form.scaleMemoryFlag(), 2);
    EXPECT_EQ(form.scaleMemory(), (RememberedScale{maximized.width(), maximized.height(), 0, 0}));

    form.showNormal();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.scaleMemoryFlag(), 0);
    EXPECT_EQ(canvas().scale(),
              (DrawingScale{0, 0, double(maximized.width()), double(maximized.height())}));
    // What filled the maximized window now fits the normal one.
    const double sx = canvas().width() / double(maximized.width());
    EXPECT_EQ(canvas().elementRect(e).x(), qRound(200 * sx));

    // A drop forgets the maximize; the next one remembers the (set) scale again.
    form.showMaximized();
    QCoreApplication::processEvents();
    canvastest::mouseOnElement(&canvas(), e, QEvent::MouseButtonPress, QPointF(1, 1),
                               Qt::LeftButton);
    ASSERT_TRUE(canvas().dropAt(e, QPointF(30, 300)));
    EXPECT_EQ(form.scaleMemoryFlag(), 0);
}

}  // namespace
