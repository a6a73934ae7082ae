#include "spreadsheettext.h"

QString spreadsheetText(const QString& field) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (field.isEmpty() || !formulaStarts.contains(field.front())) return field;
    bool number = false;
    field.toDouble(&number);
    return number ? field : QLatin1Char('\'') + field;
}
