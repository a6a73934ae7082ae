// Validation, mapping and writing of generated diagrams: n entities, n relationships and 4n
// attributes. The figures at n = 1000 are the ones that matter; the smaller and larger sizes show
// how time grows with the diagram.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QTemporaryDir>

#include "benchdiagram.h"
#include "checkdiagram.h"
#include "conversionjob.h"
#include "diagram.h"
#include "generateddiagram.h"
#include "mapping.h"
#include "prompts.h"
#include "sqlscript.h"
#include "workbook.h"
#include "xlsx.h"

namespace {

// n entities with a key and two more attributes (every tenth entity's third one multivalued),
// n relationships with one attribute each: mostly binary one-to-many and many-to-many, with
// one-to-one, ternary and recursive ones among them.
void generate(Diagram& d, int n) {
    Generator g(d);
    std::vector<int> entities;
    for (int i = 0; i < n; ++i) {
        const int e = g.element(KindEntity, QStringLiteral("E%1").arg(i));
        g.attribute(e, QStringLiteral("Key%1").arg(i), true);
        g.attribute(e, QStringLiteral("Name%1").arg(i), false);
        g.attribute(e, QStringLiteral("Extra%1").arg(i), false,
                    i % 10 == 0 ? KindMultAttribute : KindAttribute);
        entities.push_back(e);
    }
    for (int i = 0; i < n; ++i) {
        const int r = g.element(KindRelationship, QStringLiteral("R%1").arg(i));
        g.attribute(r, QStringLiteral("Since%1").arg(i), false);
        const int a = entities[size_t(i)];
        const int b = entities[size_t((i + 1) % n)];
        switch (i % 5) {
            case 0:
                g.join(a, r, "0,N");
                g.join(b, r, "1,1");
                break;
            case 1:
                g.join(a, r, "0,N");
                g.join(b, r, "1,N");
                break;
            case 2:
                g.join(a, r, "1,1");
                g.join(b, r, "0,1");
                break;
            case 3:
                g.join(a, r, "0,N");
                g.join(b, r, "0,N");
                g.join(entities[size_t((i + 2) % n)], r, "0,1");
                break;
            default: {
                g.dotted(g.join(a, r, "0,1"), QStringLiteral("Boss"));
                g.dotted(g.join(a, r, "0,N", true), QStringLiteral("Supervisor"));
                break;
            }
        }
    }
}

void BM_ConvertDiagram(benchmark::State& state) {
    const int n = int(state.range(0));
    Diagram d;
    generate(d, n);
    SilentPrompts prompts;
    Editor editor(d, prompts);
    QTemporaryDir dir;
    const QString file = dir.filePath("bench.xlsx");
    for (auto _ : state) {
        const ConvertResult result = ConversionJob(editor).run(file);
        if (!result.ok()) state.SkipWithError(result.error.toUtf8().constData());
    }
    state.counters["elements"] = d.elementCount() - 1;
    state.counters["connectors"] = d.connectorCount() - 1;
    state.SetComplexityN(n);
}
BENCHMARK(BM_ConvertDiagram)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The stages on their own, at n = 1000.
void BM_Stages(benchmark::State& state) {
    Diagram d;
    generate(d, 1000);
    SilentPrompts prompts;
    Editor editor(d, prompts);
    QTemporaryDir dir;
    const QString file = dir.filePath("stage.xlsx");
    const RelationalModel model = mapDiagram(d);
    const Workbook book = layOutWorkbook(model, 1);
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                benchmark::DoNotOptimize(CheckDiagram(editor));
                break;
            case 1:
                benchmark::DoNotOptimize(mapDiagram(d));
                break;
            case 2:
                benchmark::DoNotOptimize(layOutWorkbook(model, 1));
                break;
            default:
                benchmark::DoNotOptimize(Xlsx::save(book, file));
                break;
        }
    }
    static const char* const kNames[] = {"validate", "map", "lay out", "write .xlsx"};
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_Stages)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// SQL scripts of entities whose captions are far longer than any dialect's names: every name is
// shortened (in one pass over its caption) and made distinct. 20 captions of 32,000 characters
// took minutes while each shortening dropped one character per pass.
void BM_SqlLongNames(benchmark::State& state) {
    Diagram d;
    Generator g(d);
    for (int i = 0; i < int(state.range(0)); ++i) {
        const int e = g.element(KindEntity, QString(32000, QChar(0x8868)) + QString::number(i));
        g.attribute(e, QString(32000, QLatin1Char('k')), true);
    }
    const RelationalModel model = mapDiagram(d);
    for (auto _ : state)
        for (SqlDialect dialect : {SqlDialect::PostgreSQL, SqlDialect::MySQL})
            benchmark::DoNotOptimize(sqlScript(model, d, dialect, nullptr));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SqlLongNames)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
