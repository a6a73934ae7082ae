#include <gtest/gtest.h>

#include <QUrl>
#include <arpa/inet.h>
#include <algorithm>
#include <atomic>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "diagrambuilder.h"
#include "storetesting.h"

namespace {

// A TCP relay between the store and the test server that can stop relaying: to the store it
// looks like a server that has stopped answering (its requests are accepted by the network and
// never answered), as a stopped or frozen server does.
class FreezableRelay {
public:
    explicit FreezableRelay(int serverPort) : serverPort_(serverPort) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            ::listen(listener_, 8) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~FreezableRelay() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        for (const int fd : sockets_) ::close(fd);
        ::close(listener_);
    }

    int port() const { return port_; }
    void freeze() { frozen_ = true; }

private:
    void run() {
        while (!stop_) {
            std::vector<pollfd> watched{{listener_, POLLIN, 0}};
            if (!frozen_)
                for (const int fd : sockets_) watched.push_back({fd, POLLIN, 0});
            if (::poll(watched.data(), watched.size(), 50) <= 0) continue;
            if (watched[0].revents & POLLIN) accept();
            for (size_t i = 1; i < watched.size(); ++i)
                if (watched[i].revents & (POLLIN | POLLHUP)) relay(watched[i].fd);
        }
    }
    void accept() {
        const int client = ::accept(listener_, nullptr, nullptr);
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(quint16(serverPort_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address);
        sockets_.insert(sockets_.end(), {client, server});
    }
    // Passes what arrived on one socket to its partner; an end on one side ends the other.
    void relay(int from) {
        if (frozen_) return;  // data that came in just as the relay froze stays unread
        const auto at = std::find(sockets_.begin(), sockets_.end(), from);
        if (at == sockets_.end()) return;
        const size_t i = size_t(at - sockets_.begin());
        const int to = sockets_[i ^ 1];
        char buffer[65536];
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n > 0 && ::write(to, buffer, size_t(n)) == n) return;
        ::shutdown(to, SHUT_RDWR);
        ::shutdown(from, SHUT_RDWR);
    }

    int serverPort_ = 0, port_ = 0, listener_ = -1;
    std::vector<int> sockets_;  // pairs: client, server
    std::atomic<bool> frozen_{false}, stop_{false};
    std::thread thread_;
};

class FrozenServer : public StoreTest {};

// The server's statement timeout cannot help when the server does not run at all; the
// connection is given up a few seconds after it, and nothing of the save is kept.
TEST_P(FrozenServer, ASaveWaitingOnAServerThatNeverAnswersFailsAndKeepsThePreviousVersion) {
    DiagramBuilder original;
    drawSample(original);
    ASSERT_TRUE(store().saveAs(original.d, "school").ok);
    DiagramBuilder changed;
    const Sample s = drawSample(changed);
    changed.d.element(s.student).Caption = "Pupil";

    for (const char* freezeAt : {"Insert into EntityType", "Commit"}) {
        SCOPED_TRACE(freezeAt);
        QUrl relayed(url());
        auto relay = std::make_unique<FreezableRelay>(relayed.port(5432));
        ASSERT_NE(relay->port(), 0);
        relayed.setHost("127.0.0.1");
        relayed.setPort(relay->port());
        relayed.setQuery("statement_timeout=1");
        ProjectStore stalled(relayed.toString());
        stalled.setStatementHook([&relay, freezeAt](QSqlDatabase&, const QString& operation) {
            if (operation == freezeAt) relay->freeze();
        });
        const auto saved = stalled.saveAs(changed.d, "school");
        EXPECT_FALSE(saved.ok);
        EXPECT_TRUE(saved.error.source.startsWith(freezeAt)) << saved.error.text().toStdString();

        // With the relay gone the server has lost the connection and rolls the save back.
        relay.reset();
        DiagramBuilder back;
        ASSERT_EQ(store().loadInto(back.editor, "school").status,
                  ProjectStore::LoadResult::Status::Loaded);
        EXPECT_EQ(storedData(back.d), storedData(original.d));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, FrozenServer, testing::Values(Engine::PostgreSQL), engineName);

}  // namespace
