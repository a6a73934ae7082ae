#include <QApplication>
#include <cstdio>
#include <cstring>

#include "appinfo.h"
#include "commandline.h"
#include "form1.h"
#include "picturecommand.h"
#include "relvaneapp.h"

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : nullptr;
    if (command && std::strcmp(command, "--version") == 0) {
        std::printf("relvane %s\n", qPrintable(versionNumber()));
        return ExitWritten;
    }
    if (command && (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0)) {
        std::printf("%s", commandLineHelp().toUtf8().constData());
        return ExitWritten;
    }
    const bool sql = command && std::strcmp(command, "sql") == 0;
    const bool check = command && std::strcmp(command, "check") == 0;
    if (command && (std::strcmp(command, "convert") == 0 || sql || check)) {
        // Headless: fonts (for label sizes) need a GUI application, but never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments().mid(2);
        if (check) return runCheckCommand(arguments);
        return sql ? runSqlCommand(arguments) : runConvertCommand(arguments);
    }
    if (command && std::strcmp(command, "picture") == 0) {
        // The shape controls paint the picture: widgets, still without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return runPictureCommand(QCoreApplication::arguments().mid(2));
    }
    if (command) {
        std::fprintf(stderr, "relvane: unknown command %s (see relvane --help)\n", command);
        return ExitUsageOrSystem;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Relvane"));
    RelvaneApp relvane;
    // The program ends with its main window, even while the splash or the options stay open.
    QObject::connect(&relvane.window(), &Form1::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    relvane.start();
    return app.exec();
}
