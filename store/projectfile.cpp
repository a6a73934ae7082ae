#include "projectfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "editor.h"
#include "projectstore.h"
#include "storeconnection.h"

namespace {

QString sqliteUrl(const QString& path) {
    return QStringLiteral("sqlite:") + QFileInfo(path).absoluteFilePath();
}

QString notAProjectFile(const QString& path) {
    return QCoreApplication::translate("ProjectFile", "%1 不是 Relvane 專案檔")
        .arg(QFileInfo(path).fileName());
}

// A file SQLite does not recognise is simply no project file; a damaged or locked one is.
bool isNoDatabase(const StoreError& error) {
    return error.description.contains(QLatin1String("file is not a database"));
}

QString unreadableFile(const QString& path, const StoreError& error) {
    return QCoreApplication::translate("ProjectFile", "無法讀取 %1: %2")
        .arg(QFileInfo(path).fileName(), error.text());
}

// The names of the projects in an open store file.
std::optional<QStringList> projectNames(QSqlDatabase& db, StoreError* error) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QStringList names;
    if (query.exec(QStringLiteral("select \"ProjectName\" from \"Project\"")))
        while (query.next()) names << query.value(0).toString();
    if (query.lastError().isValid()) {
        *error = StoreError::fromSql(query.lastError(), QStringLiteral("Select from Project"));
        return std::nullopt;
    }
    return names;
}

}  // namespace

std::optional<QString> exportProjectFile(const Diagram& diagram, const QString& path,
                                         const QString& name) {
    // Written beside the target first, so a failure leaves the file that was there as it was.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    const ProjectStore::SaveResult result = ProjectStore(sqliteUrl(partial)).saveAs(diagram, name);
    if (!result.ok) {
        QFile::remove(partial);
        return result.error.text();
    }
    if (QFile::exists(path) && !QFile::remove(path)) {
        QFile::remove(partial);
        return QCoreApplication::translate("ProjectFile", "無法取代 %1").arg(path);
    }
    if (!QFile::rename(partial, path))
        return QCoreApplication::translate("ProjectFile", "無法寫入 %1").arg(path);
    return std::nullopt;
}

std::optional<QString> projectFileName(const QString& path, QString* problem) {
    std::optional<QStringList> names;
    StoreError error;
    if (QFileInfo(path).isFile()) {
        StoreConnection connection(*DatabaseUrl::parse(sqliteUrl(path)));
        if (connection.open(&error, StoreConnection::Access::ReadOnly) && !connection.hasNoTables())
            names = projectNames(connection.database(), &error);
    }
    if (error.isSet() && !isNoDatabase(error)) {
        if (problem) *problem = unreadableFile(path, error);
        return std::nullopt;
    }
    if (!names || names->size() != 1) {
        if (problem) *problem = notAProjectFile(path);
        return std::nullopt;
    }
    return names->front();
}

std::optional<QString> importProjectFile(Editor& editor, const QString& path, QString* problem,
                                         QString* warning) {
    const std::optional<QString> name = projectFileName(path, problem);
    if (!name) return std::nullopt;
    const ProjectStore::LoadResult result = ProjectStore(sqliteUrl(path)).loadInto(editor, *name);
    if (result.status != ProjectStore::LoadResult::Status::Loaded) {
        if (problem) *problem = result.error.isSet() ? result.error.text() : notAProjectFile(path);
        return std::nullopt;
    }
    *warning = result.skippedRows > 0 ? skippedRowsMessage(result.skippedRows) : QString();
    return name;
}
