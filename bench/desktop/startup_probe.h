#pragma once

// Start-up probes for tlx-desktop-timing: each starts a main window, prints
// the steady clock's time (nanoseconds) at which the window was first exposed
// and painted, and ends at once, without tearing down.

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace tlx::test {

// Watches the window's first expose event; handling it paints the window
// there and then, so the moment after it is when the window is first seen.
class ShownProbe : public QObject {
  public:
    explicit ShownProbe(QWindow* window) : window_(window) { window_->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || event->type() != QEvent::Expose) {
            return false;
        }
        QObject* target = window_;
        target->event(event);
        if (window_->isExposed()) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            ::_exit(0);
        }
        return true;
    }

  private:
    QWindow* window_;
};

// To be called right after the window's show(), before the event loop runs.
inline void reportWhenShown(QWidget& window) {
    new ShownProbe(window.windowHandle());
}

} // namespace tlx::test
