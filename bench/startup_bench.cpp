// Cold start of the editor: the real relvane binary, started with fresh settings (an empty HOME
// and configuration folder, the splash turned off) on the offscreen platform, timed from the
// start of the process to the end of its main window's first paint. The binary prints that
// moment when RELVANE_EXIT_AFTER_FIRST_PAINT is set (see app/main.cpp) and then closes.
// Reported per run and as the median of the repetitions ("BM_ColdStart_median").
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kRuns = 15;

QString relvaneBinary() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("relvane"));
}

// A settings file that has only the splash turned off: every other value takes its default.
bool writeFreshSettings(const QString& configFolder) {
    QFile file(QDir(configFolder).filePath(QStringLiteral("Quillo.conf")));
    return file.open(QIODevice::WriteOnly) && file.write("[General]\nFirstLogo=0\n") > 0;
}

void BM_ColdStart(benchmark::State& state) {
    if (!QFileInfo(relvaneBinary()).isExecutable()) {
        state.SkipWithError("no relvane binary beside the benchmark: build the relvane target");
        return;
    }
    double insideMain = 0;
    for (auto _ : state) {
        QTemporaryDir home;
        const QString config = home.filePath(QStringLiteral(".config"));
        if (!QDir().mkpath(config) || !writeFreshSettings(config)) {
            state.SkipWithError("the fresh settings could not be written");
            break;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("RELVANE_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
        QProcess process;
        process.setProcessEnvironment(environment);

        QElapsedTimer timer;
        timer.start();
        process.start(relvaneBinary(), {});
        QByteArray output;
        while (!output.contains('\n') && process.waitForReadyRead(10000))
            output += process.readAllStandardOutput();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        process.waitForFinished(10000);

        if (!output.startsWith("first paint ")) {
            state.SkipWithError(("no first paint reported: " + process.readAllStandardError())
                                    .constData());
            break;
        }
        insideMain = output.mid(12).trimmed().toDouble();
        state.SetIterationTime(seconds);
    }
    // The part of the last run that main itself took; the rest is loading the program.
    state.counters["main_ms"] = insideMain;
}
BENCHMARK(BM_ColdStart)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(kRuns)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
