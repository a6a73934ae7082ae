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

// The table's header: project, score, one column per category, then the note (the validation
// message of a diagram that could not be converted).
QStringList tableHeader() {
    QStringList header{QCoreApplication::translate("GradeReport", "專案"),
                       QCoreApplication::translate("GradeReport", "分數")};
    for (int c = 0; c < kDifferenceCategories; ++c) header << categoryTitle(DifferenceCategory(c));
    header << QCoreApplication::translate("GradeReport", "說明");
    return header;
}

// A project's row of the table as texts, in the header's columns.
QStringList tableRow(const GradedProject& project) {
    QStringList row{project.name};
    const Comparison& c = project.comparison;
    if (!c.studentFailure.isEmpty()) {
        row << cannotConvertText();
        for (int n = 0; n < kDifferenceCategories; ++n) row << QString();
        row << c.studentFailure;
        return row;
    }
    row << QString::number(c.score);
    for (int n = 0; n < kDifferenceCategories; ++n)
        row << QString::number(c.count(DifferenceCategory(n)));
    row << QString();
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
    const QStringList header = tableHeader();
    const int headerRow = 4;
    for (int c = 0; c < header.size(); ++c) setText(sheet, headerRow, c + 1, header[c], true);
    int row = headerRow;
    for (const GradedProject& project : report.projects) {
        ++row;
        const Comparison& c = project.comparison;
        setText(sheet, row, 1, project.name);
        if (!c.studentFailure.isEmpty()) {
            setText(sheet, row, 2, cannotConvertText());
            setText(sheet, row, header.size(), c.studentFailure);
            continue;
        }
        setNumber(sheet, row, 2, c.score);
        for (int n = 0; n < kDifferenceCategories; ++n)
            setNumber(sheet, row, 3 + n, c.count(DifferenceCategory(n)));
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
                                QCoreApplication::translate("GradeReport", "說明")};
    for (int c = 0; c < header.size(); ++c) setText(sheet, 1, c + 1, header[c], true);
    int row = 1;
    for (const GradedProject& project : report.projects) {
        const auto& differences = project.comparison.differences;
        for (size_t n = 0; n < differences.size(); ++n) {
            const Difference& d = differences[n];
            ++row;
            setText(sheet, row, 1, project.name);
            setText(sheet, row, 2, categoryTitle(d.category));
            setText(sheet, row, 3, d.relation);
            setText(sheet, row, 4, d.column);
            if (qsizetype(n) < project.places.size()) setText(sheet, row, 5, project.places[n]);
            setText(sheet, row, 6, d.hint);
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
        report.projects.size() + 4 <= size_t(WorkbookLimits::kRows))
        return std::nullopt;
    return QCoreApplication::translate("GradeReport", "報告超過試算表的列數上限, 請改存成 .csv");
}

}  // namespace

QString cannotConvertText() {
    return QCoreApplication::translate("GradeReport", "無法轉換");
}

QString gradeReportText(const GradeReport& report) {
    QString text = referenceLabel() + QStringLiteral("：") + oneLine(report.reference) +
                   QLatin1Char('\n') + scoreRuleLabel() + QStringLiteral("：") +
                   oneLine(scoreRule()) + QLatin1Char('\n');
    QStringList header = tableHeader();
    header.removeLast();  // the message follows 無法轉換 directly, without a column of its own
    text += header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const GradedProject& project : report.projects) {
        QStringList fields;
        for (const QString& field : tableRow(project))
            if (!field.isEmpty() || fields.isEmpty()) fields << oneLine(field);
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

QByteArray gradeReportCsv(const GradeReport& report) {
    QString text = csvLine({referenceLabel(), report.reference}) +
                   csvLine({scoreRuleLabel(), scoreRule()}) + QStringLiteral("\r\n") +
                   csvLine(tableHeader());
    for (const GradedProject& project : report.projects) text += csvLine(tableRow(project));
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
