#pragma once

#include <QSqlDatabase>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends a PostgreSQL connection whose server has stopped answering. The server's own statement
// timeout cancels a statement that runs too long, but a server that is stopped (or frozen, or
// cut off behind a firewall that keeps the connection open) cancels nothing, and libpq waits for
// its answer for ever. A watch thread looks at the connection's socket once a second: when a
// request has gone out and nothing has come back for `limit`, it shuts the socket down, so the
// waiting statement fails at once with a lost connection and the server, whenever it wakes, sees
// the connection gone and rolls the transaction back.
class StallWatch {
public:
    // Watches the open connection `db` (a QPSQL one; anything else is not watched).
    StallWatch(const QSqlDatabase& db, std::chrono::milliseconds limit);
    ~StallWatch();
    StallWatch(const StallWatch&) = delete;
    StallWatch& operator=(const StallWatch&) = delete;

private:
    void watch(int socket, std::chrono::milliseconds limit);

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};
