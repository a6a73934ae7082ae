#include <QApplication>
#include <cstdio>
#include <cstring>
#include <vector>

#include "appinfo.h"
#include "commandline.h"
#include "form1.h"
#include "language.h"
#include "relvaneapp.h"
#include "settingskey.h"

namespace {

// Takes "--lang CODE" out of the arguments (it may stand anywhere) and returns CODE; empty when
// not given. Returns false on a missing or unknown code.
bool takeLanguageOption(int& argc, char** argv, QString& code) {
    std::vector<char*> kept;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--lang") == 0) {
            if (i + 1 >= argc) return false;
            code = QString::fromLocal8Bit(argv[++i]);
            if (code != kLanguageChinese && code != kLanguageEnglish) return false;
            continue;
        }
        kept.push_back(argv[i]);
    }
    argc = int(kept.size());
    for (int i = 0; i < argc; ++i) argv[i] = kept[size_t(i)];
    argv[argc] = nullptr;
    return true;
}

void useLanguage(const QString& given) {
    applyLanguage(chosenLanguage(given, defaultSettingsFileName()));
}

}  // namespace

int main(int argc, char** argv) {
    QString language;
    if (!takeLanguageOption(argc, argv, language)) {
        std::fprintf(stderr, "relvane: --lang takes zh_TW or en\n");
        return ExitUsageOrSystem;
    }
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
        useLanguage(language);
        QStringList arguments = QCoreApplication::arguments().mid(2);
        if (check) return runCheckCommand(arguments);
        return sql ? runSqlCommand(arguments) : runConvertCommand(arguments);
    }
    if (command) {
        std::fprintf(stderr, "relvane: unknown command %s (see relvane --help)\n", command);
        return ExitUsageOrSystem;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Relvane"));
    useLanguage(language);
    RelvaneApp relvane;
    // The program ends with its main window, even while the splash or the options stay open.
    QObject::connect(&relvane.window(), &Form1::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    relvane.start();
    return app.exec();
}
