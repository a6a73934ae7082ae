#include "headless.h"

#include <QApplication>
#include <map>
#include <string>

#include "commandline.h"
#include "gradecommand.h"
#include "language.h"
#include "largeheap.h"
#include "listcommand.h"
#include "picturecommand.h"
#include "quietmessages.h"
#include "settingskey.h"

namespace {

// Room for a large project and its workbook before the heap grows in small pages again.
constexpr std::size_t kHeadlessHeapReserve = std::size_t(512) << 20;

using Command = int (*)(const QStringList& arguments);

// Fonts (for label sizes) need a GUI application, and `picture` paints the diagram with widget
// styles, so a widget one.
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

template <typename Application>
int runIn(const Headless& command, int argc, char** argv, const QString& language) {
    Application app(argc, argv);
    applyLanguage(chosenLanguage(language, defaultSettingsFileName()));
    return command.run(QCoreApplication::arguments().mid(2));
}

}  // namespace

bool isHeadlessCommand(const char* name) {
    return headlessCommands().count(name) > 0;
}

int runHeadlessCommand(int argc, char** argv, const QString& language) {
    const Headless& command = headlessCommands().at(argv[1]);
    reserveLargePageHeap(kHeadlessHeapReserve);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    dropRuntimeDirectoryWarnings();
    return command.widgets ? runIn<QApplication>(command, argc, argv, language)
                           : runIn<QGuiApplication>(command, argc, argv, language);
}
