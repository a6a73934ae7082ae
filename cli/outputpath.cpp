#include "outputpath.h"

#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "databaseurl.h"

std::optional<QString> refuseOutputPath(const QString& output, const QString& databaseUrl) {
    const QFileInfo target(output);
    // exists() and isFile() follow symbolic links: a link to a device is a device.
    if (target.exists() && !target.isFile())
        return QStringLiteral(
                   "%1 exists and is not a regular file (a folder, device or pipe); "
                   "it is left as it is")
            .arg(output);
    const std::optional<DatabaseUrl> url = DatabaseUrl::parse(databaseUrl);
    if (target.exists() && url && url->provider == DatabaseUrl::Provider::SQLite) {
        std::error_code ignored;
        if (std::filesystem::equivalent(target.filesystemFilePath(),
                                        QFileInfo(url->dataSource).filesystemFilePath(), ignored))
            return QStringLiteral("%1 is the database file itself; it is left as it is")
                .arg(output);
    }
    return std::nullopt;
}
