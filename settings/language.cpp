#include "language.h"

#include <QCoreApplication>
#include <QTranslator>

#include "settingskey.h"

QString knownLanguage(const QString& code) {
    return code == kLanguageEnglish ? kLanguageEnglish : kLanguageChinese;
}

QString chosenLanguage(const QString& given, const QString& settingsFile) {
    if (!given.isEmpty()) return knownLanguage(given);
    SettingsKey key(settingsFile);
    return knownLanguage(key.read(kLanguageSetting).value_or(kLanguageChinese));
}

bool applyLanguage(const QString& code) {
    // One translator for the program's lifetime; a later call replaces the language.
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (code != kLanguageEnglish) return true;
    auto* translator = new QTranslator;
    if (!translator->load(QStringLiteral(":/i18n/relvane_en.qm"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
