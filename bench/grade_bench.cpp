// Grading a class: `relvane grade --all` on 200 student projects of 100 elements each on the
// PostgreSQL test server (RELVANE_TEST_PG), report written as .xlsx. Needs well under 10 s.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include "benchdiagram.h"
#include "gradecommand.h"
#include "projectstore.h"

namespace {

constexpr int kStudents = 200;
const QString kDatabase = QStringLiteral("relvane_grade_bench");

// Runs one statement in the server's own database (to create and drop the class's database).
bool onServer(const QString& server, const QString& sql) {
    const QString connection = QStringLiteral("grade-bench-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        const QUrl url(server);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        ok = db.open() && QSqlQuery(db).exec(sql);
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// 100 elements: 20 entities with three attributes each (the first a key) and 20 relationships,
// all with captions of their own. Student `variant` n > 0 renames attribute n % 60 of the
// reference, so every second student has a missing and an extra column to report.
void drawProject(Editor& editor, int variant) {
    drawGeneratedDiagram(editor, 20, 3, 20);
    Diagram& d = editor.diagram();
    int attribute = 0;
    for (int i = 1; i < d.elementCount(); ++i) {
        Element& e = d.element(i);
        if (e.is(KindAttribute)) {
            e.Caption = QStringLiteral("A%1").arg(i);
            if (variant % 2 == 1 && attribute++ == (variant / 2) % 60)
                e.Caption += QStringLiteral("x");
        } else {
            e.Caption = QStringLiteral("%1%2").arg(e.is(KindEntity) ? "E" : "R").arg(i);
        }
    }
}

void BM_GradeClassPostgreSQL(benchmark::State& state) {
    const QString server = qEnvironmentVariable("RELVANE_TEST_PG");
    if (server.isEmpty()) {
        state.SkipWithError("RELVANE_TEST_PG is not set: no PostgreSQL server to measure");
        return;
    }
    onServer(server, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(kDatabase));
    if (!onServer(server, QStringLiteral("CREATE DATABASE %1").arg(kDatabase))) {
        state.SkipWithError("the class's database could not be created");
        return;
    }
    QUrl url(server);
    url.setPath(QLatin1Char('/') + kDatabase);
    const ProjectStore store(url.toString());
    for (int n = 0; n <= kStudents; ++n) {
        Diagram d;
        d.settings.PresentStyle = 1;
        SilentPrompts prompts;
        Editor editor(d, prompts);
        drawProject(editor, n);
        const QString name = n == 0 ? QStringLiteral("reference")
                                    : QStringLiteral("student %1").arg(n, 3, 10, QLatin1Char('0'));
        if (!store.saveAs(d, name).ok) {
            state.SkipWithError("the class could not be saved");
            return;
        }
    }
    QTemporaryDir dir;
    const QStringList arguments = {
        QStringLiteral("--db"),  url.toString(),          QStringLiteral("--reference"),
        QStringLiteral("reference"), QStringLiteral("--all"), QStringLiteral("--output"),
        dir.filePath(QStringLiteral("report.xlsx"))};
    for (auto _ : state) {
        if (runGradeCommand(arguments) != 0) state.SkipWithError("grading failed");
    }
    state.counters["projects"] = kStudents;
    onServer(server, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(kDatabase));
}

BENCHMARK(BM_GradeClassPostgreSQL)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
