#include "statementrunner.h"

#include <QCoreApplication>
#include <QSqlError>

bool StatementRunner::prepare(QSqlQuery& query, const QString& sql, const QString& operation) {
    query = QSqlQuery(db_);
    query.setForwardOnly(true);
    if (query.prepare(sql)) return true;
    fail(StoreError::fromSql(query.lastError(), operation));
    return false;
}

bool StatementRunner::connected(const QString& operation) {
    // Every 64th statement tells the progress how far the operation is, and may be stopped.
    if (progress_ && ++done_ % 64 == 0 && !progress_->advance(done_, expected_)) {
        cancelled_ = true;
        fail({QCoreApplication::translate("StatementRunner", "已取消"), operation});
        return false;
    }
    if (db_.isOpen()) return true;
    fail({QStringLiteral("the connection to the database was lost"), operation});
    return false;
}

bool StatementRunner::exec(QSqlQuery& query, const QString& operation, const QVariantList& values) {
    if (hook_) hook_(db_, operation);
    if (!connected(operation)) return false;
    for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
    if (query.exec()) return true;
    fail(StoreError::fromSql(query.lastError(), operation));
    return false;
}

bool StatementRunner::exec(const QString& sql, const QString& operation) {
    if (hook_) hook_(db_, operation);
    if (!connected(operation)) return false;
    QSqlQuery query(db_);
    if (query.exec(sql)) return true;
    fail(StoreError::fromSql(query.lastError(), operation));
    return false;
}
