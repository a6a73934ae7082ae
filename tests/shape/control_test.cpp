#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <limits>
#include <memory>

#include "controlfactory.h"
#include "inputcodes.h"
#include "usercontrol1.h"

namespace {

constexpr OleColor kWhite = 0xFFFFFF;

// A borderless control of the template's size, the way the editor places elements.
std::unique_ptr<UserControl1> makeControl(float shape, int width = 73, int height = 41,
                                          const QString& caption = QString()) {
    auto c = std::make_unique<UserControl1>();
    c->resize(width, height);
    c->setBorderStyle(0);
    c->setBackColor(kWhite);
    c->setCaption(caption);
    c->setShape(shape);
    return c;
}

QImage render(UserControl1& c) {
    return c.grab().toImage();
}

bool isDark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

int darkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && isDark(image, x, y)) ++count;
    return count;
}

// ---- creation ----

TEST(Control, FactoryCreatesByRegisteredNameOnly) {
    std::unique_ptr<UserControl1> c(createControl(QStringLiteral("Glyphon.UserControl1")));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(createControl(QStringLiteral("Glyphon.UserControl2")), nullptr);
    EXPECT_EQ(createControl(QString()), nullptr);

    QWidget parent;
    UserControl1* child = createControl(QStringLiteral("Glyphon.UserControl1"), &parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->parentWidget(), &parent);
}

TEST(Control, StartsWithDefaultsAndSixSeparateEmptyCollections) {
    UserControl1 c;
    EXPECT_EQ(c.BackColor(), 12632319u);
    EXPECT_EQ(c.ForeColor(), 0x80000008u);
    EXPECT_EQ(c.BorderStyle(), 1);
    EXPECT_EQ(c.Caption(), QStringLiteral("Label1"));
    EXPECT_EQ(c.Shape(), 0.0f);
    EXPECT_EQ(c.RecWidth, 0);
    EXPECT_FALSE(c.IsSizeLock);
    const std::vector<Collection*> all = {c.AttributeList.get(),      c.RelationList.get(),
                                          c.RelativeEntityList.get(), c.PrimaryEntityList.get(),
                                          c.WeakRelationList.get(),   c.WeakEntityList.get()};
    for (size_t i = 0; i < all.size(); ++i) {
        ASSERT_NE(all[i], nullptr);
        EXPECT_TRUE(all[i]->isEmpty());
        for (size_t j = 0; j < i; ++j) EXPECT_NE(all[i], all[j]);
    }
}

TEST(Control, FirstPlacementPaintsARectangleWithInsetsFive) {
    UserControl1 c;
    c.resize(73, 41);
    c.setBorderStyle(0);
    c.InitProperties();
    ASSERT_EQ(c.lastOutline().polygons.size(), 1u);
    EXPECT_EQ(c.lastOutline().polygons[0].boundingRect(), QRect(0, 0, 73, 41));
    c.setShape(1);
    ASSERT_EQ(c.lastOutline().polygons.size(), 2u);
    EXPECT_EQ(c.lastOutline().polygons[1].boundingRect(), QRect(5, 5, 63, 31));
}

// ---- painting ----

TEST(Control, SettingShapeRepaintsAtOnce) {
    auto c = makeControl(0);
    EXPECT_TRUE(c->setShape(4));
    ASSERT_EQ(c->lastOutline().polygons.size(), 1u);
    EXPECT_EQ(c->lastOutline().polygons[0].point(1), QPoint(73, 20));
    EXPECT_TRUE(c->setShape(2));
    EXPECT_TRUE(c->lastOutline().polygons.empty());
    EXPECT_EQ(c->lastOutline().ellipses.size(), 1u);
}

TEST(Control, CaptionMovesOnlyOnTheNextPaint) {
    auto c = makeControl(0, 73, 41, QStringLiteral("E"));
    const QPoint before = c->label()->pos();
    const int widthBefore = c->label()->width();

    c->setCaption(QStringLiteral("A much longer entity name"));
    c->Refresh();
    EXPECT_EQ(c->label()->pos(), before);
    EXPECT_GT(c->label()->width(), widthBefore);  // sized to its text at once

    EXPECT_TRUE(c->RePaint());
    EXPECT_LT(c->label()->x(), before.x());
    // Centred on N(W - 1) / 2 = 36 in a borderless 73 x 41 control.
    EXPECT_DOUBLE_EQ(c->captionPosition().x(), 36 - c->label()->width() / 2.0);
    EXPECT_DOUBLE_EQ(c->captionPosition().y(), 20 - c->label()->height() / 2.0);
}

