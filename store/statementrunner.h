#pragma once

#include <QSqlQuery>
#include <functional>

#include "progress.h"
#include "storeerror.h"

// Called before each statement a save runs inside its transaction, with the statement's name.
// Tests use it to break the connection between two statements.
using StatementHook = std::function<void(QSqlDatabase& db, const QString& operation)>;

// Runs the statements of one store operation and keeps the first failure.
class StatementRunner {
public:
    StatementRunner(QSqlDatabase& db, StatementHook hook) : db_(db), hook_(std::move(hook)) {}

    QSqlDatabase& database() { return db_; }

    // Prepares `sql` (with ? placeholders) for repeated execution under the name `operation`.
    bool prepare(QSqlQuery& query, const QString& sql, const QString& operation);
    // Executes a prepared query with its values bound by position.
    bool exec(QSqlQuery& query, const QString& operation, const QVariantList& values);
    // Executes a statement without values.
    bool exec(const QString& sql, const QString& operation);

    // Reports to `progress` as statements run, out of about `expected`; when it asks to stop,
    // the next statement fails instead of running and cancelled() is true.
    void watch(Progress* progress, qint64 expected) {
        progress_ = progress;
        expected_ = expected;
    }
    bool cancelled() const { return cancelled_; }

    void fail(const StoreError& error) {
        if (!error_.isSet()) error_ = error;
    }
    const StoreError& error() const { return error_; }

private:
    // False, with the failure noted, when the connection has closed under the operation.
    bool connected(const QString& operation);

    QSqlDatabase& db_;
    StatementHook hook_;
    StoreError error_;
    Progress* progress_ = nullptr;
    qint64 done_ = 0, expected_ = 0;
    bool cancelled_ = false;
};
