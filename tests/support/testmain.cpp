#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// One QApplication for every test of the executable; widgets, fonts and QSettings need it.
// Settings and data paths go to a private test location, never the user's own.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
