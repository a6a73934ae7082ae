#include "valuesizelimit.h"

#include <dlfcn.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

namespace {

struct sqlite3;
constexpr int kSqliteLimitLength = 0;  // SQLITE_LIMIT_LENGTH

}  // namespace

void limitValueSize(QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    const char* type = handle.isValid() ? handle.typeName() : nullptr;
    if (!type || qstrcmp(type, "sqlite3*") != 0) return;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    // SQLite came with the driver plugin that made this connection; its sqlite3_limit is looked
    // up there, as the PostgreSQL driver's libpq is (see stallwatch.cpp).
    void* library = dlopen("libsqlite3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    const auto setLimit =
        library ? reinterpret_cast<int (*)(sqlite3*, int, int)>(dlsym(library, "sqlite3_limit"))
                : nullptr;
    if (connection && setLimit) setLimit(connection, kSqliteLimitLength, kLargestStoredValue);
    if (library) dlclose(library);
}