TEST(Control, OtherCodesLeaveTheSurfaceBlankAndTheCaptionInPlace) {
    for (const float code : {8.0f, 2.5f}) {
        auto c = makeControl(4, 73, 41, QStringLiteral("R"));
        const QPoint before = c->label()->pos();
        c->setCaption(QString());
        c->resize(90, 50);
        EXPECT_TRUE(c->setShape(code));
        EXPECT_EQ(c->label()->pos(), before);
        EXPECT_TRUE(c->lastOutline().polygons.empty());
        EXPECT_TRUE(c->lastOutline().ellipses.empty());
        EXPECT_EQ(darkPixels(render(*c), QRect(0, 0, 90, 50)), 0) << code;
    }
}

TEST(Control, RectangleOutlineIsDrawnOnTheEdgePixels) {
    auto c = makeControl(0);
    const QImage image = render(*c);
    EXPECT_TRUE(isDark(image, 0, 0));
    EXPECT_TRUE(isDark(image, 72, 40));
    EXPECT_TRUE(isDark(image, 36, 40));
    // The rectangle's fill uses the default (empty) fill: the background shows inside.
    EXPECT_EQ(darkPixels(image, QRect(1, 1, 71, 39)), 0);
}

TEST(Control, EllipseBoxExcludesItsRightAndBottomEdges) {
    auto c = makeControl(3);
    c->EllWidth = 5;
    c->RePaint();
    const QImage image = render(*c);
    // Outer box (0,0)-(73,41): its last column and row are 72 and 40.
    EXPECT_TRUE(isDark(image, 72, 20));
    EXPECT_TRUE(isDark(image, 36, 40));
    // Inner box (5,5)-(68,36): drawn up to column 67 and row 35, not beyond.
    EXPECT_TRUE(isDark(image, 67, 20));
    EXPECT_FALSE(isDark(image, 68, 20));
    EXPECT_TRUE(isDark(image, 36, 35));
    EXPECT_FALSE(isDark(image, 36, 36));
    EXPECT_TRUE(isDark(image, 5, 20));
    EXPECT_FALSE(isDark(image, 4, 20));
}

TEST(Control, InsetOverflowIsReportedAndOnlyTheOuterOutlineDrawn) {
    auto c = makeControl(0);
    c->RecWidth = std::numeric_limits<qint32>::min();
    EXPECT_FALSE(c->setShape(1));
    EXPECT_EQ(c->lastOutline().polygons.size(), 1u);
    EXPECT_FALSE(c->RePaint());
    c->RecWidth = 5;
    EXPECT_TRUE(c->RePaint());
    EXPECT_EQ(c->lastOutline().polygons.size(), 2u);
}

TEST(Control, BorderFramesASmallerSurface) {
    auto c = makeControl(4);
    c->setBorderStyle(1);
    EXPECT_EQ(c->surfaceRect(), QRect(1, 1, 71, 39));
    c->RePaint();
    EXPECT_EQ(c->lastOutline().polygons[0].point(1), QPoint(71, 20));
    const QImage image = render(*c);
    EXPECT_TRUE(isDark(image, 0, 0));
    EXPECT_TRUE(isDark(image, 72, 40));
    c->setBorderStyle(7);
    EXPECT_EQ(c->BorderStyle(), 1);
}

TEST(Control, APaintRequestAtANewSizeRedrawsForThatSize) {
    auto c = makeControl(0);
    c->resize(135, 67);
    render(*c);
    EXPECT_EQ(c->lastOutline().polygons[0].boundingRect(), QRect(0, 0, 135, 67));
}

TEST(Control, BackgroundIsTheBackColor) {
    auto c = makeControl(8);
    c->setBackColor(0xC0C0FF);  // red 255, green 192, blue 192
    const QImage image = render(*c);
    EXPECT_EQ(QColor(image.pixel(30, 20)), QColor(255, 192, 192));
}

