#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "comparison.h"
#include "rubric.h"
#include "worksheet.h"

// The outcome of grading a class against one reference, and its three renderings: text for the
// terminal, CSV, and a workbook with a sheet of scores and a sheet of every difference.

// What a report shows for a reference that does not convert, with the message.
QString cannotConvertText();

struct GradedProject {
    QString name;
    Comparison comparison;  // studentProblems set: the diagram fails validation (未通過檢查)
    // For each difference, the student's element it concerns ("實體 Student"), or empty.
    QStringList places;
};

struct GradeReport {
    QString reference;                    // the reference's project name
    Rubric rubric = Rubric::standard();   // the rubric in force
    std::vector<GradedProject> projects;  // in the order they are listed
};

// One line per project, tab-separated: name, score, the count of counted differences of every
// category and a note: 未通過檢查 with validation's messages, then each counted difference with
// its cost and hint. It follows the reference, the score rule, the rubric and a header line.
// `details` puts every difference on a line of its own under its project instead, those that
// follow from one under it.
QString gradeReportText(const GradeReport& report, bool details = false);

// The same table as CSV (RFC 4180: every field quoted, CRLF line ends), UTF-8 with a byte-order
// mark so that spreadsheet programs read the Chinese right; the note lists every difference.
QByteArray gradeReportCsv(const GradeReport& report);

// "成績": the reference, the score rule and the rubric, then the table with the cost of each
// category above the scores and counts (as numbers); "差異": one row per difference of every
// project with its cost, what it follows from and its hint.
Workbook gradeReportWorkbook(const GradeReport& report);

// Writes the report to `path` as a whole, as .xlsx or .csv by its extension (any case); the
// reason when it could not be written.
std::optional<QString> writeGradeReport(const GradeReport& report, const QString& path);

// Whether `path` names a report format writeGradeReport knows.
bool isGradeReportPath(const QString& path);
