#pragma once

#include <QCoreApplication>
#include <QString>

#include "appinfo.h"

// "版本 " + major.minor.revision of the program's version.
inline QString versionText() {
    return QCoreApplication::translate("AboutText", "版本 ") + versionNumber();
}

inline const QString kContactAddress = QStringLiteral("relvane@example.org");

// The about window's two texts, line ends included.
QString aboutDescription();
QString aboutDisclaimer();