TEST(Control, AroundAnEllipseOrADiamondWhatLiesBeneathShowsThrough) {
    // The control on a yellow drawing area.
    const QColor yellow(255, 255, 0), white(255, 255, 255);
    for (const float code : {2.0f, 3.0f, 4.0f, 5.0f}) {
        QWidget area;
        area.resize(120, 80);
        QPalette palette = area.palette();
        palette.setColor(QPalette::Window, yellow);
        area.setPalette(palette);
        area.setAutoFillBackground(true);
        auto* c = new UserControl1(&area);
        c->setGeometry(10, 10, 73, 41);
        c->setBorderStyle(0);
        c->setBackColor(kWhite);
        c->setCaption(QString());
        c->EllWidth = c->DiaWidth = 5;
        c->setShape(code);

        const QImage shown = area.grab().toImage();
        EXPECT_EQ(QColor(shown.pixel(11, 11)), yellow) << code;
        EXPECT_EQ(QColor(shown.pixel(81, 49)), yellow) << code;
        EXPECT_EQ(QColor(shown.pixel(10 + 36, 10 + 8)), white) << code << " inside";

        // Rendered into a picture, as the drawing area's capture does: the picture stays.
        QPixmap picture(73, 41);
        picture.fill(yellow);
        QPainter painter(&picture);
        c->render(&painter, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.end();
        const QImage captured = picture.toImage();
        EXPECT_EQ(QColor(captured.pixel(1, 1)), yellow) << code;
        EXPECT_EQ(QColor(captured.pixel(71, 39)), yellow) << code;
        EXPECT_EQ(QColor(captured.pixel(36, 8)), white) << code << " inside";
    }
}

TEST(Control, ARectangleCoversItsWholeControl) {
    for (const float code : {0.0f, 1.0f}) {
        QWidget area;
        area.resize(120, 80);
        QPalette palette = area.palette();
        palette.setColor(QPalette::Window, Qt::yellow);
        area.setPalette(palette);
        area.setAutoFillBackground(true);
        auto* c = new UserControl1(&area);
        c->setGeometry(10, 10, 73, 41);
        c->setBorderStyle(0);
        c->setBackColor(0xC0C0FF);
        c->setCaption(QString());
        c->RecWidth = 5;
        c->setShape(code);
        const QImage shown = area.grab().toImage();
        EXPECT_EQ(QColor(shown.pixel(12, 12)), QColor(255, 192, 192)) << code;
        EXPECT_EQ(QColor(shown.pixel(80, 48)), QColor(255, 192, 192)) << code;
    }
}

// ---- caption ----

TEST(Control, CaptionWidthEqualsTheWidgetFreeWidth) {
    UserControl1 c;
    QFont underlined = c.Font();
    underlined.setUnderline(true);
    QFont large = c.Font();
    large.setPointSizeF(17.5);
    for (const QFont& font : {c.Font(), underlined, large}) {
        c.setFont(font);
        for (const QString& caption : {QStringLiteral("Entity1"), QStringLiteral("學生資料"),
                                       QStringLiteral("<b>bold?</b>"), QString()}) {
            c.setCaption(caption);
            EXPECT_EQ(c.CaptionWidth(), captionWidthFor(font, caption)) << caption.toStdString();
            EXPECT_EQ(c.CaptionWidth(), c.label()->width());
        }
    }
    c.setCaption(QStringLiteral("Entity1"));
    EXPECT_GT(c.CaptionWidth(), 0);
    c.setCaption(QString());
    EXPECT_EQ(c.CaptionWidth(), 0);
}

TEST(Control, CaptionIsPlainText) {
    UserControl1 c;
    c.setCaption(QStringLiteral("<i>x</i>"));
    EXPECT_EQ(c.label()->textFormat(), Qt::PlainText);
    EXPECT_GT(c.CaptionWidth(), captionWidthFor(c.Font(), QStringLiteral("x")) * 3);
}

TEST(Control, AKeyCaptionShowsItsUnderlineInsideAWindow) {
    // On screen the control paints at its offset into the window's backing store, where text
    // decorations can go astray; what the window shows is checked, not a grab of the control.
    QWidget window;
    window.resize(220, 120);
    auto* c = new UserControl1(&window);
    c->setGeometry(70, 40, 90, 40);
    c->setBorderStyle(0);
    c->setBackColor(kWhite);
    c->setForeColor(0);
    QFont font = c->Font();
    font.setUnderline(true);
    c->setFont(font);
    c->setCaption(QStringLiteral("Key"));
    c->setShape(8);  // blank surface: only the caption is drawn
    c->setShape(0);
    c->setShape(8);
    window.show();
    QCoreApplication::processEvents();
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
    const QRect label = c->label()->geometry().translated(c->pos());
    const int y = label.top() + qRound(QFontMetricsF(font).ascent() + QFontMetricsF(font).underlinePos());
    int inked = 0;
    for (int dy = -1; dy <= 1; ++dy)
        inked = std::max(inked, darkPixels(shown, QRect(label.left(), y + dy, label.width(), 1)));
    EXPECT_GE(inked, label.width() - 2);
}

TEST(Control, ChineseCaptionsRenderAsDistinctGlyphs) {
    ASSERT_FALSE(QFontDatabase::families(QFontDatabase::TraditionalChinese).isEmpty());
    QImage images[2];
    const QString captions[2] = {QStringLiteral("學"), QStringLiteral("生")};
    for (int i = 0; i < 2; ++i) {
        auto c = makeControl(8, 73, 41, captions[i]);
        c->setForeColor(0);
        c->setShape(0);
        c->setShape(8);  // blank surface, caption centred by the rectangle
        images[i] = render(*c);
        EXPECT_GT(darkPixels(images[i], c->label()->geometry()), 5);
    }
    EXPECT_NE(images[0], images[1]);  // missing glyphs would draw the same box twice
}

// ---- events ----

// Records the control's events as text, in the order they arrive.
struct EventLog {
    explicit EventLog(UserControl1& c) {
        auto mouse = [this](const char* name) {
            return [this, name](qint16 button, qint16 shift, float x, float y) {
                entries << QStringLiteral("%1 %2 %3 %4 %5")
                               .arg(name)
                               .arg(button)
                               .arg(shift)
                               .arg(x)
                               .arg(y);
            };
        };
        QObject::connect(&c, &UserControl1::MouseDown, mouse("MouseDown"));
        QObject::connect(&c, &UserControl1::MouseMove, mouse("MouseMove"));
        QObject::connect(&c, &UserControl1::MouseUp, mouse("MouseUp"));
        QObject::connect(&c, &UserControl1::Click, [this] { entries << "Click"; });
        QObject::connect(&c, &UserControl1::DblClick, [this] { entries << "DblClick"; });
        QObject::connect(&c, &UserControl1::KeyDown, [this](qint16 code, qint16 shift) {
            entries << QStringLiteral("KeyDown %1 %2").arg(code).arg(shift);
        });
        QObject::connect(&c, &UserControl1::KeyUp, [this](qint16 code, qint16 shift) {
            entries << QStringLiteral("KeyUp %1 %2").arg(code).arg(shift);
        });
        QObject::connect(&c, &UserControl1::KeyPress, [this](qint16 ascii) {
            entries << QStringLiteral("KeyPress %1").arg(ascii);
        });
    }
    QStringList entries;
};

void sendMouse(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, w.mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(&w, &event);
}

void sendKey(QWidget& w, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
             const QString& text = QString()) {
    QKeyEvent event(type, key, modifiers, text);
    QCoreApplication::sendEvent(&w, &event);
}

TEST(ControlEvents, MouseEventsCarryButtonShiftAndPosition) {
    auto c = makeControl(0);
    EventLog log(*c);
    sendMouse(*c, QEvent::MouseButtonPress, {10.5, 7}, Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier | Qt::ControlModifier);
    sendMouse(*c, QEvent::MouseMove, {12, 9.25}, Qt::NoButton, Qt::LeftButton | Qt::RightButton,
              Qt::AltModifier);
    sendMouse(*c, QEvent::MouseButtonRelease, {12, 9}, Qt::LeftButton, Qt::NoButton);
    sendMouse(*c, QEvent::MouseButtonPress, {3, 4}, Qt::MiddleButton, Qt::MiddleButton);
    sendMouse(*c, QEvent::MouseButtonRelease, {3, 4}, Qt::MiddleButton, Qt::NoButton);
    sendMouse(*c, QEvent::MouseMove, {50, 30}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(log.entries, QStringList({"MouseDown 1 3 10.5 7", "MouseMove 3 4 12 9.25",
                                        "MouseUp 1 0 12 9", "Click", "MouseDown 4 0 3 4",
                                        "MouseUp 4 0 3 4", "MouseMove 0 0 50 30"}));
}

TEST(ControlEvents, RightButtonAndReleaseOutsideGiveNoClick) {
    auto c = makeControl(0);
    EventLog log(*c);
    sendMouse(*c, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    sendMouse(*c, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    sendMouse(*c, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(*c, QEvent::MouseButtonRelease, {200, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log.entries, QStringList({"MouseDown 2 0 5 5", "MouseUp 2 0 5 5", "MouseDown 1 0 5 5",
                                        "MouseUp 1 0 200 5"}));
}

TEST(ControlEvents, DoubleClickSequence) {
    auto c = makeControl(0);
    EventLog log(*c);
    sendMouse(*c, QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(*c, QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton);
    sendMouse(*c, QEvent::MouseButtonDblClick, {5, 6}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(*c, QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log.entries, QStringList({"MouseDown 1 0 5 6", "MouseUp 1 0 5 6", "Click", "DblClick",
                                        "MouseUp 1 0 5 6"}));
}

TEST(ControlEvents, CaptionLabelLetsClicksThroughToTheSurface) {
    auto c = makeControl(0, 73, 41, QStringLiteral("Entity1"));
    EXPECT_EQ(c->childAt(c->label()->geometry().center()), nullptr);
}

TEST(ControlEvents, MenuRequestsStayWithTheControl) {
    auto c = makeControl(0);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), c->mapToGlobal(QPoint(5, 5)));
    event.ignore();
    QCoreApplication::sendEvent(c.get(), &event);
    EXPECT_TRUE(event.isAccepted());
}

TEST(ControlEvents, KeysCarryVirtualKeyCodesAndCharacters) {
    auto c = makeControl(0);
    EventLog log(*c);
    sendKey(*c, QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    sendKey(*c, QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    sendKey(*c, QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    sendKey(*c, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    sendKey(*c, QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(log.entries, QStringList({"KeyDown 46 0", "KeyUp 46 0", "KeyDown 65 1", "KeyPress 65",
                                        "KeyDown 65 0", "KeyPress 97", "KeyUp 65 6"}));
}

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    qint16 code;
};

class VirtualKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyTest, MapsToTheWindowsCode) {
    EXPECT_EQ(virtualKeyCode(GetParam().qtKey, GetParam().modifiers), GetParam().code);
}

using K = KeyCase;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, VirtualKeyTest, ::testing::Values(
    K{Qt::Key_A, Qt::NoModifier, 65}, K{Qt::Key_Z, Qt::NoModifier, 90},
    K{Qt::Key_7, Qt::NoModifier, 55}, K{Qt::Key_7, Qt::KeypadModifier, 103},
    K{Qt::Key_Plus, Qt::KeypadModifier, 107}, K{Qt::Key_Plus, Qt::ShiftModifier, 187},
    K{Qt::Key_Exclam, Qt::ShiftModifier, 49}, K{Qt::Key_Home, Qt::KeypadModifier, 36},
    K{Qt::Key_Delete, Qt::NoModifier, 46}, K{Qt::Key_Tab, Qt::NoModifier, 9},
    K{Qt::Key_Enter, Qt::KeypadModifier, 13}, K{Qt::Key_Down, Qt::NoModifier, 40},
    K{Qt::Key_F12, Qt::NoModifier, 123}, K{Qt::Key_Comma, Qt::NoModifier, 188},
    K{Qt::Key_VolumeUp, Qt::NoModifier, 0}));
// clang-format on

}  // namespace
