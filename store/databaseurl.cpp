#include "databaseurl.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString kSqliteScheme = QStringLiteral("sqlite:");

bool isPostgresScheme(const QString& scheme) {
    return scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres");
}

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

// HOST[:PORT]/DBNAME split into its parts; false when the text has no host or no database name
// or a port that is not a number.
struct DataSourceParts {
    QString host;
    int port = 0;
    QString database;
};

std::optional<DataSourceParts> splitDataSource(const QString& dataSource) {
    const qsizetype slash = dataSource.indexOf(QLatin1Char('/'));
    if (slash < 0) return std::nullopt;
    DataSourceParts parts;
    parts.database = dataSource.mid(slash + 1);
    QString hostPort = dataSource.left(slash);
    qsizetype colon = -1;
    if (hostPort.startsWith(QLatin1Char('['))) {
        const qsizetype close = hostPort.indexOf(QLatin1Char(']'));
        if (close < 0) return std::nullopt;
        parts.host = hostPort.mid(1, close - 1);
        if (close + 1 < hostPort.size()) {
            if (hostPort.at(close + 1) != QLatin1Char(':')) return std::nullopt;
            colon = close + 1;
        }
    } else {
        colon = hostPort.lastIndexOf(QLatin1Char(':'));
        parts.host = colon < 0 ? hostPort : hostPort.left(colon);
    }
    if (colon >= 0) {
        bool ok = false;
        parts.port = hostPort.mid(colon + 1).toInt(&ok);
        if (!ok || parts.port < 1 || parts.port > 65535) return std::nullopt;
    }
    if (parts.host.isEmpty() || parts.database.isEmpty()) return std::nullopt;
    return parts;
}

QString joinDataSource(const QString& host, int port, const QString& database) {
    QString text =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    if (port > 0) text += QLatin1Char(':') + QString::number(port);
    return text + QLatin1Char('/') + database;
}

const QString kTimeoutParameter = QStringLiteral("statement_timeout");
constexpr int kLongestStatementTimeout = 24 * 60 * 60;

QString timeoutQuery(int seconds) {
    return kTimeoutParameter + QLatin1Char('=') + QString::number(seconds);
}

// The URL's statement timeout in seconds: the default without a query, nullopt for any other
// parameter or a value that is not a whole number of seconds up to a day.
std::optional<int> statementTimeout(const QUrl& url) {
    if (!url.hasQuery()) return DatabaseUrl::kDefaultStatementTimeout;
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    if (items.size() != 1 || items.front().first != kTimeoutParameter) return std::nullopt;
    bool ok = false;
    const int seconds = items.front().second.toInt(&ok);
    if (!ok || seconds < 0 || seconds > kLongestStatementTimeout) return std::nullopt;
    return seconds;
}

QString postgresUrl(const DatabaseUrl& url, const QString& password) {
    const auto parts = splitDataSource(url.dataSource);
    QUrl out;
    out.setScheme(QStringLiteral("postgresql"));
    out.setUserName(url.userId);
    if (!password.isEmpty()) out.setPassword(password);
    if (parts) {
        out.setHost(parts->host);
        if (parts->port > 0) out.setPort(parts->port);
        out.setPath(QLatin1Char('/') + parts->database);
        if (url.statementTimeoutSeconds != DatabaseUrl::kDefaultStatementTimeout)
            out.setQuery(timeoutQuery(url.statementTimeoutSeconds));
    }
    if (!parts || !out.isValid()) {
        // Not a complete data source yet (the dialog may hold a half-typed one): keep the text.
        QString text = QStringLiteral("postgresql://");
        if (!url.userId.isEmpty() || !password.isEmpty()) {
            text += QString::fromUtf8(QUrl::toPercentEncoding(url.userId));
            if (!password.isEmpty())
                text += QLatin1Char(':') + QString::fromUtf8(QUrl::toPercentEncoding(password));
            text += QLatin1Char('@');
        }
        text += url.dataSource;
        if (url.statementTimeoutSeconds != DatabaseUrl::kDefaultStatementTimeout)
            text += QLatin1Char('?') + timeoutQuery(url.statementTimeoutSeconds);
        return text;
    }
    return out.toString(QUrl::FullyEncoded);
}

