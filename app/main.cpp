#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "appinfo.h"
#include "commandline.h"
#include "form1.h"
#include "gradecommand.h"
#include "listcommand.h"
#include "picturecommand.h"
#include "relvaneapp.h"

namespace {

using Command = int (*)(const QStringList& arguments);

// The commands that run without a window. Fonts (for label sizes) need a GUI application, and
// `picture` paints shape controls, so a widget one; none ever needs a display.
struct Headless {
    Command run;
    bool widgets;
};
const std::map<std::string, Headless>& headlessCommands() {
    static const std::map<std::string, Headless> commands = {
        {"convert", {runConvertCommand, false}}, {"sql", {runSqlCommand, false}},
        {"check", {runCheckCommand, false}},     {"grade", {runGradeCommand, false}},
        {"list", {runListCommand, false}},       {"picture", {runPictureCommand, true}},
    };
    return commands;
}

int runHeadless(const Headless& command, int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (command.widgets) {
        QApplication app(argc, argv);
        return command.run(QCoreApplication::arguments().mid(2));
    }
    QGuiApplication app(argc, argv);
    return command.run(QCoreApplication::arguments().mid(2));
}

}  // namespace

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
    if (command) {
        const auto found = headlessCommands().find(command);
        if (found != headlessCommands().end()) return runHeadless(found->second, argc, argv);
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
