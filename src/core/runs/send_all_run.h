#pragma once

#include "runs/paced_run.h"

namespace tlx {

// Sends every setting of the model to the device: the same step numbering as
// the read-all run, each command built from the model at its step.
class SendAllRun : public PacedStepRun {
  public:
    SendAllRun(AppState& s, Host& host, Transport& transport);

  protected:
    RunStep stepAt(int step) const override;
};

} // namespace tlx
