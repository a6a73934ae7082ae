#include "readback.h"

#include <QJsonDocument>
#include <QProcess>

Readback readBack(const QString& path) {
    Readback r;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(RELVANE_SOURCE_DIR "/tests/convert/read_workbook.py"), path});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        r.error = QString::fromUtf8(python.readAllStandardError());
        return r;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(python.readAllStandardOutput(), &parseError);
    if (doc.isNull()) {
        r.error = parseError.errorString();
        return r;
    }
    r.ok = true;
    r.json = doc.object();
    return r;
}
