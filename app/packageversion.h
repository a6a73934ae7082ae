#pragma once

#include <QString>

// The version this build carries, as `relvane --version`, the AppStream release and the Debian
// package give it: the project's version and, built from git, the commit (0.4.1+git20261208.5c286d0).
QString packageVersion();
