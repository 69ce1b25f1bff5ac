#include "runs/read_all_run.h"

#include "protocol/app_state.h"
#include "runs/read_all_steps.h"

namespace tlx {

ReadAllRun::ReadAllRun(AppState& s, Host& host, Transport& transport)
    : PacedStepRun(s, host, transport, readAllPacing(s.product), "      ") {}

RunStep ReadAllRun::stepAt(int step) const {
    return readAllStep(state_.product, step);
}

} // namespace tlx