std::optional<DatabaseUrl> parsePostgres(const QString& text, QString* error) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        // QUrl's reason quotes the whole URL.
        setError(error, QStringLiteral("not a valid PostgreSQL URL: %1")
                            .arg(maskPassword(url.errorString(), text)));
        return std::nullopt;
    }
    DatabaseUrl result;
    const auto timeout = statementTimeout(url);
    if (!timeout || url.hasFragment()) {
        setError(error, QStringLiteral("a PostgreSQL URL takes one parameter after the database "
                                       "name: ?%1=SECONDS (0 for no limit)")
                            .arg(kTimeoutParameter));
        return std::nullopt;
    }
    result.statementTimeoutSeconds = *timeout;
    result.provider = DatabaseUrl::Provider::PostgreSQL;
    result.userId = url.userName(QUrl::FullyDecoded);
    result.password = url.password(QUrl::FullyDecoded);
    const QString host = url.host(QUrl::FullyDecoded);
    QString database = url.path(QUrl::FullyDecoded);
    if (database.startsWith(QLatin1Char('/'))) database.remove(0, 1);
    if (host.isEmpty()) {
        setError(error, QStringLiteral("the PostgreSQL URL names no host"));
        return std::nullopt;
    }
    if (database.isEmpty() || database.contains(QLatin1Char('/'))) {
        setError(error, QStringLiteral("the PostgreSQL URL must end in /DATABASE"));
        return std::nullopt;
    }
    result.dataSource = joinDataSource(host, url.port(0), database);
    return result;
}

}  // namespace

QString maskPassword(const QString& message, const QString& url) {
    // USER:PASSWORD@ after the scheme's "//" (or at the start, the scheme forgotten), as far as
    // the last "@": a typed password may hold any character.
    static const QRegularExpression userInfo(QStringLiteral("(?:^|//)[^/@:\\s]*:([^\\s]*)@"));
    const QString password = userInfo.match(url).captured(1);
    if (password.isEmpty()) return message;
    QString masked = message;
    masked.replace(password, QStringLiteral("****"));
    return masked;
}

QString defaultDatabaseFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("ERD.db"));
}

std::optional<DatabaseUrl> DatabaseUrl::parse(const QString& input, QString* error) {
    const QString text = input.trimmed();
    DatabaseUrl result;
    if (text.isEmpty()) {
        result.dataSource = defaultDatabaseFile();
        return result;
    }
    if (text.startsWith(kSqliteScheme, Qt::CaseInsensitive)) {
        QString path = text.mid(kSqliteScheme.size());
        // sqlite:///abs/path and sqlite://rel/path are read as the path after the slashes.
        if (path.startsWith(QLatin1String("//"))) path.remove(0, 2);
        if (path.isEmpty()) {
            setError(error, QStringLiteral("the SQLite URL names no file"));
            return std::nullopt;
        }
        result.dataSource = path;
        return result;
    }
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    if (schemeEnd > 0) {
        if (isPostgresScheme(text.left(schemeEnd).toLower())) return parsePostgres(text, error);
        setError(error, QStringLiteral("unknown database kind \"%1\": use sqlite: or postgresql://")
                            .arg(text.left(schemeEnd)));
        return std::nullopt;
    }
    // A plain path: a store or project file by its ending, or any file that is there.
    for (const char* ending : {".db", ".relvane", ".sqlite", ".sqlite3"}) {
        if (text.endsWith(QLatin1String(ending), Qt::CaseInsensitive)) {
            result.dataSource = text;
            return result;
        }
    }
    if (QFileInfo(text).isFile()) {
        result.dataSource = text;
        return result;
    }
    setError(error, QStringLiteral("\"%1\" is no database: give an SQLite file (FILE.db, "
                                   "FILE.relvane or sqlite:PATH) or postgresql://USER@HOST/DBNAME")
                        .arg(maskPassword(text, text)));
    return std::nullopt;
}

QString DatabaseUrl::toString() const {
    if (provider == Provider::SQLite) return kSqliteScheme + dataSource;
    return postgresUrl(*this, password);
}

QString DatabaseUrl::toDisplayString() const {
    if (provider == Provider::SQLite) return toString();
    return postgresUrl(*this, password.isEmpty() ? QString() : QStringLiteral("****"));
}

QString DatabaseUrl::host() const {
    const auto parts = splitDataSource(dataSource);
    return parts ? parts->host : QString();
}

int DatabaseUrl::port() const {
    const auto parts = splitDataSource(dataSource);
    return parts ? parts->port : 0;
}

QString DatabaseUrl::databaseName() const {
    const auto parts = splitDataSource(dataSource);
    return parts ? parts->database : QString();
}
