#include "storeerror.h"

#include <QSqlError>

StoreError StoreError::fromSql(const QSqlError& error, const QString& operation) {
    StoreError result;
    result.description = error.databaseText().trimmed();
    const QString driverText = error.driverText().trimmed();
    if (result.description.isEmpty()) {
        result.description =
            driverText.isEmpty() ? QStringLiteral("unknown database error") : driverText;
        result.source = operation;
    } else {
        result.source = driverText.isEmpty()
                            ? operation
                            : operation + QStringLiteral(" (") + driverText + QLatin1Char(')');
    }
    return result;
}
