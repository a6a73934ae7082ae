#include "gradereport.h"

#include <QCoreApplication>
#include <QSaveFile>

#include "cellwidths.h"
#include "spreadsheettext.h"
#include "terminaltext.h"
#include "workbooklimits.h"
#include "xlsx.h"

namespace {

QString referenceLabel() {
    return QCoreApplication::translate("GradeReport", "參考答案");
}
QString scoreRuleLabel() {
    return QCoreApplication::translate("GradeReport", "評分方式");
}
QString rubricLabel() {
    return QCoreApplication::translate("GradeReport", "評分標準");
}

// One difference with what it costs: "-8 主鍵不同: hint", for one that follows from the
// difference above it "(隨之而來, 不另扣分) 缺少外鍵: hint", for an equivalence "(不扣分) ...".
QString differenceText(const Difference& d) {
    const QString what = categoryTitle(d.category) + QStringLiteral(": ") + d.hint;
    if (d.cause >= 0)
        return QCoreApplication::translate("GradeReport", "(隨之而來, 不另扣分) %1").arg(what);
    if (!d.counted()) return QCoreApplication::translate("GradeReport", "(不扣分) %1").arg(what);
    return QStringLiteral("-%1 %2").arg(d.cost).arg(what);
}

enum class Listed { None, Counted, All };

// What a project's row says besides its numbers: 未通過檢查 with validation's messages, then the
// differences `listed`, joined by `separator`.
QString projectNote(const GradedProject& project, const QString& separator, Listed listed) {
    const Comparison& c = project.comparison;
    QStringList parts;
    if (!c.studentPassed())
        parts << failedCheckText() + QStringLiteral(": ") +
                     c.studentProblems.join(QStringLiteral("; "));
    for (const Difference& d : c.differences)
        if (listed == Listed::All || (listed == Listed::Counted && d.counted()))
            parts << differenceText(d);
    return parts.join(separator);
}

// The table's header: project, score, one column per category, then the note (the validation
// message of a diagram that could not be converted).
QStringList tableHeader() {
    QStringList header{QCoreApplication::translate("GradeReport", "專案"),
                       QCoreApplication::translate("GradeReport", "分數")};
    for (int c = 0; c < kDifferenceCategories; ++c) header << categoryTitle(DifferenceCategory(c));
    header << QCoreApplication::translate("GradeReport", "說明");
    return header;
}

// A project's row of the table as texts, in the header's columns, with its note.
QStringList tableRow(const GradedProject& project, const QString& note) {
    QStringList row{project.name};
    const Comparison& c = project.comparison;
    row << QString::number(c.score);
    for (int n = 0; n < kDifferenceCategories; ++n)
        row << QString::number(c.count(DifferenceCategory(n)));
    row << note;
    return row;
}

// A field on one line of text: tabs and line breaks would split the table.
QString oneLine(QString text) {
    for (QChar& ch : text)
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            ch = QLatin1Char(' ');
    return terminalLine(text);
}

QString csvField(const QString& text) {
    QString quoted = spreadsheetText(text);
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields) quoted << csvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

void setText(Worksheet& sheet, int row, int column, const QString& text, bool bold = false) {
    Cell& cell = sheet.cell(row, column);
    // A spreadsheet cell holds no more; the longest captions and messages are cut there.
    cell.text = text.left(WorkbookLimits::kCellText);
    cell.font.bold = bold;
}

void setNumber(Worksheet& sheet, int row, int column, int value) {
    sheet.cell(row, column).number = value;
}

Worksheet scoreSheet(const GradeReport& report) {
    Worksheet sheet(QCoreApplication::translate("GradeReport", "成績"));
    setText(sheet, 1, 1, referenceLabel(), true);
    setText(sheet, 1, 2, report.reference);
    setText(sheet, 2, 1, scoreRuleLabel(), true);
    setText(sheet, 2, 2, scoreRule());
    setText(sheet, 3, 1, rubricLabel(), true);
    setText(sheet, 3, 2, rubricText(report.rubric));
    const QStringList header = tableHeader();
    const int headerRow = 5;
    for (int c = 0; c < header.size(); ++c) setText(sheet, headerRow, c + 1, header[c], true);
    // The cost of each category above its counts: score = 100 - the sum of count x cost.
    setText(sheet, headerRow + 1, 1, QCoreApplication::translate("GradeReport", "每項扣分"), true);
    for (int n = 0; n < kDifferenceCategories; ++n)
        setNumber(sheet, headerRow + 1, 3 + n, report.rubric.costs[size_t(n)]);
    int row = headerRow + 1;
    for (const GradedProject& project : report.projects) {
        ++row;
        const Comparison& c = project.comparison;
        setText(sheet, row, 1, project.name);
        setNumber(sheet, row, 2, c.score);
        for (int n = 0; n < kDifferenceCategories; ++n)
            setNumber(sheet, row, 3 + n, c.count(DifferenceCategory(n)));
        setText(sheet, row, header.size(),
                projectNote(project, QStringLiteral("; "), Listed::Counted));
    }
    return sheet;
}

Worksheet differenceSheet(const GradeReport& report) {
    Worksheet sheet(QCoreApplication::translate("GradeReport", "差異"));
    const QStringList header = {QCoreApplication::translate("GradeReport", "專案"),
                                QCoreApplication::translate("GradeReport", "類別"),
                                QCoreApplication::translate("GradeReport", "關聯"),
                                QCoreApplication::translate("GradeReport", "欄位"),
                                QCoreApplication::translate("GradeReport", "學生圖中的元素"),
                                QCoreApplication::translate("GradeReport", "扣分"),
                                QCoreApplication::translate("GradeReport", "隨之而來自"),
                                QCoreApplication::translate("GradeReport", "說明")};
    for (int c = 0; c < header.size(); ++c) setText(sheet, 1, c + 1, header[c], true);
    int row = 1;
    for (const GradedProject& project : report.projects) {
        const auto& differences = project.comparison.differences;
        const int first = row + 1;
        for (size_t n = 0; n < differences.size(); ++n) {
            const Difference& d = differences[n];
            ++row;
            setText(sheet, row, 1, project.name);
            setText(sheet, row, 2, categoryTitle(d.category));
            setText(sheet, row, 3, d.relation);
            setText(sheet, row, 4, d.column);
            if (qsizetype(n) < project.places.size()) setText(sheet, row, 5, project.places[n]);
            setNumber(sheet, row, 6, d.cost);
            // The row of the difference it follows from.
            if (d.cause >= 0)
                setText(
                    sheet, row, 7,
                    QCoreApplication::translate("GradeReport", "第 %1 列").arg(first + d.cause));
            setText(sheet, row, 8, d.hint);
        }
    }
    return sheet;
}

// Rows a report's sheets take beyond what a spreadsheet program opens; nothing when it fits.
std::optional<QString> rowLimitProblem(const GradeReport& report) {
    size_t differences = 0;
    for (const GradedProject& project : report.projects)
        differences += project.comparison.differences.size();
    if (differences + 1 <= size_t(WorkbookLimits::kRows) &&
        report.projects.size() + 6 <= size_t(WorkbookLimits::kRows))
        return std::nullopt;
    return QCoreApplication::translate("GradeReport", "報告超過試算表的列數上限, 請改存成 .csv");
}

}  // namespace

