#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cmath>

namespace tlx::qt {

// The timer that paces a run, to the millisecond. Its pauses are multiplied
// by a scale, so that tests and the emulator's fast pacing take the same
// steps in less time. A start arms it for one step, or (Repeat) for the same
// pause again and again until it is stopped.
class StepTimer {
  public:
    enum class Mode { OneStep, Repeat };

    template <typename Owner>
    StepTimer(Owner* owner, void (Owner::*step)(), Mode mode = Mode::OneStep) {
        timer_.setSingleShot(mode == Mode::OneStep);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, owner, step);
    }

    void setScale(double scale) { scale_ = scale; }
    double scale() const { return scale_; }

    void start(std::chrono::milliseconds pause) {
        timer_.start(static_cast<int>(std::lround(static_cast<double>(pause.count()) * scale_)));
    }
    void stop() { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }

  private:
    QTimer timer_;
    double scale_ = 1.0;
};

} // namespace tlx::qt
