#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "fakeprompts.h"
#include "frmabout.h"
#include "frmsplash.h"
#include "settingsstore.h"
#include "windowfit.h"

namespace {

// A second screen to the right of a first one, without its bottom panel row.
const QRect kArea(1920, 0, 1280, 984);

WindowPlacement placement(float left, float top, float width, float height) {
    WindowPlacement p;
    p.left = left;
    p.top = top;
    p.width = width;
    p.height = height;
    return p;
}

// ---- Remembered main window ----

TEST(FitPlacement, KeepsAPlacementThatFitsAndPullsTheRestOntoTheArea) {
    EXPECT_EQ(fitPlacement(placement(2000, 50, 800, 600), kArea), QRect(2000, 50, 800, 600));
    EXPECT_EQ(fitPlacement(placement(2000.4f, 49.6f, 800, 600), kArea), QRect(2000, 50, 800, 600));

    // Off to the left or the top: to the area's edge, size kept.
    EXPECT_EQ(fitPlacement(placement(-100000, -100000, 800, 600), kArea),
              QRect(1920, 0, 800, 600));
    // Hanging over the right and bottom edges: moved back just far enough.
    EXPECT_EQ(fitPlacement(placement(3000, 900, 800, 600), kArea), QRect(2400, 384, 800, 600));
    EXPECT_EQ(fitPlacement(placement(100000, 100000, 800, 600), kArea), QRect(2400, 384, 800, 600));
}

TEST(FitPlacement, ASizeLargerThanTheAreaShrinksToIt) {
    EXPECT_EQ(fitPlacement(placement(2000, 50, 100000, 600), kArea), QRect(1920, 50, 1280, 600));
    EXPECT_EQ(fitPlacement(placement(2000, 50, 800, 100000), kArea), QRect(2000, 0, 800, 984));
    const float huge = std::numeric_limits<float>::max();
    EXPECT_EQ(fitPlacement(placement(-huge, huge, huge, huge), kArea), kArea);
}

TEST(FitPlacement, APositionThatIsNoNumberCentresTheWindow) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(fitPlacement(placement(nan, nan, 800, 600), kArea), QRect(2160, 192, 800, 600));
}

TEST(FitPlacement, WithoutAnAreaOnlyTheCoordinateRangeIsKept) {
    const QRect r = fitPlacement(placement(-1e30f, 10, 1e30f, 20), QRect());
    EXPECT_LT(r.left(), -100000);
    EXPECT_GT(r.width(), 100000);
    EXPECT_GT(r.right(), r.left()) << "no overflow";
    EXPECT_EQ(r.top(), 10);
}

// ---- Windows centred on the main window ----

TEST(CentredInside, CentresOnTheAnchorAndStaysInTheArea) {
    const QSize about(400, 300);
    EXPECT_EQ(centredInside(about, QRect(2000, 100, 800, 600), kArea), QPoint(2200, 250));
    // A main window hanging off the screen's right and bottom edges.
    EXPECT_EQ(centredInside(about, QRect(2900, 800, 800, 600), kArea), QPoint(2800, 684));
    // And off its left and top edges.
    EXPECT_EQ(centredInside(about, QRect(1000, -500, 800, 600), kArea), QPoint(1920, 0));
    // Larger than the area: its top-left corner, so the title and the buttons at the top show.
    EXPECT_EQ(centredInside(QSize(2000, 1200), QRect(2000, 100, 800, 600), kArea),
              QPoint(1920, 0));
}

// On the offscreen platform a window is where it was put, without a frame.
class CentredWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
        area = QGuiApplication::primaryScreen()->availableGeometry();
        mainWindow.resize(area.width() / 2, area.height() / 2);
    }
    void expectInsideArea(const QWidget& w) const {
        EXPECT_TRUE(area.contains(w.frameGeometry()))
            << w.frameGeometry().x() << "," << w.frameGeometry().y() << " "
            << w.frameGeometry().width() << "x" << w.frameGeometry().height();
    }

    QRect area;
    QWidget mainWindow;
    FakePrompts prompts;
    QTemporaryDir dir;
    SettingsStore store{prompts, dir.filePath(QStringLiteral("Quillo.conf"))};
};

TEST_F(CentredWindowTest, AboutAndSplashOpenCentredOnTheMainWindow) {
    mainWindow.move(area.topLeft() + QPoint(area.width() / 8, area.height() / 8));
    mainWindow.show();
    frmAbout* about = showAboutWindow(prompts, &mainWindow);
    EXPECT_LE((about->frameGeometry().center() - mainWindow.frameGeometry().center())
                  .manhattanLength(),
              2);
    expectInsideArea(*about);
    about->close();

    frmSplash splash(store, &mainWindow);
    splash.show();
    EXPECT_LE((splash.frameGeometry().center() - mainWindow.frameGeometry().center())
                  .manhattanLength(),
              2);
}

TEST_F(CentredWindowTest, AboutAndSplashStayOnTheScreenBesideAMainWindowPartlyOffIt) {
    mainWindow.move(area.right() - mainWindow.width() / 4, area.bottom() - mainWindow.height() / 4);
    mainWindow.show();
    frmAbout* about = showAboutWindow(prompts, &mainWindow);
    expectInsideArea(*about);
    about->close();

    frmSplash splash(store, &mainWindow);
    splash.show();
    expectInsideArea(splash);
}

TEST_F(CentredWindowTest, ASplashWithoutAMainWindowShowsCentredOnTheScreen) {
    frmSplash splash(store);
    splash.show();
    EXPECT_LE((splash.frameGeometry().center() - area.center()).manhattanLength(), 2);
}

}  // namespace
