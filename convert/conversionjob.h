#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "convert.h"
#include "editor.h"
#include "progress.h"
#include "relationalmodel.h"
#include "sqlscript.h"

// One conversion as the window, the command line and the tests all run it: the checks first
// (enhanced notation, then validation, whose messages go to the editor's prompts and whose
// default participations go in through the editor as one step), then the mapping to relations,
// made once, then what is written of it: the workbook, an SQL script, or both.
class ConversionJob {
public:
    explicit ConversionJob(Editor& editor) : editor_(editor) {}

    // The refusal, or nothing when the conversion may go on.
    std::optional<ConvertResult> check();

    // The diagram's relational model, mapped on first use (after the checks' defaults are in).
    const RelationalModel& model();

    // The workbook, written as a whole; `progress` hears of each stage and may stop it before
    // the file is written.
    ConvertResult writeWorkbook(const QString& path, int fkpk, Progress* progress = nullptr);

    // The SQL script for `dialect` into `text`, or Refused with the reason no script would run
    // on the dialect's engine. `warnings` (when given) hears what is written only as a comment.
    ConvertResult sqlScript(SqlDialect dialect, QString* text, QStringList* warnings);
    // The same, written to `path` in UTF-8 as a whole (an earlier file stays unless the new one
    // is complete); a script that would not run is a failure to write.
    ConvertResult writeSqlScript(const QString& path, SqlDialect dialect, QStringList* warnings);

    // check, then writeWorkbook: "Convert" without its dialogs. `fkpk` overrides the diagram's
    // arrow style setting when given.
    ConvertResult run(const QString& path, std::optional<int> fkpk = std::nullopt,
                      Progress* progress = nullptr);

private:
    Editor& editor_;
    std::optional<RelationalModel> model_;
};
