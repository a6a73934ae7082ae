#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "appinfo.h"
#include "commandline.h"
#include "form1.h"
#include "headless.h"
#include "language.h"
#include "packageversion.h"
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

// Start-up measurement (bench/startup_bench.cpp): with RELVANE_EXIT_AFTER_FIRST_PAINT set, the
// main window prints "first paint MS" (milliseconds since main began) to standard output once its
// first paint has been done, and then closes as if the user had closed it.
class ExitAfterFirstPaint : public QObject {
public:
    ExitAfterFirstPaint(QWidget& window, const QElapsedTimer& sinceMain)
        : window_(window), sinceMain_(sinceMain) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Queued: the window's children paint in the same pass, after the window itself.
            QTimer::singleShot(0, this, [this] {
                std::printf("first paint %.3f\n", double(sinceMain_.nsecsElapsed()) / 1e6);
                std::fflush(stdout);
                window_.close();
            });
        }
        return false;
    }

private:
    QWidget& window_;
    const QElapsedTimer& sinceMain_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QString language;
    if (!takeLanguageOption(argc, argv, language)) {
        std::fprintf(stderr, "relvane: --lang takes zh_TW or en\n");
        return ExitUsageOrSystem;
    }
    const char* command = argc > 1 ? argv[1] : nullptr;
    if (command && std::strcmp(command, "--version") == 0) {
        std::printf("relvane %s\n", qPrintable(packageVersion()));
        return ExitWritten;
    }
    if (command && (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0)) {
        std::printf("%s", commandLineHelp().toUtf8().constData());
        return ExitWritten;
    }
    if (command && isHeadlessCommand(command))
        return runHeadlessCommand(argc, argv, language);
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
    useLanguage(language);
    RelvaneApp relvane;
    // The program ends with its main window, even while the splash or the options stay open.
    QObject::connect(&relvane.window(), &Form1::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    std::unique_ptr<ExitAfterFirstPaint> measure;
    if (qEnvironmentVariableIsSet("RELVANE_EXIT_AFTER_FIRST_PAINT"))
        measure = std::make_unique<ExitAfterFirstPaint>(relvane.window(), sinceMain);
    relvane.start();
    if (openFile) relvane.openProjectFile(projectFile);
    return app.exec();
}
