#pragma once

#include <QString>
#include <optional>

#include "diagram.h"
#include "editor.h"
#include "progress.h"

struct ConvertResult {
    enum class Status {
        Written,  // the workbook is in place
        Refused,  // the diagram cannot be converted; validation has told the user why, or `error`
                  // says why (textbook mode, a workbook too large for spreadsheet programs)
        Failed,   // the workbook could not be written; `error` holds the reason, no file was left
        Cancelled,  // the user stopped it; no file was written
    };
    Status status = Status::Failed;
    QString error;

    bool ok() const { return status == Status::Written; }
};

// "Convert" without its dialogs: validates the diagram (which may set default participations and
// tell the user so), maps it to relations and writes the workbook to `outputPath` as a whole.
// `fkpk` overrides the diagram's arrow style setting when given.
ConvertResult convertDiagram(Editor& editor, const QString& outputPath,
                             std::optional<int> fkpk = std::nullopt);

// The checks every conversion makes first: enhanced notation, then validation (which may set
// default participations and tell the user so). The refusal, or nothing when it may go ahead.
std::optional<ConvertResult> refuseConversion(Editor& editor);

// The mapping and the workbook alone, for a diagram that has passed validation. `progress` hears
// of each stage and may stop the conversion before the file is written.
ConvertResult writeWorkbook(const Diagram& diagram, const QString& outputPath, int fkpk,
                            Progress* progress = nullptr);

// Where "Convert" offers to save: the project's name plus ".xlsx" in the user's documents folder.
QString defaultWorkbookPath(const QString& projectName);
// The same for any file named after the project: `extension` is ".xlsx", ".relvane", ...
QString defaultDocumentPath(const QString& projectName, const QString& extension);

// The reason given when conversion is asked for in textbook notation.
QString textbookModeRefusal();
