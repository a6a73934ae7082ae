#include "projectfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include "editor.h"
#include "projectstore.h"
#include "schema.h"

namespace {

QString sqliteUrl(const QString& path) {
    return QStringLiteral("sqlite:") + QFileInfo(path).absoluteFilePath();
}

QString notAProjectFile(const QString& path) {
    return QCoreApplication::translate("ProjectFile", "%1 不是 Relvane 專案檔")
        .arg(QFileInfo(path).fileName());
}

// Reads the file through a connection of its own that may not write to it.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path)
        : name_(QStringLiteral("relvane-file-") + QUuid::createUuid().toString()) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    ~ReadOnlyFile() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase& db() { return db_; }

private:
    QString name_;
    QSqlDatabase db_;
};

// The names of the projects in an open store file, or nullopt when its tables are not the
// store's five.
std::optional<QStringList> projectNames(QSqlDatabase& db) {
    const QStringList tables = db.tables();
    for (const StoreTable& table : storeTables())
        if (!tables.contains(table.name)) return std::nullopt;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select \"ProjectName\" from \"Project\""))) return std::nullopt;
    QStringList names;
    while (query.next()) names << query.value(0).toString();
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
    if (QFileInfo(path).isFile()) {
        ReadOnlyFile file(path);
        if (file.db().open()) names = projectNames(file.db());
    }
    if (!names || names->size() != 1) {
        if (problem) *problem = notAProjectFile(path);
        return std::nullopt;
    }
    return names->front();
}

std::optional<QString> importProjectFile(Editor& editor, const QString& path, QString* problem) {
    const std::optional<QString> name = projectFileName(path, problem);
    if (!name) return std::nullopt;
    const ProjectStore::LoadResult result = ProjectStore(sqliteUrl(path)).loadInto(editor, *name);
    if (result.status != ProjectStore::LoadResult::Status::Loaded) {
        if (problem) *problem = result.error.isSet() ? result.error.text() : notAProjectFile(path);
        return std::nullopt;
    }
    return name;
}
