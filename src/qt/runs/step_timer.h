#pragma once

#include <QObject>
#include <QTimer>

namespace tlx::qt {

// The timer that paces a run: each step arms it once for the pause the run
// asks for, to the millisecond, and `step` takes the next step.
template <typename Owner>
void makeStepTimer(QTimer& timer, Owner* owner, void (Owner::*step)()) {
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, owner, step);
}

} // namespace tlx::qt
