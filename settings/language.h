#pragma once

#include <QString>

// The language of the user-visible texts: "zh_TW" (traditional Chinese, the texts as written in
// the source) or "en" (English, from the translation built into the program).
inline const QString kLanguageSetting = QStringLiteral("Language");
inline const QString kLanguageChinese = QStringLiteral("zh_TW");
inline const QString kLanguageEnglish = QStringLiteral("en");

// A known language code as given, anything else as the default "zh_TW".
QString knownLanguage(const QString& code);

// The language given on the command line when there is one, else the setting "Language" of the
// settings file.
QString chosenLanguage(const QString& given, const QString& settingsFile);

// Installs the translation of the language into the running application; Chinese needs none.
// False when the translation could not be loaded (the texts then stay Chinese).
bool applyLanguage(const QString& code);
