#include "projectstore.h"

#include <QCoreApplication>

#include "editor.h"
#include "projectbuilder.h"
#include "projectreader.h"
#include "projectwriter.h"
#include "storeconnection.h"

ProjectStore::ProjectStore(const QString& url) {
    if (auto parsed = DatabaseUrl::parse(url, &urlError_)) url_ = *parsed;
    if (!isValid() && urlError_.isEmpty()) urlError_ = QStringLiteral("unreadable database URL");
}

ProjectStore::ProjectStore(DatabaseUrl url) : url_(std::move(url)) {}

StoreError ProjectStore::urlFailure() const {
    return {urlError_, QStringLiteral("Open database")};
}

StoreError ProjectStore::check() const {
    if (!isValid()) return urlFailure();
    StoreError error;
    StoreConnection connection(url_);
    connection.open(&error);
    return error;
}

ProjectStore::SaveResult ProjectStore::saveAs(const Diagram& diagram, const QString& name,
                                              Progress* progress, bool draft) const {
    SaveResult result;
    if (!isValid()) {
        result.error = urlFailure();
        return result;
    }
    StoreConnection connection(url_);
    if (!connection.open(&result.error)) return result;
    StatementRunner runner(connection.database(), hook_);
    // About one statement per element and per connector.
    runner.watch(progress, qint64(diagram.elementCount()) + diagram.connectorCount());
    result.projectNumber = writeProject(runner, connection.isPostgres(), diagram, name, draft);
    result.ok = result.projectNumber > 0;
    result.cancelled = runner.cancelled();
    if (!result.ok) result.error = runner.error();
    return result;
}

std::optional<bool> ProjectStore::contains(const QString& name, StoreError* error) const {
    if (!isValid()) {
        if (error) *error = urlFailure();
        return std::nullopt;
    }
    StoreError failure;
    StoreConnection connection(url_);
    std::optional<bool> found;
    if (connection.open(&failure, StoreConnection::Access::ReadOnly))
        found =
            connection.hasNoTables() ? false : projectExists(connection.database(), name, &failure);
    if (error) *error = failure;
    return found;
}

ProjectStore::LoadResult ProjectStore::loadInto(Editor& editor, const QString& name,
                                                Progress* progress) const {
    LoadResult result;
    if (!isValid()) {
        result.error = urlFailure();
        return result;
    }
    std::optional<ProjectRows> rows;
    {
        StoreConnection connection(url_);
        if (!connection.open(&result.error, StoreConnection::Access::ReadOnly)) return result;
        if (!connection.hasNoTables())
            rows = readProject(connection.database(), connection.isPostgres(), name, &result.error);
    }
    if (!rows) {
        result.status =
            result.error.isSet() ? LoadResult::Status::Failed : LoadResult::Status::NotFound;
        return result;
    }
    const ProjectIdentity project{name, name, place(), rows->draft};
    if (progress) {
        const std::optional<int> skipped = buildDiagram(editor, *rows, *progress, project);
        if (!skipped) {
            result.status = LoadResult::Status::Cancelled;
            return result;
        }
        result.skippedRows = *skipped;
    } else {
        result.skippedRows = buildDiagram(editor, *rows, project);
    }
    result.status = LoadResult::Status::Loaded;
    result.draft = rows->draft;
    result.projectNumber = qint16(rows->projectNumber);
    return result;
}

ProjectStore::ReadResult ProjectStore::readProjects(const std::optional<QStringList>& names) const {
    ReadResult result;
    if (!isValid()) {
        result.error = urlFailure();
        return result;
    }
    StoreConnection connection(url_);
    if (!connection.open(&result.error, StoreConnection::Access::ReadOnly)) return result;
    // A database without the store's tables holds no project.
    if (connection.hasNoTables()) {
        result.ok = true;
        return result;
    }
    auto projects =
        ::readProjects(connection.database(), connection.isPostgres(), names, &result.error);
    result.ok = projects.has_value();
    if (projects) result.projects = std::move(*projects);
    return result;
}

QString noSuchProjectMessage() {
    return QCoreApplication::translate("ProjectCommands", "資料庫內沒有這個 Project");
}

QString draftProjectMessage(const QString& name) {
    return QCoreApplication::translate("ProjectCommands", "Project %1 是草稿, 尚未通過檢查")
        .arg(name);
}

QString skippedRowsMessage(int rows) {
    return QCoreApplication::translate("ProjectCommands", "有 %1 筆資料無法載入, 已略過").arg(rows);
}
