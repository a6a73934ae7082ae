// The overview dock over the largest project (32,000 elements): the map's picture made again (what
// the pause after a change costs, at most once per pause), and one element dropped with the
// overview hidden and shown.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "benchwindow.h"
#include "generateddiagram.h"
#include "overview.h"

namespace {

struct Window : BenchWindow {
    Window() {
        form.overviewDock()->show();
        {
            const ChangeScope oneChange(form.diagram());
            generateOneToManyProject(form.diagram(), 8000);  // 32,000 elements
        }
        QApplication::processEvents();
    }
    OverviewMap& map() { return *form.overviewDock()->map(); }
};

// Never destroyed: the application's fonts and windows outlive the benchmarks otherwise.
Window& window() {
    static Window* shared = new Window;
    return *shared;
}

void BM_OverviewPicture(benchmark::State& state) {
    Window& w = window();
    w.map().refresh();  // the elements' pictures are made on the first paint and kept
    for (auto _ : state) w.map().refresh();
    state.counters["elements"] = w.form.diagram().elementCount() - 1;
    state.counters["map_px"] = w.map().width() * w.map().height();
}
BENCHMARK(BM_OverviewPicture)->Unit(benchmark::kMillisecond);

// One element dropped and the window brought up to date, with the overview hidden (0) and shown
// (1): the difference is what the overview adds to an edit, its pictures made after each pause
// included.
void BM_DropWithOverview(benchmark::State& state) {
    Window& w = window();
    w.form.overviewDock()->setVisible(state.range(0) == 1);
    Editor& editor = w.form.editor();
    const int entity = 4;
    int n = 0;
    for (auto _ : state) {
        editor.elementLeftDown(entity, 5, 5);
        editor.dropElement(entity, 400 + float(++n % 2) * 80, 350);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DropWithOverview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
