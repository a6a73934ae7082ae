// The main window's remembered placement at start-up, on the offscreen platform's screen.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include "fakeappdialogs.h"
#include "fakeprompts.h"
#include "form1.h"
#include "relvaneapp.h"

namespace {

// The window's geometry after a start with the given Left, Top, Width and Height settings.
QRect startedGeometry(const QString& left, const QString& top, const QString& width,
                      const QString& height) {
    QTemporaryDir dir;
    const QString settingsFile = dir.filePath("Quillo.conf");
    {
        QSettings stored(settingsFile, QSettings::IniFormat);
        stored.setValue("FirstLogo", "0");
        stored.setValue("Left", left);
        stored.setValue("Top", top);
        stored.setValue("Width", width);
        stored.setValue("Height", height);
    }
    FakePrompts prompts;
    FakeAppDialogs dialogs;
    RelvaneApp app(&prompts, &dialogs, settingsFile, dir.filePath("recovery"));
    app.start();
    const QRect shown = app.window().geometry();
    app.window().close();
    return shown;
}

TEST(StartupPlacement, ARememberedPlacementOnTheScreenIsKeptAndAnyOtherIsBroughtOntoIt) {
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();

    EXPECT_EQ(startedGeometry("30", "40", "500", "400"), QRect(30, 40, 500, 400));

    const QRect offScreen = startedGeometry("-100000", "-100000", "600", "400");
    EXPECT_TRUE(area.contains(offScreen)) << offScreen.x() << "," << offScreen.y();
    EXPECT_EQ(offScreen.size(), QSize(600, 400));

    // As large as the screen at most, less the frame the platform puts around it.
    const QRect huge = startedGeometry("0", "0", "100000", "100000");
    EXPECT_TRUE(area.contains(huge)) << huge.width() << "x" << huge.height();
    EXPECT_GE(huge.width(), area.width() - 40);
    EXPECT_GE(huge.height(), area.height() - 80);
}

}  // namespace
