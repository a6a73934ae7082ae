#include "stallwatch.h"

#include <dlfcn.h>

#include <QSqlDriver>
#include <QVariant>
#include <libpq-fe.h>

#ifdef __linux__
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

// How long the socket has waited for an answer to what was last sent; zero when it is not
// waiting (the last data came after the last request) or the system cannot tell.
std::chrono::milliseconds unansweredFor(int socket) {
#ifdef __linux__
    tcp_info info{};
    socklen_t size = sizeof info;
    if (getsockopt(socket, IPPROTO_TCP, TCP_INFO, &info, &size) != 0) return {};
    // Both are "milliseconds ago", counted in clock ticks: a request newer than the last reply,
    // or sent within the same tick, is still unanswered.
    if (info.tcpi_last_data_sent > info.tcpi_last_data_recv) return {};
    return std::chrono::milliseconds(info.tcpi_last_data_recv);
#else
    (void)socket;
    return {};
#endif
}

int socketOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // The driver declares its handle as PGconn*; Qt 6 may name the type by its struct.
    const char* type = handle.isValid() ? handle.typeName() : nullptr;
    if (!type || (qstrcmp(type, "PGconn*") != 0 && qstrcmp(type, "pg_conn*") != 0)) return -1;
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    // libpq came with the driver plugin that made this connection; its PQsocket is looked up
    // there rather than linked, so that every start of the program does not load libpq and what
    // it needs (TLS, Kerberos, LDAP) for the few runs that use PostgreSQL.
    void* libpq = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
    const auto socketOfConnection =
        libpq ? reinterpret_cast<int (*)(const PGconn*)>(dlsym(libpq, "PQsocket")) : nullptr;
    const int socket = connection && socketOfConnection ? socketOfConnection(connection) : -1;
    if (libpq) dlclose(libpq);
    return socket;
}

}  // namespace

StallWatch::StallWatch(const QSqlDatabase& db, std::chrono::milliseconds limit) {
    const int socket = socketOf(db);
    if (socket < 0 || limit <= std::chrono::milliseconds::zero()) return;
    thread_ = std::thread([this, socket, limit] { watch(socket, limit); });
}

StallWatch::~StallWatch() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void StallWatch::watch(int socket, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_; })) {
        if (unansweredFor(socket) > limit) {
            // Shut down, not closed: the descriptor stays libpq's until the connection closes.
            ::shutdown(socket, SHUT_RDWR);
            return;
        }
    }
}
