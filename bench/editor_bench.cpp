// Editor speed on a large drawing: re-placing the connectors of a dropped element, deleting an
// entity with many attributes, entering and leaving a connect mode.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <memory>

#include "benchdiagram.h"
#include "generateddiagram.h"
#include "history.h"

namespace {

// 2,000 elements and 3,000 connectors: 500 entities with one attribute each (1,000 elements,
// 500 attribute connectors) and 1,000 relationships, half binary and half ternary (2,500
// relationship connectors).
struct LargeDiagram {
    Diagram d;
    SilentPrompts prompts;
    Editor editor{d, prompts};
    LargeDiagram() { drawGeneratedDiagram(editor, 500, 1, 1000); }
};

void BM_DropRelaysConnectors(benchmark::State& state) {
    static LargeDiagram large;
    const int element = 1;  // an entity with its attribute and several relationships
    float x = 0;
    for (auto _ : state) {
        large.editor.elementLeftDown(element, 5, 5);
        large.editor.dropElement(element, 300 + x, 200);
        x = x > 100 ? 0 : x + 1;
    }
    state.counters["elements"] = large.d.elementCount() - 1;
    state.counters["connectors"] = large.d.connectorCount() - 1;
}
BENCHMARK(BM_DropRelaysConnectors)->Unit(benchmark::kMicrosecond);

// The same at the largest size: 32,000 elements and 32,000 connectors. A drop must cost what the
// dropped element's connectors cost, whatever the size of the rest of the project.
struct LargestProject {
    Diagram d;
    SilentPrompts prompts;
    Editor editor{d, prompts};
    LargestProject() { generateOneToManyProject(d, 8000); }
};

void BM_DropRelaysConnectors32k(benchmark::State& state) {
    static LargestProject largest;
    const int element = 1;  // entity E0: its two attributes and two relationships
    float x = 0;
    for (auto _ : state) {
        largest.editor.elementLeftDown(element, 5, 5);
        largest.editor.dropElement(element, 300 + x, 200);
        x = x > 100 ? 0 : x + 1;
    }
    state.counters["elements"] = largest.d.elementCount() - 1;
    state.counters["connectors"] = largest.d.connectorCount() - 1;
}
BENCHMARK(BM_DropRelaysConnectors32k)->Unit(benchmark::kMicrosecond);

// Deleting an entity takes its attributes with it: one command whose work grows with the
// entity's attributes, here 1,000 to 31,999 of them.
void BM_DeleteEntityWithItsAttributes(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto d = std::make_unique<Diagram>();
        generateWideEntityProject(*d, int(state.range(0)) - 1);
        SilentPrompts prompts;
        Editor editor(*d, prompts);
        state.ResumeTiming();
        editor.deleteEntity(1);
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DeleteEntityWithItsAttributes)
    ->RangeMultiplier(2)
    ->Range(1000, 32000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// Entering a connect mode and cancelling it at the largest size, with the history the window
// keeps: "Set Attribute" (0) marks every element, "Set Relationship" (1) every entity.
void BM_ConnectModeEnterAndCancel32k(benchmark::State& state) {
    static LargestProject largest;
    static History history(largest.d);
    largest.editor.setHistory(&history);
    const QString button =
        state.range(0) == 0 ? QStringLiteral("AttLine") : QStringLiteral("RelLine");
    for (auto _ : state) {
        largest.editor.toolbarButton(button);
        largest.editor.cancel();
    }
    largest.editor.setHistory(nullptr);
    state.counters["elements"] = largest.d.elementCount() - 1;
}
BENCHMARK(BM_ConnectModeEnterAndCancel32k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
