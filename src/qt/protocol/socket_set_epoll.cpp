#include "protocol/socket_set.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace tlx::qt {

namespace {

// More than any reply line; a longer burst is read on the next readiness.
constexpr std::size_t kReadChunk = std::size_t{16} * 1024;
constexpr int kEventsPerWake = 128;

} // namespace

// One epoll set watched by one notifier of Qt's event loop, so the loop polls
// a single descriptor however many devices there are, and each readiness
// costs one read of exactly the socket that has data.
struct SocketSet::Impl {
    struct Socket {
        int fd = -1;
        std::string pending;
        bool watchingOutput = false;
    };

    explicit Impl(Events e) : events(std::move(e)), epoll(epoll_create1(EPOLL_CLOEXEC)) {
        if (epoll >= 0) {
            notifier = std::make_unique<QSocketNotifier>(epoll, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                             [this] { wake(); });
        }
    }

    ~Impl() {
        notifier.reset();
        for (auto& s : sockets) {
            if (s.fd >= 0) {
                ::close(s.fd);
            }
        }
        if (epoll >= 0) {
            ::close(epoll);
        }
    }

    Socket* find(int id) {
        const auto i = static_cast<std::size_t>(id);
        return id >= 0 && i < sockets.size() && sockets[i].fd >= 0 ? &sockets[i] : nullptr;
    }

    bool add(int id, const Socket& s) {
        epoll_event ev{};
        ev.events = EPOLLIN | EPOLLRDHUP;
        ev.data.u32 = static_cast<std::uint32_t>(id);
        return epoll_ctl(epoll, EPOLL_CTL_ADD, s.fd, &ev) == 0;
    }

    void setOutputWatch(int id, Socket& s, bool on) {
        if (s.watchingOutput == on) {
            return;
        }
        epoll_event ev{};
        ev.events = EPOLLIN | EPOLLRDHUP | (on ? EPOLLOUT : 0u);
        ev.data.u32 = static_cast<std::uint32_t>(id);
        epoll_ctl(epoll, EPOLL_CTL_MOD, s.fd, &ev);
        s.watchingOutput = on;
    }

    void drop(Socket& s) {
        epoll_ctl(epoll, EPOLL_CTL_DEL, s.fd, nullptr);
        ::close(s.fd);
        s.fd = -1;
        s.pending.clear();
        s.watchingOutput = false;
    }

    // Writes what the socket holds back; false when the connection broke.
    bool flush(int id, Socket& s) {
        while (!s.pending.empty()) {
            const ssize_t n = ::send(s.fd, s.pending.data(), s.pending.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                if (errno == EAGAIN || errno == EWOULDBLOCK) {
                    setOutputWatch(id, s, true);
                    return true;
                }
                return false;
            }
            s.pending.erase(0, static_cast<std::size_t>(n));
        }
        setOutputWatch(id, s, false);
        return true;
    }

    void lost(int id, Socket& s) {
        drop(s);
        if (events.closed) {
            events.closed(id);
        }
    }

    void readFrom(int id, Socket& s) {
        ssize_t n;
        do {
            n = ::recv(s.fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
        } while (n < 0 && errno == EINTR);
        if (n > 0) {
            if (events.data) {
                events.data(id, std::string_view(buffer.data(), static_cast<std::size_t>(n)));
            }
            return;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        // 0: the peer closed its side; anything else: the connection broke.
        if (Socket* still = find(id)) {
            lost(id, *still);
        }
    }

    void wake() {
        std::array<epoll_event, kEventsPerWake> ready{};
        const int count = epoll_wait(epoll, ready.data(), kEventsPerWake, 0);
        for (int k = 0; k < count; ++k) {
            const int id = static_cast<int>(ready[static_cast<std::size_t>(k)].data.u32);
            const std::uint32_t what = ready[static_cast<std::size_t>(k)].events;
            // A callback may have closed or released the socket meanwhile.
            if (Socket* s = find(id); s && (what & EPOLLOUT) != 0 && !flush(id, *s)) {
                lost(id, *s);
                continue;
            }
            if (Socket* s = find(id);
                s && (what & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR)) != 0) {
                readFrom(id, *s);
            }
        }
    }

    Events events;
    int epoll;
    std::unique_ptr<QSocketNotifier> notifier;
    std::vector<Socket> sockets;
    std::array<char, kReadChunk> buffer{};
};

SocketSet::SocketSet(Events events) : impl_(std::make_unique<Impl>(std::move(events))) {}

SocketSet::~SocketSet() = default;

bool SocketSet::adopt(int id, qintptr descriptor, std::string_view unsent) {
    if (impl_->epoll < 0 || id < 0 || impl_->find(id)) {
        return false;
    }
    const int fd = fcntl(static_cast<int>(descriptor), F_DUPFD_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    if (impl_->sockets.size() <= static_cast<std::size_t>(id)) {
        impl_->sockets.resize(static_cast<std::size_t>(id) + 1);
    }
    Impl::Socket& s = impl_->sockets[static_cast<std::size_t>(id)];
    s.fd = fd;
    s.pending.assign(unsent);
    if (!impl_->add(id, s)) {
        ::close(fd);
        s.fd = -1;
        return false;
    }
    if (!s.pending.empty() && !impl_->flush(id, s)) {
        s.pending.clear(); // the read side reports the broken connection
    }
    return true;
}

SocketSendStatus SocketSet::send(int id, std::string_view bytes) {
    Impl::Socket* s = impl_->find(id);
    if (s == nullptr) {
        return SocketSendStatus::Failed;
    }
    // Behind output the system has not taken yet, the bytes wait their turn.
    const bool behind = !s->pending.empty();
    s->pending.append(bytes);
    if (behind) {
        return SocketSendStatus::Sent;
    }
    if (!impl_->flush(id, *s)) {
        s->pending.clear(); // the read side reports the broken connection
        return SocketSendStatus::Failed;
    }
    return SocketSendStatus::Sent;
}

void SocketSet::setNotifying(bool on) {
    if (impl_->notifier && impl_->notifier->isEnabled() != on) {
        impl_->notifier->setEnabled(on);
    }
}

void SocketSet::poll() { impl_->wake(); }

SocketSet::Released SocketSet::release(int id) {
    Released r;
    Impl::Socket* s = impl_->find(id);
    if (s == nullptr) {
        return r;
    }
    epoll_ctl(impl_->epoll, EPOLL_CTL_DEL, s->fd, nullptr);
    r.descriptor = s->fd;
    r.unsent = std::move(s->pending);
    *s = Impl::Socket{};
    return r;
}

void closeSocketDescriptor(qintptr descriptor) {
    if (descriptor >= 0) {
        ::close(static_cast<int>(descriptor));
    }
}

} // namespace tlx::qt
