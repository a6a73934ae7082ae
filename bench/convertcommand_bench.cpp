// `relvane convert` of the large one-to-many project (8,000 entities, 32,000 elements) from an
// SQLite store: each stage the command goes through in this process, the whole conversion in this
// process, and the real binary as a child process (wall time, start-up and exit included). The
// project is generated and saved once; every run reads it back from the store.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "checkdiagram.h"
#include "commandsupport.h"
#include "conversionjob.h"
#include "explanationsheet.h"
#include "generateddiagram.h"
#include "mapping.h"
#include "projectstore.h"
#include "workbook.h"
#include "xlsx.h"

namespace {

// The arrow style of new settings, which the command uses without settings of its own: routed.
constexpr int kArrowStyle = 2;

constexpr int kEntities = 8000;
const QString kProject = QStringLiteral("one to many 8000");

// The store with the project saved in it, and a folder for the workbooks and a fresh HOME.
struct StoredProject {
    QTemporaryDir dir;
    QString url;
    QString error;  // why the project could not be saved; empty when it was

    StoredProject() {
        url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("bench.db"));
        Diagram d;
        d.settings.PresentStyle = 1;  // min,max notation, as the generated participations are
        generateOneToManyProject(d, kEntities);
        const auto saved = ProjectStore(url).saveAs(d, kProject);
        if (!saved.ok) error = saved.error.text();
        QDir(dir.path()).mkpath(QStringLiteral("home"));
    }
    QString output() const { return dir.filePath(QStringLiteral("bench.xlsx")); }
    QString home() const { return dir.filePath(QStringLiteral("home")); }
};

StoredProject& stored() {
    static StoredProject project;
    return project;
}

bool ready(benchmark::State& state) {
    if (stored().error.isEmpty()) return true;
    state.SkipWithError(("the project could not be saved: " + stored().error).toUtf8().constData());
    return false;
}

// The project as the command holds it after loading: loaded once, shared by the stages after it.
HeadlessProject& loaded() {
    static HeadlessProject project;
    static const bool once = [] {
        return ProjectStore(stored().url).loadInto(project.editor, kProject).status ==
               ProjectStore::LoadResult::Status::Loaded;
    }();
    (void)once;
    return project;
}

enum Stage { Load, Validate, Map, LayOut, Package, WriteFile };
const char* const kStageNames[] = {"load from store",     "validate",  "map", "lay out",
                                   "package (XML + zip)", "write file"};

// One stage on its own, from the results of the stages before it.
void BM_ConvertStage(benchmark::State& state) {
    if (!ready(state)) return;
    const auto stage = Stage(state.range(0));
    HeadlessProject& project = loaded();
    const RelationalModel model = mapDiagram(project.diagram);
    Workbook book = layOutWorkbook(model, kArrowStyle);
    book.more.push_back(explanationSheet(model, project.diagram));
    const QByteArray bytes = Xlsx::package(book).value_or(QByteArray());
    for (auto _ : state) {
        switch (stage) {
            case Load: {
                HeadlessProject fresh;
                const auto result = ProjectStore(stored().url).loadInto(fresh.editor, kProject);
                if (result.status != ProjectStore::LoadResult::Status::Loaded)
                    state.SkipWithError("the project did not load");
                break;
            }
            case Validate:
                benchmark::DoNotOptimize(ConversionJob(project.editor).check());
                break;
            case Map:
                benchmark::DoNotOptimize(mapDiagram(project.diagram));
                break;
            case LayOut: {
                Workbook laidOut = layOutWorkbook(model, kArrowStyle);
                laidOut.more.push_back(explanationSheet(model, project.diagram));
                benchmark::DoNotOptimize(laidOut);
                break;
            }
            case Package:
                benchmark::DoNotOptimize(Xlsx::package(book));
                break;
            case WriteFile:
                if (!Xlsx::writeFile(bytes, stored().output()))
                    state.SkipWithError("the workbook could not be written");
                break;
        }
    }
    state.SetLabel(kStageNames[stage]);
    state.counters["shapes"] = double(book.output.shapes.size());
    state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(BM_ConvertStage)
    ->DenseRange(Load, WriteFile)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

// What runConvertCommand does once its options are read: load, validate, write the workbook.
void BM_ConvertInProcess(benchmark::State& state) {
    if (!ready(state)) return;
    for (auto _ : state) {
        HeadlessProject project;
        ConversionJob job(project.editor);
        if (loadOnly(stored().url, kProject, project.editor) || job.check() ||
            !job.writeWorkbook(stored().output(), kArrowStyle).ok())
            state.SkipWithError("the conversion failed");
    }
}
BENCHMARK(BM_ConvertInProcess)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The relvane binary, built into the same folder as the benchmarks.
QString relvaneBinary() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("relvane"));
}

// Runs the binary with fresh settings and returns its wall time in seconds; negative (after
// skipping the benchmark) when it could not run or did not exit with status 0.
double runRelvane(benchmark::State& state, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), stored().home());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), stored().home());
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(relvaneBinary(), arguments);
    const bool finished = process.waitForFinished(60000);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        state.SkipWithError(
            ("relvane " + arguments.join(' ') + " failed: " + process.readAllStandardError())
                .toUtf8()
                .constData());
        return -1;
    }
    return seconds;
}

// The whole `relvane convert` process: start-up, load, validate, write, exit.
void BM_ConvertCommand(benchmark::State& state) {
    if (!ready(state)) return;
    if (!QFileInfo(relvaneBinary()).isExecutable()) {
        state.SkipWithError("no relvane binary beside the benchmark: build the relvane target");
        return;
    }
    const QStringList arguments{QStringLiteral("convert"),
                                QStringLiteral("--db"),
                                stored().url,
                                QStringLiteral("--project"),
                                kProject,
                                QStringLiteral("--output"),
                                stored().output()};
    for (auto _ : state) {
        const double seconds = runRelvane(state, arguments);
        if (seconds < 0) break;
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ConvertCommand)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// The process around the conversion: `relvane list` starts the same headless application, opens
// the same store and lists its one project.
void BM_HeadlessStartAndExit(benchmark::State& state) {
    if (!ready(state)) return;
    const QStringList arguments{QStringLiteral("list"), QStringLiteral("--db"), stored().url};
    for (auto _ : state) {
        const double seconds = runRelvane(state, arguments);
        if (seconds < 0) break;
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_HeadlessStartAndExit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
