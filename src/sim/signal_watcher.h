#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace tlx::sim {

// Turns SIGINT and SIGTERM into a Qt signal on the main thread, so the
// emulator saves and cleans up in its event loop, not in a signal handler.
class SignalWatcher : public QObject {
    Q_OBJECT
  public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;
    bool install();

  signals:
    void stopRequested(int signalNumber);

  private:
    void readSignal();
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace tlx::sim
