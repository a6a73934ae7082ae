#include "convert.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString textbookModeRefusal() {
    return QCoreApplication::translate("Convert", "轉換只能在增強模式 (min,max 表示法) 下進行");
}

QString defaultWorkbookPath(const QString& projectName) {
    return defaultDocumentPath(projectName, QStringLiteral(".xlsx"));
}

QString defaultDocumentPath(const QString& projectName, const QString& extension) {
    QString name = projectName;
    // A project name is free text; a separator in it must not lead the file elsewhere.
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (name.trimmed().isEmpty()) name = QStringLiteral("Relvane");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name + extension);
}
