#pragma once

#include <QString>
#include <optional>

struct ConvertResult {
    enum class Status {
        Written,    // the workbook is in place
        Refused,    // the diagram cannot be converted; validation has told the user why, or `error`
                    // says why (textbook mode, a workbook too large for spreadsheet programs)
        Failed,     // the workbook could not be written; `error` holds the reason, no file was left
        Cancelled,  // the user stopped it; no file was written
    };
    Status status = Status::Failed;
    QString error;

    bool ok() const { return status == Status::Written; }
};

// Where "Convert" offers to save: the project's name plus ".xlsx" in the user's documents folder.
QString defaultWorkbookPath(const QString& projectName);
// The same for any file named after the project: `extension` is ".xlsx", ".relvane", ...
QString defaultDocumentPath(const QString& projectName, const QString& extension);

// The reason given when conversion is asked for in textbook notation.
QString textbookModeRefusal();
