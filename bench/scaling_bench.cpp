// How the stages outside the drawing grow with the project: loading from the store into an
// editor, validation, mapping to relations, the workbook layout and saving, each from 1,000 to
// 32,000 elements in three project shapes. Every stage should come out O(N) or O(N lg N).
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QTemporaryDir>
#include <map>
#include <memory>

#include "benchdiagram.h"
#include "checkdiagram.h"
#include "diagramwarnings.h"
#include "generateddiagram.h"
#include "mapping.h"
#include "projectstore.h"
#include "workbook.h"

namespace {

enum Shape { OneToMany, WideEntity, ManyRelationships };

// One generated project per shape and size, made once and shared by the stages.
const Diagram& project(Shape shape, int n) {
    static std::map<std::pair<int, int>, std::unique_ptr<Diagram>> made;
    std::unique_ptr<Diagram>& d = made[{shape, n}];
    if (!d) {
        d = std::make_unique<Diagram>();
        switch (shape) {
            case OneToMany:
                generateOneToManyProject(*d, n / 4);
                break;
            case WideEntity:
                generateWideEntityProject(*d, n - 1);
                break;
            case ManyRelationships:
                generateManyRelationshipsProject(*d, n / 2);
                break;
        }
    }
    return *d;
}

void count(benchmark::State& state, const Diagram& d) {
    state.counters["elements"] = d.elementCount() - 1;
    state.counters["connectors"] = d.connectorCount() - 1;
    state.SetComplexityN(state.range(0));
}

QString sqliteUrl() {
    static QTemporaryDir dir;
    return QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("scaling.db"));
}

QString projectName(Shape shape, int n) {
    return QStringLiteral("scaling %1 %2").arg(int(shape)).arg(n);
}

void load(benchmark::State& state, Shape shape) {
    const int n = int(state.range(0));
    const Diagram& saved = project(shape, n);
    const ProjectStore store(sqliteUrl());
    if (!store.saveAs(saved, projectName(shape, n)).ok) {
        state.SkipWithError("the project could not be saved first");
        return;
    }
    Diagram d;
    SilentPrompts prompts;
    Editor editor(d, prompts);
    for (auto _ : state) {
        const auto result = store.loadInto(editor, projectName(shape, n));
        if (result.status != ProjectStore::LoadResult::Status::Loaded || result.skippedRows != 0)
            state.SkipWithError("the project did not load whole");
    }
    count(state, d);
}

void save(benchmark::State& state, Shape shape) {
    const int n = int(state.range(0));
    const Diagram& d = project(shape, n);
    const ProjectStore store(sqliteUrl());
    for (auto _ : state) {
        const auto result = store.saveAs(d, projectName(shape, n));
        if (!result.ok) state.SkipWithError(result.error.text().toUtf8().constData());
    }
    count(state, d);
}

void validate(benchmark::State& state, Shape shape) {
    const Diagram& d = project(shape, int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(findProblems(d));
        benchmark::DoNotOptimize(findWarnings(d));
    }
    count(state, d);
}

void map(benchmark::State& state, Shape shape) {
    const Diagram& d = project(shape, int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(mapDiagram(d));
    count(state, d);
}

void layOut(benchmark::State& state, Shape shape) {
    const Diagram& d = project(shape, int(state.range(0)));
    const RelationalModel model = mapDiagram(d);
    for (auto _ : state) benchmark::DoNotOptimize(layOutWorkbook(model, 2));
    count(state, d);
}

// 1,000 to 32,000 elements, doubling, and the growth fitted to them.
void sizes(benchmark::internal::Benchmark* b) {
    b->RangeMultiplier(2)->Range(1000, 32000)->Complexity()->Unit(benchmark::kMillisecond);
}

#define SCALING_BENCHMARKS(stage)                              \
    void BM_##stage##_OneToMany(benchmark::State& s) {         \
        stage(s, OneToMany);                                   \
    }                                                          \
    void BM_##stage##_WideEntity(benchmark::State& s) {        \
        stage(s, WideEntity);                                  \
    }                                                          \
    void BM_##stage##_ManyRelationships(benchmark::State& s) { \
        stage(s, ManyRelationships);                           \
    }                                                          \
    BENCHMARK(BM_##stage##_OneToMany)->Apply(sizes);           \
    BENCHMARK(BM_##stage##_WideEntity)->Apply(sizes);          \
    BENCHMARK(BM_##stage##_ManyRelationships)->Apply(sizes);

SCALING_BENCHMARKS(load)
SCALING_BENCHMARKS(validate)
SCALING_BENCHMARKS(map)
SCALING_BENCHMARKS(layOut)
SCALING_BENCHMARKS(save)

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
