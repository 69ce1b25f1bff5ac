#include "qt/protocol/socket_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tlx::test {

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

} // namespace

int connectLoopback(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

SocketPeer::~SocketPeer() {
    stop_ = true;
    closeConnection();
    if (listenFd_ >= 0) {
        ::shutdown(listenFd_, SHUT_RDWR);
        ::close(listenFd_);
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

int SocketPeer::listen(Handler handler) {
    handler_ = std::move(handler);
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(0);
    ::bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listenFd_, 4);
    socklen_t len = sizeof a;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len);
    thread_ = std::thread([this] {
        pollfd p{listenFd_, POLLIN, 0};
        while (!stop_) {
            if (::poll(&p, 1, 50) > 0) {
                const int fd = ::accept(listenFd_, nullptr, nullptr);
                if (fd >= 0) {
                    serve(fd);
                }
                return;
            }
        }
    });
    return ntohs(a.sin_port);
}

bool SocketPeer::connectTo(int port, Handler handler) {
    handler_ = std::move(handler);
    const int fd = connectLoopback(port);
    if (fd < 0) {
        return false;
    }
    thread_ = std::thread([this, fd] { serve(fd); });
    return true;
}

void SocketPeer::serve(int fd) {
    {
        std::lock_guard lock(mutex_);
        connFd_ = fd;
    }
    std::string pending;
    char buf[2048];
    pollfd p{fd, POLLIN, 0};
    while (!stop_) {
        if (::poll(&p, 1, 50) <= 0) {
            continue;
        }
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) {
            break;
        }
        pending.append(buf, static_cast<std::size_t>(n));
        std::size_t lf;
        while ((lf = pending.find('\n')) != std::string::npos) {
            const std::string line = pending.substr(0, lf + 1);
            pending.erase(0, lf + 1);
            {
                std::lock_guard lock(mutex_);
                received_.push_back(line);
            }
            const auto chunks = handler_(line);
            for (std::size_t i = 0; i < chunks.size(); ++i) {
                if (i > 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
                ::send(fd, chunks[i].data(), chunks[i].size(), MSG_NOSIGNAL);
            }
        }
    }
    std::lock_guard lock(mutex_);
    connFd_ = -1;
    ::close(fd);
}

void SocketPeer::closeConnection() {
    // The kernel completes a connection before the peer thread accepts it.
    for (int i = 0; i < 500 && !stop_; ++i) {
        {
            std::lock_guard lock(mutex_);
            if (connFd_ >= 0) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard lock(mutex_);
    if (connFd_ >= 0) {
        ::shutdown(connFd_, SHUT_RDWR);
    }
}

std::vector<std::string> SocketPeer::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

} // namespace tlx::test
