#pragma once

#include "base/product.h"
#include "runs/paced_run.h"

#include <vector>

namespace tlx {

struct SettingsModel;

// Every step of send-all of a model, built at once (steps 1..readAllSteps).
std::vector<RunStep> sendAllTable(const SettingsModel& m, Product p);

// Sends every setting of the model to the device: the same step numbering as
// the read-all run, each command built from the model at its step, or taken
// from a table built beforehand from the same model (a fleet sends one model
// to many devices and builds its commands once; the table must outlive the
// run).
class SendAllRun : public PacedStepRun {
  public:
    SendAllRun(AppState& s, Host& host, Transport& transport,
               const std::vector<RunStep>* table = nullptr);

  protected:
    RunStep stepAt(int step) const override;

  private:
    const std::vector<RunStep>* table_;
};

} // namespace tlx
