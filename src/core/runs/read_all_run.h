#pragma once

#include "runs/paced_run.h"

namespace tlx {

// Reads every setting from the device into the model: 5170 steps (model S
// 1593), one read per step, each sent only once the previous answer is in.
class ReadAllRun : public PacedStepRun {
  public:
    ReadAllRun(AppState& s, Host& host, Transport& transport);

  protected:
    RunStep stepAt(int step) const override;
};

} // namespace tlx
