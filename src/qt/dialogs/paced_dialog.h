#pragma once

#include "runs/step_timer.h"

#include <QDialog>

namespace tlx::qt {

// A dialog that paces a run with its own step timer; onTick takes each step.
class PacedDialog : public QDialog {
    Q_OBJECT
  public:
    // Multiplies every pause of the dialog's timer (tests and demonstrations).
    void setPaceScale(double scale) { timer_.setScale(scale); }
    bool timerActive() const { return timer_.isActive(); }

  protected:
    explicit PacedDialog(QWidget* parent, StepTimer::Mode mode = StepTimer::Mode::OneStep)
        : QDialog(parent), timer_(this, &PacedDialog::onTick, mode) {}

    virtual void onTick() = 0;

    StepTimer timer_;
};

} // namespace tlx::qt
