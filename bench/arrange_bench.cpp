// Automatic arrangement through the editor, as the Edit menu runs it (one step of the history,
// every moved element's connectors laid out again): the whole diagram, and the attributes around
// their owners. The goal: a 500-element diagram arranged in under a second; 32,000 elements must
// finish too.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QRectF>
#include <utility>

#include "benchdiagram.h"
#include "generateddiagram.h"
#include "history.h"

namespace {

struct Arranged {
    Diagram d;
    SilentPrompts prompts;
    Editor editor{d, prompts};
    History history{d};
    Document drawn;

    // `draw` fills the diagram; every run starts from the diagram as drawn.
    template <typename Draw>
    explicit Arranged(Draw draw) {
        draw(*this);
        drawn = d.document();
        editor.setHistory(&history);
    }
    void restore() { d.replaceDocument(drawn); }
};

// 500 elements: 100 entities with three attributes each and 100 relationships, half of them
// binary and half ternary, on a grid.
Arranged& varied500() {
    static Arranged diagram([](Arranged& a) { drawGeneratedDiagram(a.editor, 100, 3, 100); });
    return diagram;
}

// 125 entities in one ring of one-to-many relationships, two attributes each: 500 elements.
Arranged& ring500() {
    static Arranged diagram([](Arranged& a) { generateOneToManyProject(a.d, 125); });
    return diagram;
}

// The same ring at the largest size: 8,000 entities, 32,000 elements.
Arranged& ring32k() {
    static Arranged diagram([](Arranged& a) { generateOneToManyProject(a.d, 8000); });
    return diagram;
}

template <void (Editor::*command)()>
void run(benchmark::State& state, Arranged& diagram) {
    for (auto _ : state) {
        state.PauseTiming();
        diagram.restore();
        state.ResumeTiming();
        (diagram.editor.*command)();
    }
    state.counters["elements"] = diagram.d.elementCount() - 1;
    // The size of the drawing it comes out as.
    QRectF drawn;
    for (int i = 1; i < diagram.d.elementCount(); ++i) {
        const Element& e = std::as_const(diagram.d).element(i);
        if (e.Visible) drawn |= QRectF(e.Left, e.Top, e.Width, e.Height);
    }
    state.counters["width"] = drawn.width();
    state.counters["height"] = drawn.height();
}

void BM_ArrangeDiagramVaried500(benchmark::State& state) {
    run<&Editor::arrangeDiagram>(state, varied500());
}
BENCHMARK(BM_ArrangeDiagramVaried500)->Unit(benchmark::kMillisecond);

void BM_ArrangeDiagramRing500(benchmark::State& state) {
    run<&Editor::arrangeDiagram>(state, ring500());
}
BENCHMARK(BM_ArrangeDiagramRing500)->Unit(benchmark::kMillisecond);

void BM_ArrangeAttributesVaried500(benchmark::State& state) {
    run<&Editor::arrangeAttributes>(state, varied500());
}
BENCHMARK(BM_ArrangeAttributesVaried500)->Unit(benchmark::kMillisecond);

void BM_ArrangeDiagram32k(benchmark::State& state) {
    run<&Editor::arrangeDiagram>(state, ring32k());
}
BENCHMARK(BM_ArrangeDiagram32k)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ArrangeAttributes32k(benchmark::State& state) {
    run<&Editor::arrangeAttributes>(state, ring32k());
}
BENCHMARK(BM_ArrangeAttributes32k)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
