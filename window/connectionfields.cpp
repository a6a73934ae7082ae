#include "connectionfields.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

bool sameHost(const DatabaseUrl& a, const DatabaseUrl& b) {
    const auto ascii = [](const DatabaseUrl& url) {
        return QString::fromLatin1(QUrl::toAce(url.host())).toLower();
    };
    return a.provider == DatabaseUrl::Provider::PostgreSQL && !ascii(a).isEmpty() &&
           ascii(a) == ascii(b) && a.port() == b.port() && a.databaseName() == b.databaseName();
}

}  // namespace

DatabaseUrl connectionFieldsOf(const QString& setting) {
    if (const std::optional<DatabaseUrl> url = DatabaseUrl::parse(setting)) return *url;
    DatabaseUrl shown;
    shown.dataSource = setting;
    return shown;
}

std::optional<QString> connectionSettingOf(const DatabaseUrl& fields, QString* problem) {
    const auto refuse = [problem](const QString& why) -> std::optional<QString> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    DatabaseUrl url = fields;
    url.dataSource = url.dataSource.trimmed();
    if (url.provider == DatabaseUrl::Provider::SQLite) {
        // A file needs no account.
        url.userId.clear();
        url.password.clear();
        if (url.dataSource.isEmpty() || url.dataSource == defaultDatabaseFile()) return QString();
    } else if (url.host().isEmpty() || url.databaseName().isEmpty()) {
        return refuse(QCoreApplication::translate(
            "ConnectionFields", "PostgreSQL 的 Data Source 應寫成 主機[:埠]/資料庫名稱"));
    }
    const QString setting = url.toString();
    // Only a setting the store reads back as these very fields is written. Host names are
    // read back in lower case and international ones in their ASCII form: the same host.
    QString error;
    const std::optional<DatabaseUrl> back = DatabaseUrl::parse(setting, &error);
    if (back && sameHost(*back, url)) url.dataSource = back->dataSource;
    if (!back)
        return refuse(QCoreApplication::translate("ConnectionFields", "連線設定無法使用: ") +
                      maskPassword(error, setting));
    if (*back != url)
        return refuse(QCoreApplication::translate("ConnectionFields", "連線設定無法使用: ") +
                      url.toDisplayString());
    return setting;
}
