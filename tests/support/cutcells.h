#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

// The cells of a workbook whose text is wider than its column, as an independent reader measures
// them (tests/support/cut_cells.py): {sheet: [cell reference, ...]}; an empty object when the
// reader failed.
inline QJsonObject cutCells(const QString& workbook) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(RELVANE_SOURCE_DIR "/tests/support/cut_cells.py"), workbook});
    if (!python.waitForFinished(120000) || python.exitCode() != 0) return {};
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
