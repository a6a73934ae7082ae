#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "appinfo.h"
#include "commandline.h"
#include "form1.h"
#include "gradecommand.h"
#include "listcommand.h"
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
    const bool grade = command && std::strcmp(command, "grade") == 0;
    const bool list = command && std::strcmp(command, "list") == 0;
    if (command && (std::strcmp(command, "convert") == 0 || sql || check || grade || list)) {
        // Headless: fonts (for label sizes) need a GUI application, but never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QStringList arguments = QCoreApplication::arguments().mid(2);
        if (check) return runCheckCommand(arguments);
        if (grade) return runGradeCommand(arguments);
        if (list) return runListCommand(arguments);
        return sql ? runSqlCommand(arguments) : runConvertCommand(arguments);
    }
    // `relvane FILE.relvane` (the desktop opening a project file) starts the editor with it.
    const QString projectFile = command ? QFile::decodeName(command) : QString();
    const bool openFile =
        command && (projectFile.endsWith(QLatin1String(".relvane"), Qt::CaseInsensitive) ||
                    QFileInfo(projectFile).isFile());
    if (command && !openFile) {
        std::fprintf(stderr, "relvane: unknown command %s (see relvane --help)\n", command);
        return ExitUsageOrSystem;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Relvane"));
    // Desktops match the windows to the installed launcher and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.relvane.Relvane"));
    RelvaneApp relvane;
    // The program ends with its main window, even while the splash or the options stay open.
    QObject::connect(&relvane.window(), &Form1::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    relvane.start();
    if (openFile) relvane.openProjectFile(projectFile);
    return app.exec();
}
