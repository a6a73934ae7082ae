#include "gradecommand.h"

#include <QFileInfo>
#include <QHash>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <variant>

#include "commandline.h"
#include "commandsupport.h"
#include "comparison.h"
#include "editor.h"
#include "explanationsheet.h"
#include "gradereport.h"
#include "projectbuilder.h"
#include "projectfile.h"
#include "projectstore.h"
#include "rubric.h"
#include "stderrprogress.h"

namespace {

const QString kUsage = QStringLiteral(
    "usage: relvane grade --db URL --reference NAME (--project NAME | --all) "
    "[--rubric FILE] [--details] [--output REPORT.xlsx|REPORT.csv]");

// Messages raised while a project is built go to stderr under the project's name; nothing is
// ever asked.
class GradePrompts : public Prompts {
public:
    explicit GradePrompts(QString project) : project_(std::move(project)) {}
    void message(const QString& text) override { printError(project_ + QStringLiteral(": ") + text); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<OleColor> chooseColour(OleColor) override { return std::nullopt; }
    bool confirm(const QString&, Answer) override { return true; }
    SaveChoice askToSave(const QString&) override { return SaveChoice::Discard; }

private:
    QString project_;
};

// A project as a diagram in min,max notation (as projects store participations and the
// comparison reads them), with the editor that built it.
struct GradedDiagram {
    explicit GradedDiagram(const QString& name) : prompts(name) {
        diagram.settings.PresentStyle = 1;
    }
    Diagram diagram;
    GradePrompts prompts;
    Editor editor{diagram, prompts};
};

// A project named on the command line: a store project, or with "file:" a project file.
struct ProjectSource {
    QString name;  // store projects
    QString file;  // project files
    bool isFile() const { return !file.isEmpty(); }
    QString label() const { return isFile() ? file : name; }
};

ProjectSource sourceOf(const QString& text) {
    if (!text.startsWith(QStringLiteral("file:"))) return {text, QString()};
    const QString path = text.startsWith(QStringLiteral("file://")) ? QUrl(text).toLocalFile()
                                                                    : text.mid(5);
    return {QString(), path};
}

struct GradeOptions {
    QString db, output, rubric;
    bool details = false;  // every difference under its project in the text report
    ProjectSource reference;
    std::optional<ProjectSource> project;  // nullopt: --all
    bool needsStore() const { return !project || !reference.isFile() || !project->isFile(); }
};

std::optional<GradeOptions> parseGradeOptions(QStringList arguments) {
    const bool all = arguments.removeAll(QStringLiteral("--all")) > 0;
    const bool details = arguments.removeAll(QStringLiteral("--details")) > 0;
    // "--name value" pairs, each known and given once.
    const QStringList known = {QStringLiteral("--db"), QStringLiteral("--reference"),
                               QStringLiteral("--project"), QStringLiteral("--output"),
                               QStringLiteral("--rubric")};
    QHash<QString, QString> given;
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        const QString& option = arguments[i];
        if (!known.contains(option)) {
            printError(QStringLiteral("relvane grade: unknown option %1").arg(option));
            return std::nullopt;
        }
        if (i + 1 >= arguments.size() || given.contains(option)) {
            printError(kUsage);
            return std::nullopt;
        }
        given.insert(option, arguments[i + 1]);
    }
    GradeOptions options;
    options.db = given.value(QStringLiteral("--db"));
    options.output = given.value(QStringLiteral("--output"));
    options.rubric = given.value(QStringLiteral("--rubric"));
    options.details = details;
    options.reference = sourceOf(given.value(QStringLiteral("--reference")));
    if (given.contains(QStringLiteral("--project")))
        options.project = sourceOf(given.value(QStringLiteral("--project")));
    const bool usable =
        !options.reference.label().isEmpty() && all != options.project.has_value() &&
        (!options.project || !options.project->label().isEmpty()) &&
        (!options.needsStore() || given.contains(QStringLiteral("--db"))) &&
        (!given.contains(QStringLiteral("--output")) || isGradeReportPath(options.output)) &&
        (!given.contains(QStringLiteral("--rubric")) || !options.rubric.isEmpty());
    if (!usable) {
        printError(kUsage);
        return std::nullopt;
    }
    return options;
}

// The store projects the command needs, read in one pass: every one for --all, else those named.
struct StoreProjects {
    std::vector<NamedProjectRows> projects;
    const NamedProjectRows* find(const QString& name) const {
        for (const NamedProjectRows& p : projects)
            if (p.name == name) return &p;
        return nullptr;
    }
};

std::variant<StoreProjects, int> readStore(const GradeOptions& options) {
    StoreProjects read;
    if (!options.needsStore()) return read;
    const ProjectStore store(options.db);
    if (!store.isValid()) {
        printError(store.check().text());
        return int(ExitUsageOrSystem);
    }
    std::optional<QStringList> names;
    if (options.project) {
        names.emplace();
        for (const ProjectSource* source : {&options.reference, &*options.project})
            if (!source->isFile()) names->append(source->name);
    }
    ProjectStore::ReadResult result = store.readProjects(names);
    if (!result.ok) {
        printError(result.error.text());
        return int(ExitUsageOrSystem);
    }
    read.projects = std::move(result.projects);
    return read;
}

// Builds a store project's rows into a diagram, printing what could not be loaded.
std::unique_ptr<GradedDiagram> buildProject(const NamedProjectRows& project) {
    auto built = std::make_unique<GradedDiagram>(project.name);
    const int skipped = buildDiagram(built->editor, project.rows,
                                     {project.name, project.name, QString(), project.rows.draft});
    if (skipped > 0) printError(project.name + QStringLiteral(": ") + skippedRowsMessage(skipped));
    return built;
}

// The project of a source as a diagram, with its name; nullptr after printing why when there is
// no such project.
std::unique_ptr<GradedDiagram> loadSource(const ProjectSource& source, const StoreProjects& store,
                                          QString* name) {
    if (!source.isFile()) {
        const NamedProjectRows* rows = store.find(source.name);
        if (!rows) {
            printError(source.name + QStringLiteral(": ") + noSuchProjectMessage());
            return nullptr;
        }
        *name = source.name;
        return buildProject(*rows);
    }
    auto built = std::make_unique<GradedDiagram>(source.file);
    QString problem, skipped;
    const std::optional<QString> imported =
        importProjectFile(built->editor, source.file, &problem, &skipped);
    if (!imported) {
        printError(problem);
        return nullptr;
    }
    if (!skipped.isEmpty()) printError(source.file + QStringLiteral(": ") + skipped);
    *name = *imported;
    return built;
}

// The student's element each difference concerns, as the report names it.
QStringList placesOf(const Comparison& comparison, const Diagram& student) {
    QStringList places;
    for (const Difference& d : comparison.differences) {
        int element = d.studentElement;
        if (student.isConnector(d.studentConnector))
            element = student.connector(d.studentConnector).first;
        places << describeElement(student, element);
    }
    return places;
}

GradedProject grade(const QString& name, const Diagram& student, const Diagram& reference,
                    const Rubric& rubric) {
    GradedProject graded;
    graded.name = name;
    graded.comparison = compareDiagrams(student, reference, rubric);
    // A draft is marked as failing validation, even where it would pass.
    if (student.view.project.draft && graded.comparison.studentPassed())
        graded.comparison.studentProblems << draftProjectMessage(name);
    graded.places = placesOf(graded.comparison, student);
    return graded;
}

bool writeToStandardOutput(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) ==
               size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

}  // namespace

