// The least CPU any program can spend on a fleet run's traffic over loopback
// TCP: N connections, each sending a line, waiting for a short answer, then
// waiting its interval before the next, all from one epoll loop with nothing
// else to do. The answering side runs in a child process so that its own
// work is not counted; on loopback the kernel still delivers each sent
// segment into the receiving socket within the sender's system call, and
// that share is the point of the measurement.
//   tlx-loopback-floor DEVICES COMMANDS INTERVAL_US [LINE_BYTES]
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

void noDelay(int fd) {
    int one = 1;
    if (setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one) != 0)
        fail("setsockopt");
}

// The device side: answer every complete line with "GO".
[[noreturn]] void answerLines(const std::vector<int>& fds) {
    const int ep = epoll_create1(0);
    for (int fd : fds) {
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = fd;
        epoll_ctl(ep, EPOLL_CTL_ADD, fd, &ev);
    }
    std::size_t open = fds.size();
    std::array<epoll_event, 128> events{};
    std::array<char, 4096> buf{};
    while (open > 0) {
        const int n = epoll_wait(ep, events.data(), static_cast<int>(events.size()), -1);
        for (int i = 0; i < n; ++i) {
            const int fd = events[static_cast<std::size_t>(i)].data.fd;
            const ssize_t got = recv(fd, buf.data(), buf.size(), 0);
            if (got <= 0) {
                close(fd);
                --open;
                continue;
            }
            const auto lines = std::count(buf.data(), buf.data() + got, '\n');
            for (long k = 0; k < lines; ++k)
                if (send(fd, "GO\r\n", 4, MSG_NOSIGNAL) != 4)
                    fail("answer");
        }
    }
    std::_Exit(0);
}

double cpuSeconds() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    auto secs = [](timeval t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return secs(use.ru_utime) + secs(use.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s DEVICES COMMANDS INTERVAL_US [LINE_BYTES]\n", argv[0]);
        return 2;
    }
    const auto devices = static_cast<std::size_t>(std::atoi(argv[1]));
    const long commands = std::atol(argv[2]);
    const auto interval = std::chrono::microseconds(std::atol(argv[3]));
    const auto lineBytes = static_cast<std::size_t>(argc > 4 ? std::atoi(argv[4]) : 136);
    if (devices == 0 || commands <= 0 || lineBytes < 2)
        return 2;

    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(listener, 128) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        fail("listen");
    std::vector<int> ours;
    std::vector<int> theirs;
    for (std::size_t i = 0; i < devices; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
            fail("connect");
        const int peer = accept(listener, nullptr, nullptr);
        if (peer < 0)
            fail("accept");
        noDelay(fd);
        noDelay(peer);
        ours.push_back(fd);
        theirs.push_back(peer);
    }
    close(listener);
    const pid_t child = fork();
    if (child < 0)
        fail("fork");
    if (child == 0) {
        for (int fd : ours)
            close(fd);
        answerLines(theirs);
    }
    for (int fd : theirs)
        close(fd);

    std::string line(lineBytes - 2, 'A');
    line += "\r\n";
    const int ep = epoll_create1(0);
    struct Device {
        Clock::time_point due;
        long left;
        bool waiting = false;
    };
    std::vector<Device> state(devices);
    const auto start = Clock::now();
    for (std::size_t i = 0; i < devices; ++i) {
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.u64 = i;
        epoll_ctl(ep, EPOLL_CTL_ADD, ours[i], &ev);
        // Spread the first sends over one interval, as the fleet run does.
        state[i].due = start + interval * static_cast<long>(i) / static_cast<long>(devices);
        state[i].left = commands;
    }
    const double cpuBefore = cpuSeconds();
    std::size_t running = devices;
    std::array<epoll_event, 128> events{};
    std::array<char, 256> buf{};
    while (running > 0) {
        const auto now = Clock::now();
        auto next = Clock::time_point::max();
        for (std::size_t i = 0; i < devices; ++i) {
            Device& d = state[i];
            if (d.waiting || d.left == 0)
                continue;
            if (d.due <= now) {
                if (send(ours[i], line.data(), line.size(), MSG_NOSIGNAL) !=
                    static_cast<ssize_t>(line.size()))
                    fail("send");
                d.waiting = true;
            } else {
                next = std::min(next, d.due);
            }
        }
        // Millisecond timeouts, as an event loop's timers have: the devices
        // due within the same millisecond share one wake-up.
        int timeout = -1;
        if (next != Clock::time_point::max())
            timeout = static_cast<int>(
                std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count());
        const int n =
            epoll_wait(ep, events.data(), static_cast<int>(events.size()), std::max(timeout, 0));
        if (n < 0 && errno != EINTR)
            fail("epoll_wait");
        for (int k = 0; k < n; ++k) {
            const auto i = static_cast<std::size_t>(events[static_cast<std::size_t>(k)].data.u64);
            if (recv(ours[i], buf.data(), buf.size(), 0) <= 0)
                fail("recv");
            Device& d = state[i];
            d.waiting = false;
            // A steady cadence, as the fleet keeps: due one interval after
            // the previous send was due, never before its answer came.
            d.due = std::max(d.due + interval, Clock::now());
            if (--d.left == 0)
                --running;
        }
    }
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = cpuSeconds() - cpuBefore;
    for (int fd : ours)
        close(fd);
    waitpid(child, nullptr, 0);
    std::printf("bare sockets, %zu device(s) x %ld lines of %zu bytes every %ld us: %.2f s, cpu "
                "%.1f%% of one core (%.2f s)\n",
                devices, commands, lineBytes, static_cast<long>(interval.count()), took,
                100 * cpu / took, cpu);
    return 0;
}
