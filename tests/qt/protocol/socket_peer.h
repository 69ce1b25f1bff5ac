#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tlx::test {

// A device stand-in on plain POSIX sockets, in its own thread, so that it can
// answer while the link under test blocks the Qt thread waiting.
class SocketPeer {
public:
    // Answers each received line through the handler: the returned chunks are
    // written in order (a pause between them), nothing when empty.
    using Handler = std::function<std::vector<std::string>(const std::string& line)>;

    ~SocketPeer();

    // Listens on a free loopback port and serves the first connection.
    int listen(Handler handler);
    // Connects to a listening port and serves that connection.
    bool connectTo(int port, Handler handler);
    void closeConnection();
    std::vector<std::string> received() const;

private:
    void serve(int fd);

    int listenFd_ = -1;
    int connFd_ = -1; // guarded by mutex_
    std::thread thread_;
    Handler handler_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
};

// Opens a plain client connection to a port; -1 on failure.
int connectLoopback(int port);

} // namespace tlx::test
