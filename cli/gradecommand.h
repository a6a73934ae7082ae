#pragma once

#include <QStringList>

// `relvane grade --db URL --reference NAME (--project NAME | --all) [--rubric FILE] [--details]
// [--output REPORT.xlsx|.csv]`: compares each student project with the reference and reports
// scores and differences (on standard output without --output; `--details` lists every difference
// there). `--rubric` prices the differences by a rubric file instead of the default costs. `--all`
// grades every project of the store except the reference; NAME may also be file:PATH.relvane.
// Store projects are read in one pass. Exit 0 when every project was graded (one that fails
// validation is compared as far as it maps and marked 未通過檢查), 1 when the reference fails
// validation or a named project does not exist, 2 for usage errors, an unreadable or malformed
// rubric, an unreachable database or an unwritable report. `arguments` excludes the program name
// and the command itself.
int runGradeCommand(const QStringList& arguments);
