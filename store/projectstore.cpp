#include "projectstore.h"

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
    return {urlError_, QStringLiteral("StoreConnection")};
}

StoreError ProjectStore::check() const {
    if (!isValid()) return urlFailure();
    StoreError error;
    StoreConnection connection(url_);
    connection.open(&error);
    return error;
}

ProjectStore::SaveResult ProjectStore::saveAs(const Diagram& diagram, const QString& name) const {
    SaveResult result;
    if (!isValid()) {
        result.error = urlFailure();
        return result;
    }
    StoreConnection connection(url_);
    if (!connection.open(&result.error)) return result;
    StatementRunner runner(connection.database(), hook_);
    result.projectNumber = writeProject(runner, connection.isPostgres(), diagram, name);
    result.ok = result.projectNumber > 0;
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

ProjectStore::LoadResult ProjectStore::loadInto(Editor& editor, const QString& name) const {
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
    result.status = LoadResult::Status::Loaded;
    result.projectNumber = qint16(rows->projectNumber);
    result.failedSteps = rows->failedSteps;
    result.skippedRows = buildDiagram(editor, *rows);
    return result;
}
