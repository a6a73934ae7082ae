#include "connectionfields.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QLatin1String kSqlitePrefix("sqlite:");

struct ServerParts {
    QString host;
    int port = -1;  // -1: the server's default port
    QString database;
};

// HOST[:PORT]/DBNAME, an IPv6 host in brackets; nullopt with the reason when it is not one.
std::optional<ServerParts> splitServer(const QString& dataSource, QString* problem) {
    const auto fail = [problem](const QString& why) -> std::optional<ServerParts> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    const QString shape = QStringLiteral("PostgreSQL 的 Data Source 應寫成 主機[:埠]/資料庫名稱");
    const QString text = dataSource.trimmed();
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash <= 0) return fail(shape);
    ServerParts parts;
    parts.database = text.mid(slash + 1);
    const QString hostPort = text.left(slash);
    QString portText;
    if (hostPort.startsWith(QLatin1Char('['))) {
        const qsizetype close = hostPort.indexOf(QLatin1Char(']'));
        if (close < 0) return fail(shape);
        parts.host = hostPort.mid(1, close - 1);
        const QString rest = hostPort.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':'))) return fail(shape);
            portText = rest.mid(1);
        }
    } else {
        const qsizetype colon = hostPort.indexOf(QLatin1Char(':'));
        parts.host = colon < 0 ? hostPort : hostPort.left(colon);
        if (colon >= 0) portText = hostPort.mid(colon + 1);
    }
    if (parts.host.isEmpty() || parts.database.isEmpty() ||
        parts.database.contains(QLatin1Char('/')))
        return fail(shape);
    if (!portText.isNull()) {
        bool ok = false;
        parts.port = portText.toInt(&ok);
        if (!ok || parts.port < 1 || parts.port > 65535)
            return fail(QStringLiteral("連接埠必須是 1 到 65535 之間的數字"));
    }
    return parts;
}

std::optional<ConnectionFields> fromPostgresUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.hasQuery() || url.hasFragment()) return std::nullopt;
    QString database = url.path(QUrl::FullyDecoded);
    if (database.startsWith(QLatin1Char('/'))) database.remove(0, 1);
    const QString host = url.host(QUrl::FullyDecoded);
    if (host.isEmpty() || database.isEmpty()) return std::nullopt;
    ConnectionFields fields;
    fields.provider = ConnectionFields::Provider::PostgreSQL;
    fields.userId = url.userName(QUrl::FullyDecoded);
    fields.password = url.password(QUrl::FullyDecoded);
    fields.dataSource =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    if (url.port() > 0) fields.dataSource += QLatin1Char(':') + QString::number(url.port());
    fields.dataSource += QLatin1Char('/') + database;
    return fields;
}

}  // namespace

QString defaultStoreFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("ERD.db"));
}

std::optional<ConnectionFields> ConnectionFields::fromSetting(const QString& setting) {
    const QString text = setting.trimmed();
    ConnectionFields fields;
    if (text.isEmpty()) return fields;
    if (text.startsWith(kSqlitePrefix, Qt::CaseInsensitive)) {
        QString path = text.mid(kSqlitePrefix.size());
        if (path.startsWith(QLatin1String("//"))) path.remove(0, 2);
        if (path.isEmpty()) return std::nullopt;
        fields.dataSource = path;
        return fields;
    }
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    if (schemeEnd > 0) {
        const QString scheme = text.left(schemeEnd).toLower();
        if (scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres"))
            return fromPostgresUrl(text);
        return std::nullopt;
    }
    if (text.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) {
        fields.dataSource = text;
        return fields;
    }
    return std::nullopt;
}

std::optional<QString> ConnectionFields::toSetting(QString* problem) const {
    if (provider == Provider::SQLite) {
        const QString path = dataSource.trimmed();
        if (path.isEmpty()) return QString();
        return kSqlitePrefix + path;
    }
    const std::optional<ServerParts> parts = splitServer(dataSource, problem);
    if (!parts) return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(userId, QUrl::DecodedMode);
    if (!password.isEmpty()) url.setPassword(password, QUrl::DecodedMode);
    url.setHost(parts->host, QUrl::DecodedMode);
    if (parts->port > 0) url.setPort(parts->port);
    url.setPath(QLatin1Char('/') + parts->database, QUrl::DecodedMode);
    if (!url.isValid()) {
        if (problem) *problem = QStringLiteral("連線設定無法組成有效的位址: ") + url.errorString();
        return std::nullopt;
    }
    return url.toString(QUrl::FullyEncoded);
}
