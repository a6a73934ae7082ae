#include "module1.h"

#include <QSettings>
#include <charconv>

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
    const QVariant value = key.value(valueName);
    // A hand-edited value with unquoted commas reads back as the list of its parts.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
    // Values of other types (a rectangle, a damaged @Variant) read as missing.
    if (!value.canConvert<QString>()) return {};
    return value.toString();
}

void WriteSetting(QSettings& key, const QString& valueName, const QString& text) {
    key.setValue(valueName, text);
}

QString shortestFloatText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}
