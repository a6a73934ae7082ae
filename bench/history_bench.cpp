// Undo and redo on a large drawing: the time to take one step back and do it again, and the
// memory a hundred steps of history hold.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "benchmain.h"

#include "benchdiagram.h"
#include "history.h"
#include "recoverysnapshot.h"

namespace {

// The 2,000-element, 3,000-connector diagram of editor_bench, drawn before the history is
// attached, then a hundred ordinary steps: drops, renames and completed connections.
struct DiagramWithHistory {
    Diagram d;
    SilentPrompts prompts;
    Editor editor{d, prompts};
    History history{d};
    size_t historyBytes = 0;

    DiagramWithHistory() {
        drawGeneratedDiagram(editor, 500, 1, 1000);
        const size_t before = mallinfo2().uordblks;
        editor.setHistory(&history);
        for (int step = 0; step < History::kDefaultLimit; ++step) {
            const int entity = 1 + 2 * (step % 500);
            switch (step % 3) {
                case 0:
                    editor.elementLeftDown(entity, 5, 5);
                    editor.dropElement(entity, 300 + float(step), 200);
                    break;
                case 1:
                    editor.toolbarButton(QStringLiteral("RelLine"));
                    editor.elementLeftDown(entity, 1, 1);
                    editor.elementLeftDown(1001 + step % 1000, 1, 1);
                    editor.elementLeftDown(entity + 2, 1, 1);
                    break;
                default:
                    editor.bigger(entity);
                    break;
            }
        }
        historyBytes = mallinfo2().uordblks - before;
    }
};

DiagramWithHistory& large() {
    static DiagramWithHistory* diagram = new DiagramWithHistory;  // kept past main's end
    return *diagram;
}

// One step (the last, a drop or a connection) taken back and done again.
void BM_UndoRedoOneStep(benchmark::State& state) {
    DiagramWithHistory& big = large();
    for (auto _ : state) {
        big.history.stack().undo();
        big.history.stack().redo();
    }
    state.counters["steps"] = big.history.stack().count();
    state.counters["history_MB"] = double(big.historyBytes) / (1024.0 * 1024.0);
    state.counters["elements"] = big.d.elementCount() - 1;
}
BENCHMARK(BM_UndoRedoOneStep)->Unit(benchmark::kMillisecond);

// The whole history taken back, then done again: a hundred steps each way.
void BM_UndoRedoHundredSteps(benchmark::State& state) {
    DiagramWithHistory& big = large();
    for (auto _ : state) {
        while (big.history.stack().canUndo()) big.history.stack().undo();
        while (big.history.stack().canRedo()) big.history.stack().redo();
    }
}
BENCHMARK(BM_UndoRedoHundredSteps)->Unit(benchmark::kMillisecond);

// Crash recovery: what the editor's thread pays to hand the diagram to the writer (a copy that
// shares text and collections), and what the writer's thread does with it.
void BM_RecoveryTakeSnapshot(benchmark::State& state) {
    const Diagram& d = large().d;
    for (auto _ : state) {
        RecoverySnapshot snapshot{d.document(), d.view.projectName, d.view.project,
                                  d.settings.PresentStyle};
        benchmark::DoNotOptimize(snapshot);
    }
}
BENCHMARK(BM_RecoveryTakeSnapshot)->Unit(benchmark::kMillisecond);

void BM_RecoveryEncodeSnapshot(benchmark::State& state) {
    const Diagram& d = large().d;
    const RecoverySnapshot snapshot{d.document(), {}, {}, 1};
    qsizetype bytes = 0;
    for (auto _ : state) bytes = encodeSnapshot(snapshot).size();
    state.counters["file_MB"] = double(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_RecoveryEncodeSnapshot)->Unit(benchmark::kMillisecond);

void BM_RecoveryDecodeSnapshot(benchmark::State& state) {
    const Diagram& d = large().d;
    const QByteArray bytes = encodeSnapshot({d.document(), {}, {}, 1});
    for (auto _ : state) benchmark::DoNotOptimize(decodeSnapshot(bytes, nullptr));
}
BENCHMARK(BM_RecoveryDecodeSnapshot)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
