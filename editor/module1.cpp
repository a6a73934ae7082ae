#include "module1.h"

#include <QSettings>

QString MinPart(const QString& text) {
    // A text without a comma has no minimum: "N" alone is a maximum.
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return comma < 0 ? QString() : text.left(comma);
}

QString MaxPart(const QString& text) {
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return comma < 0 ? text : text.mid(comma + 1);
}

QVariant ReadSetting(QSettings& key, const QString& valueName) {
    if (!key.contains(valueName)) return {};
    return key.value(valueName).toString();
}

void WriteSetting(QSettings& key, const QString& valueName, const QString& text) {
    key.setValue(valueName, text);
}
