#pragma once

#include <QString>

// The program as its windows present it.
inline QString productTitle() {
    return QStringLiteral("Relvane");
}
// "版本 " + major.minor.revision of the program's version.
inline QString versionText() {
    return QStringLiteral("版本 %1.%2.%3")
        .arg(RELVANE_VERSION_MAJOR)
        .arg(RELVANE_VERSION_MINOR)
        .arg(RELVANE_VERSION_PATCH);
}

inline const QString kContactAddress = QStringLiteral("relvane@example.org");

// The about window's two texts, line ends included.
QString aboutDescription();
QString aboutDisclaimer();
