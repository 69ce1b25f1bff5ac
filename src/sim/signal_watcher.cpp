#include "sim/signal_watcher.h"

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tlx::sim {

namespace {

int gSignalPipe[2] = {-1, -1};

extern "C" void onSignal(int number) {
    const auto byte = static_cast<unsigned char>(number);
    const ssize_t ignored = ::write(gSignalPipe[1], &byte, 1);
    (void)ignored;
}

} // namespace

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent) {}

SignalWatcher::~SignalWatcher() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

bool SignalWatcher::install() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) != 0) {
        return false;
    }
    ::fcntl(gSignalPipe[1], F_SETFL, O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SignalWatcher::readSignal);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &sa, nullptr) == 0 && ::sigaction(SIGTERM, &sa, nullptr) == 0;
}

void SignalWatcher::readSignal() {
    unsigned char byte = 0;
    if (::read(gSignalPipe[0], &byte, 1) == 1) {
        emit stopRequested(byte);
    }
}

} // namespace tlx::sim