QString cannotConvertText() {
    return QCoreApplication::translate("GradeReport", "無法轉換");
}

QString gradeReportText(const GradeReport& report, bool details) {
    QString text = referenceLabel() + QStringLiteral("：") + oneLine(report.reference) +
                   QLatin1Char('\n') + scoreRuleLabel() + QStringLiteral("：") +
                   oneLine(scoreRule()) + QLatin1Char('\n') + rubricLabel() + QStringLiteral("：") +
                   oneLine(rubricText(report.rubric)) + QLatin1Char('\n');
    text += tableHeader().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const GradedProject& project : report.projects) {
        QStringList fields;
        // With the details below it, the row keeps only the validation mark.
        const QString note =
            projectNote(project, QStringLiteral("; "), details ? Listed::None : Listed::Counted);
        for (const QString& field : tableRow(project, note)) fields << oneLine(field);
        // A project without a note ends at its last count.
        if (fields.last().isEmpty()) fields.removeLast();
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
        if (!details) continue;
        // Every difference on a line of its own; those that follow from one go under it.
        for (const Difference& d : project.comparison.differences)
            text += QString(d.cause >= 0 ? 2 : 1, QLatin1Char('\t')) + oneLine(differenceText(d)) +
                    QLatin1Char('\n');
    }
    return text;
}

QByteArray gradeReportCsv(const GradeReport& report) {
    QString text = csvLine({referenceLabel(), report.reference}) +
                   csvLine({scoreRuleLabel(), scoreRule()}) +
                   csvLine({rubricLabel(), rubricText(report.rubric)}) + QStringLiteral("\r\n") +
                   csvLine(tableHeader());
    for (const GradedProject& project : report.projects)
        text += csvLine(tableRow(project, projectNote(project, QStringLiteral("\n"), Listed::All)));
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

Workbook gradeReportWorkbook(const GradeReport& report) {
    Workbook book;
    book.output = scoreSheet(report);
    book.positions = differenceSheet(report);
    CellWidths::fitColumns(book.output);
    CellWidths::fitColumns(book.positions);
    return book;
}

bool isGradeReportPath(const QString& path) {
    return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ||
           path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

std::optional<QString> writeGradeReport(const GradeReport& report, const QString& path) {
    if (path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) {
        if (const auto problem = rowLimitProblem(report)) return problem;
        QString error;
        if (!Xlsx::save(gradeReportWorkbook(report), path, &error)) return error;
        return std::nullopt;
    }
    const QByteArray bytes = gradeReportCsv(report);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
}
