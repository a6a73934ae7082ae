#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <optional>

// The settings file of the organisation "Quillo" in the user's configuration directory
// (~/.config/Quillo.conf): the file QSettings uses for that organisation without an application
// name. It follows $XDG_CONFIG_HOME and the test mode of QStandardPaths.
QString defaultSettingsFileName();

// Settings values are strings under the organisation "Quillo". ReadSetting returns the stored
// text, or an empty (null) QVariant for a missing value; WriteSetting stores text and reports
// nothing.
QVariant ReadSetting(QSettings& key, const QString& valueName);
void WriteSetting(QSettings& key, const QString& valueName, const QString& text);

// One opened settings key: every value a string under its plain name.
class SettingsKey {
public:
    explicit SettingsKey(const QString& fileName);

    const QString& fileName() const { return fileName_; }

    // The key exists once its file has been created (and can be read).
    bool exists() const;
    // Makes the file's folder when missing; true when the file can then be created or written.
    bool prepareForWriting() const;

    // The stored text; nullopt for a missing value or one that is no text.
    std::optional<QString> read(const QString& valueName);
    void write(const QString& valueName, const QString& text);
    // Puts the written values into the file; false when the file could not be written.
    bool flush();

private:
    QString fileName_;
    QSettings settings_;
};
