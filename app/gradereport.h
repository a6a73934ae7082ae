#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "comparison.h"
#include "worksheet.h"

// The outcome of grading a class against one reference, and its three renderings: text for the
// terminal, CSV, and a workbook with a sheet of scores and a sheet of every difference.

// What a report shows for a student's diagram that fails validation, with the message.
QString cannotConvertText();

struct GradedProject {
    QString name;
    Comparison comparison;  // studentFailure set: the diagram could not be converted
    // For each difference, the student's element it concerns ("實體 Student"), or empty.
    QStringList places;
};

struct GradeReport {
    QString reference;                    // the reference's project name
    std::vector<GradedProject> projects;  // in the order they are listed
};

// One line per project, tab-separated: name, score and the count of every category, or name,
// 無法轉換 and the validation message; after the reference and the score rule and a header line.
QString gradeReportText(const GradeReport& report);

// The same table as CSV (RFC 4180: every field quoted, CRLF line ends), UTF-8 with a byte-order
// mark so that spreadsheet programs read the Chinese right.
QByteArray gradeReportCsv(const GradeReport& report);

// "成績": the reference, the score rule, then the table with scores and counts as numbers;
// "差異": one row per difference of every project.
Workbook gradeReportWorkbook(const GradeReport& report);

// Writes the report to `path` as a whole, as .xlsx or .csv by its extension (any case); the
// reason when it could not be written.
std::optional<QString> writeGradeReport(const GradeReport& report, const QString& path);

// Whether `path` names a report format writeGradeReport knows.
bool isGradeReportPath(const QString& path);
