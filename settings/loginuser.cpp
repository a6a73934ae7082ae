#include "loginuser.h"

#include <pwd.h>
#include <unistd.h>

#include <QFile>

namespace {

constexpr qsizetype kLongestName = 80;

QString fromSystem() {
    // The account the program runs as, like the Windows user of the process.
    if (const passwd* account = getpwuid(geteuid());
        account && account->pw_name && *account->pw_name)
        return QFile::decodeName(account->pw_name);
    if (const char* login = getlogin(); login && *login) return QFile::decodeName(login);
    for (const char* variable : {"USER", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) return name;
    }
    return {};
}

}  // namespace

QString loginUserName() {
    QString name = fromSystem();
    if (name.size() > kLongestName) {
        name.truncate(kLongestName);
        // Never keep half of a surrogate pair.
        if (name.back().isHighSurrogate()) name.chop(1);
    }
    return name;
}
