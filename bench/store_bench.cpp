// Project store speed: saving and loading a 5,000-element diagram in SQLite and PostgreSQL.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QTemporaryDir>

#include "benchdiagram.h"
#include "projectstore.h"

namespace {

// 5,000 elements: 1,000 entities with three attributes each and 1,000 relationships, half
// binary and half ternary (3,000 attribute connectors, 2,500 relationship connectors).
struct LargeDiagram {
    Diagram d;
    SilentPrompts prompts;
    Editor editor{d, prompts};
    LargeDiagram() { drawGeneratedDiagram(editor, 1000, 3, 1000); }
};

LargeDiagram& large() {
    static LargeDiagram diagram;
    return diagram;
}

QString sqliteUrl() {
    static QTemporaryDir dir;
    return QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("bench.db"));
}

// The PostgreSQL server named by RELVANE_TEST_PG (scripts/test starts one); empty when unset.
QString postgresUrl() {
    return qEnvironmentVariable("RELVANE_TEST_PG");
}

const QString kProject = QStringLiteral("bench 5000");

void save(benchmark::State& state, const QString& url) {
    if (url.isEmpty()) {
        state.SkipWithError("RELVANE_TEST_PG is not set: no PostgreSQL server to measure");
        return;
    }
    const ProjectStore store(url);
    LargeDiagram& diagram = large();
    for (auto _ : state) {
        const auto result = store.saveAs(diagram.d, kProject);
        if (!result.ok) state.SkipWithError(result.error.text().toUtf8().constData());
    }
    state.counters["elements"] = diagram.d.elementCount() - 1;
}

void load(benchmark::State& state, const QString& url) {
    if (url.isEmpty()) {
        state.SkipWithError("RELVANE_TEST_PG is not set: no PostgreSQL server to measure");
        return;
    }
    const ProjectStore store(url);
    if (!store.saveAs(large().d, kProject).ok) {
        state.SkipWithError("the project could not be saved first");
        return;
    }
    Diagram d;
    SilentPrompts prompts;
    Editor editor(d, prompts);
    for (auto _ : state) {
        const auto result = store.loadInto(editor, kProject);
        if (result.status != ProjectStore::LoadResult::Status::Loaded || result.skippedRows != 0)
            state.SkipWithError("the project did not load whole");
    }
    state.counters["elements"] = d.elementCount() - 1;
    state.counters["connectors"] = d.connectorCount() - 1;
}

void BM_SaveSQLite(benchmark::State& state) {
    save(state, sqliteUrl());
}
void BM_LoadSQLite(benchmark::State& state) {
    load(state, sqliteUrl());
}
void BM_SavePostgreSQL(benchmark::State& state) {
    save(state, postgresUrl());
}
void BM_LoadPostgreSQL(benchmark::State& state) {
    load(state, postgresUrl());
}

BENCHMARK(BM_SaveSQLite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadSQLite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SavePostgreSQL)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadPostgreSQL)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
