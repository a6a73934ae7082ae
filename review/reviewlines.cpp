#include "reviewlines.h"

#include <QCoreApplication>

#include "checkdiagram.h"
#include "comparison.h"
#include "diagramwarnings.h"
#include "schematext.h"

namespace {

ReviewRun plain(const QString& text, const QString& href = QString()) {
    ReviewRun run;
    run.text = text;
    run.href = href;
    return run;
}

QString entryHref(int element, int connector) {
    return connector ? QStringLiteral("k:%1").arg(connector) : QStringLiteral("e:%1").arg(element);
}

void addSection(std::vector<ReviewLine>& lines, const QString& title, ReviewTone tone,
                const std::vector<ReviewLine>& items) {
    if (items.empty()) return;
    ReviewRun heading = plain(title);
    heading.bold = true;
    lines.push_back({ReviewLine::Kind::Heading, tone, {heading}});
    lines.insert(lines.end(), items.begin(), items.end());
}

ReviewLine item(ReviewTone tone, const QString& message, int element, int connector) {
    return {ReviewLine::Kind::Item, tone, {plain(message, entryHref(element, connector))}};
}

}  // namespace

std::vector<ReviewLine> reviewLines(const Diagram& diagram, const RelationalModel& model,
                                    const std::set<int>& selection) {
    std::vector<ReviewLine> problems, notes, warnings;
    for (const DiagramProblem& p : findProblems(diagram)) {
        if (p.isNote())
            notes.push_back(item(ReviewTone::Note, p.message, p.element, p.connector));
        else
            problems.push_back(item(ReviewTone::Problem, p.message, p.element, p.connector));
    }
    for (const DiagramWarning& w : findWarnings(diagram))
        warnings.push_back(item(ReviewTone::Warning, w.message, w.element, w.connector));

    std::vector<ReviewLine> lines;
    addSection(lines, QCoreApplication::translate("ReviewLines", "問題"), ReviewTone::Problem,
               problems);
    addSection(lines, QCoreApplication::translate("ReviewLines", "注意"), ReviewTone::Note, notes);
    addSection(lines, QCoreApplication::translate("ReviewLines", "提醒"), ReviewTone::Warning,
               warnings);

    // Until the diagram would convert, the schema is only what can be derived so far.
    const ReviewTone schemaTone = problems.empty() ? ReviewTone::Schema : ReviewTone::Pending;
    const auto references = columnReferences(model);
    for (size_t r = 0; r < model.relations.size(); ++r) {
        const Relation& relation = model.relations[r];
        ReviewLine line{ReviewLine::Kind::Relation, schemaTone, {}};
        line.runs.reserve(3 * relation.columns.size() + 2);
        ReviewRun name = plain(relation.name, QStringLiteral("r:%1").arg(r));
        name.bold = true;
        name.marked = selection.contains(relation.element);
        line.runs.push_back(std::move(name));
        line.runs.push_back(plain(QStringLiteral("(")));
        for (size_t c = 0; c < relation.columns.size(); ++c) {
            const Column& column = relation.columns[c];
            if (c) line.runs.push_back(plain(QStringLiteral(", ")));
            ReviewRun run = plain(column.name, QStringLiteral("c:%1:%2").arg(r).arg(c));
            run.key = column.key;
            run.foreign = column.references.has_value();
            run.marked = selection.contains(columnSource(relation, column));
            line.runs.push_back(run);
            if (column.references) {
                // What it references follows in the same colour and link, not underlined.
                const ColumnReference& ref = references[r][c];
                run.text = QStringLiteral("→%1.%2").arg(ref.relation, ref.column) +
                           sharedReferencesText(model, r, c);
                run.key = false;
                line.runs.push_back(std::move(run));
            }
        }
        line.runs.push_back(plain(QStringLiteral(")")));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<ReviewLine> comparisonLines(const Comparison& comparison, const QString& reference,
                                        const QString& rubric) {
    const ReviewTone tone = ReviewTone::Comparison;
    ReviewRun title =
        plain(QCoreApplication::translate("ReviewLines", "與參考答案 %1 比較").arg(reference));
    title.bold = true;
    ReviewLine head{ReviewLine::Kind::Heading, tone, {title}};
    if (comparison.compared()) {
        ReviewRun score =
            plain(QCoreApplication::translate("ReviewLines", "分數 %1").arg(comparison.score),
                  QStringLiteral("s:"));
        score.bold = true;
        head.runs.push_back(plain(QStringLiteral(": ")));
        head.runs.push_back(score);
    }
    head.runs.push_back(plain(QStringLiteral("  ")));
    head.runs.push_back(
        plain(QCoreApplication::translate("ReviewLines", "評分標準: %1").arg(rubric),
              QStringLiteral("u:rubric")));
    head.runs.push_back(plain(QStringLiteral("  ")));
    head.runs.push_back(
        plain(QCoreApplication::translate("ReviewLines", "關閉"), QStringLiteral("x:close")));
    std::vector<ReviewLine> lines{head};
    const auto say = [&lines, tone](const QString& text) {
        lines.push_back({ReviewLine::Kind::Item, tone, {plain(text)}});
    };
    if (!comparison.referenceFailure.isEmpty())
        say(QCoreApplication::translate("ReviewLines", "參考答案無法轉換: %1")
                .arg(comparison.referenceFailure));
    for (const QString& problem : comparison.studentProblems)
        say(failedCheckText() + QStringLiteral(": ") + problem);
    if (comparison.compared() && comparison.differences.empty())
        say(QCoreApplication::translate("ReviewLines", "與參考答案相同"));
    const auto& differences = comparison.differences;
    const auto line = [tone](ReviewLine::Kind kind, const Difference& d, const QString& text) {
        const QString href = d.studentConnector || d.studentElement
                                 ? entryHref(d.studentElement, d.studentConnector)
                                 : QString();
        return ReviewLine{kind, tone, {plain(text, href)}};
    };
    // Each counted difference (or equivalence) under its category, the differences that follow
    // from it right below it.
    for (int c = 0; c <= int(DifferenceCategory::Equivalent); ++c) {
        const auto category = DifferenceCategory(c);
        std::vector<ReviewLine> items;
        int roots = 0;
        for (size_t i = 0; i < differences.size(); ++i) {
            const Difference& d = differences[i];
            if (d.cause >= 0 || d.category != category) continue;
            ++roots;
            items.push_back(
                line(ReviewLine::Kind::Item, d,
                     d.counted() ? QStringLiteral("-%1 %2").arg(d.cost).arg(d.hint) : d.hint));
            for (size_t j = i + 1; j < differences.size() && differences[j].cause == int(i); ++j)
                items.push_back(line(ReviewLine::Kind::SubItem, differences[j],
                                     QCoreApplication::translate("ReviewLines", "隨之而來: %1")
                                         .arg(differences[j].hint)));
        }
        addSection(lines, QStringLiteral("%1 (%2)").arg(categoryTitle(category)).arg(roots), tone,
                   items);
    }
    return lines;
}
