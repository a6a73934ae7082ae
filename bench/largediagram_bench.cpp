// The window at the largest sizes a project may have (up to 32,767 elements): loading a stored
// project into it and painting it the first time, repainting with 10,000 elements in view,
// dropping one element, and the connect mode's highlighting of every element. The load reports
// the memory the process holds afterwards.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "benchwindow.h"
#include "generateddiagram.h"
#include "projectstore.h"
#include "reviewpanel.h"

namespace {

const QString kProject = QStringLiteral("large");

// Resident memory of this process in MB.
double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The one-to-many project of `elements` elements, saved once in an SQLite file of its own.
QString storedProject(int elements) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> dirs;
    auto& dir = dirs[elements];
    const bool fresh = !dir;
    if (fresh) dir = std::make_unique<QTemporaryDir>();
    const QString url = QStringLiteral("sqlite:") + dir->filePath(QStringLiteral("large.db"));
    if (fresh) {
        Diagram d;
        generateOneToManyProject(d, elements / 4);
        ProjectStore(url).saveAs(d, kProject);
    }
    return url;
}

using Window = BenchWindow;

bool load(Window& window, const QString& url) {
    const auto result = ProjectStore(url).loadInto(window.form.editor(), kProject);
    return result.status == ProjectStore::LoadResult::Status::Loaded && result.skippedRows == 0;
}

// Read, build, lay out and first paint, in a window already open.
void BM_LoadIntoWindow(benchmark::State& state) {
    const QString url = storedProject(int(state.range(0)));
    double resident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>();
        state.ResumeTiming();
        if (!load(*window, url)) state.SkipWithError("the project did not load whole");
        QApplication::processEvents();
        window->canvas().repaint();
        state.PauseTiming();
        resident = residentMegabytes();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["elements"] = double(state.range(0));
    state.counters["resident_MB"] = resident;
}
BENCHMARK(BM_LoadIntoWindow)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A window holding the project of `elements` elements, kept for the benchmarks that follow.
Window& windowWith(int elements) {
    static std::map<int, Window*> windows;  // never destroyed: see canvas_bench
    Window*& window = windows[elements];
    if (!window) {
        window = new Window;
        load(*window, storedProject(elements));
        QApplication::processEvents();
    }
    return *window;
}

// Every element in view: 10,000 elements laid out 100 to a row, close together, the drawing
// fitted to a large window (at the smallest zoom).
void BM_FullRepaintTenThousandInView(benchmark::State& state) {
    static Window* window = nullptr;
    if (!window) {
        window = new Window;
        window->form.resize(2000, 1300);
        const ChangeScope oneChange(window->form.diagram());
        generateOneToManyProject(window->form.diagram(), 2500, 100, QSizeF(76, 44));
    }
    Diagram& d = window->form.diagram();
    window->canvas().fitToDrawing();
    QApplication::processEvents();
    for (auto _ : state) window->canvas().repaint();
    int inView = 0;
    for (int i = 1; i < d.elementCount(); ++i)
        inView += window->canvas().rect().contains(window->canvas().elementRect(i));
    state.counters["in_view"] = inView;
    state.counters["elements"] = d.elementCount() - 1;
    state.counters["zoom"] = window->canvas().zoom();
}
BENCHMARK(BM_FullRepaintTenThousandInView)->Unit(benchmark::kMillisecond);

// One element dropped somewhere else and the window brought up to date (scroll bars, repaint).
void BM_DropInLargeProject(benchmark::State& state) {
    Window& window = windowWith(int(state.range(0)));
    Editor& editor = window.form.editor();
    const int entity = 4;  // E1, whose relationships lie beside it
    int n = 0;
    for (auto _ : state) {
        editor.elementLeftDown(entity, 5, 5);
        // Between the rows and columns of the generated layout: bare ground.
        window.canvas().dropAt(entity, QPointF(396 + (++n % 2) * 80, 350));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DropInLargeProject)->Arg(32000)->Unit(benchmark::kMillisecond);

// "Set Attribute" highlights every element as a candidate; Cancel restores them.
void BM_ConnectModeHighlight(benchmark::State& state) {
    Window& window = windowWith(int(state.range(0)));
    Editor& editor = window.form.editor();
    for (auto _ : state) {
        editor.toolbarButton(QStringLiteral("AttLine"));
        QApplication::processEvents();
        editor.cancel();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ConnectModeHighlight)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Unit(benchmark::kMillisecond);

// The review panel brought up to date after a rename: validation, mapping and the changed
// lines of its text, on the whole large project.
void BM_ReviewPanelAfterRename(benchmark::State& state) {
    Window& window = windowWith(int(state.range(0)));
    ReviewPanel* panel = new ReviewPanel(window.workspace, window.canvas(), &window.form);
    Diagram& d = window.form.diagram();
    panel->refresh();
    int n = 0;
    for (auto _ : state) {
        d.element(1).Caption = QStringLiteral("E%1").arg(++n);
        panel->refresh();
    }
    delete panel;
}
BENCHMARK(BM_ReviewPanelAfterRename)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
