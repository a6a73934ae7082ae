#pragma once

#include <QString>

// The program's name and version as the windows and the command line show them.
inline QString applicationTitle() {
    return QStringLiteral("Relvane");
}
inline QString versionNumber() {
    return QStringLiteral("%1.%2.%3")
        .arg(RELVANE_VERSION_MAJOR)
        .arg(RELVANE_VERSION_MINOR)
        .arg(RELVANE_VERSION_PATCH);
}
