#include "settingskey.h"

#include <QFile>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString defaultSettingsFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillo.conf");
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

SettingsKey::SettingsKey(const QString& fileName)
    : fileName_(fileName), settings_(fileName, QSettings::IniFormat) {}

bool SettingsKey::exists() const {
    const QFileInfo file(fileName_);
    return file.isFile() && file.isReadable();
}

bool SettingsKey::prepareForWriting() const {
    const QFileInfo file(fileName_);
    const QString folder = file.absolutePath();
    if (!QDir().mkpath(folder)) return false;
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir() || !folderInfo.isWritable()) return false;
    // The file is replaced as a whole on writing; a folder in its place cannot be.
    return !file.exists() || (file.isFile() && file.isWritable());
}

std::optional<QString> SettingsKey::read(const QString& valueName) {
    const QVariant value = ReadSetting(settings_, valueName);
    if (value.isNull()) return std::nullopt;
    return value.toString();
}

void SettingsKey::write(const QString& valueName, const QString& text) {
    WriteSetting(settings_, valueName, text);
}

bool SettingsKey::flush() {
    settings_.sync();
    // The file may hold the store's password: only its owner reads it.
    if (QFile::exists(fileName_))
        QFile::setPermissions(fileName_, QFile::ReadOwner | QFile::WriteOwner);
    // A file that could not be parsed when it was opened reports a format error, yet sync has
    // replaced it with the values held; only an access error means nothing was written.
    return settings_.status() != QSettings::AccessError;
}
