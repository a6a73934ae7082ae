#include "settingskey.h"

#include <QFile>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "module1.h"

QString defaultSettingsFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quillo.conf");
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
