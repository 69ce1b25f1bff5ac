#pragma once

// Start-up probes for tlx-desktop-timing: each starts a main window, prints
// the steady clock's time (nanoseconds) of its first exposure and ends at
// once, without tearing down.

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace tlx::test {

[[noreturn]] inline void reportShownAndExit(QWidget& window) {
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
    ::_exit(0);
}

} // namespace tlx::test