int runGradeCommand(const QStringList& given) {
    QStringList arguments = given;
    StderrProgress progress(arguments);
    const std::optional<GradeOptions> options = parseGradeOptions(arguments);
    if (!options) return ExitUsageOrSystem;
    if (const auto status = refuseOutput(QStringLiteral("grade"), options->output, options->db))
        return *status;
    // A malformed rubric stops the grading before the store is read.
    GradeReport report;
    if (!options->rubric.isEmpty()) {
        auto rubric = readRubric(options->rubric);
        if (const QString* problem = std::get_if<QString>(&rubric)) {
            printError(*problem);
            return ExitUsageOrSystem;
        }
        report.rubric = std::get<Rubric>(std::move(rubric));
    }
    auto read = readStore(*options);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const StoreProjects& store = std::get<StoreProjects>(read);

    const std::unique_ptr<GradedDiagram> reference =
        loadSource(options->reference, store, &report.reference);
    if (!reference) return ExitRefused;
    // Validated once up front, so that a faulty reference stops the grading before any student.
    Comparison itself = compareDiagrams(reference->diagram, reference->diagram);
    if (reference->diagram.view.project.draft && itself.referenceFailure.isEmpty())
        itself.referenceFailure = draftProjectMessage(report.reference);
    if (!itself.referenceFailure.isEmpty()) {
        printError(QStringLiteral("%1 %2: %3")
                       .arg(report.reference, cannotConvertText(), itself.referenceFailure));
        return ExitRefused;
    }

    if (options->project) {
        QString name;
        const std::unique_ptr<GradedDiagram> student = loadSource(*options->project, store, &name);
        if (!student) return ExitRefused;
        report.projects.push_back(grade(name, student->diagram, reference->diagram, report.rubric));
    } else {
        // One student diagram at a time: a class of large diagrams never sits in memory at once.
        std::vector<const NamedProjectRows*> students;
        for (const NamedProjectRows& project : store.projects)
            if (options->reference.isFile() || project.name != options->reference.name)
                students.push_back(&project);
        // By name, case aside, so that the order does not depend on the database's collation.
        std::sort(students.begin(), students.end(), [](const auto* a, const auto* b) {
            const int folded = QString::compare(a->name, b->name, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a->name < b->name;
        });
        for (const NamedProjectRows* project : students) {
            const std::unique_ptr<GradedDiagram> student = buildProject(*project);
            report.projects.push_back(
                grade(project->name, student->diagram, reference->diagram, report.rubric));
            proceed(progress.get(), qint64(report.projects.size()), qint64(students.size()));
        }
    }

    if (options->output.isEmpty()) {
        if (writeToStandardOutput(gradeReportText(report, options->details))) return ExitWritten;
        printError(QStringLiteral("relvane grade: cannot write to standard output"));
        return ExitUsageOrSystem;
    }
    if (const auto error = writeGradeReport(report, options->output)) {
        printError(QStringLiteral("%1: %2").arg(QFileInfo(options->output).filePath(), *error));
        return ExitUsageOrSystem;
    }
    return ExitWritten;
}
