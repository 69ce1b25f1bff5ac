#include "runs/send_all_run.h"

#include "protocol/app_state.h"
#include "runs/send_all_steps.h"

namespace tlx {

SendAllRun::SendAllRun(AppState& s, Host& host, Transport& transport)
    : PacedStepRun(s, host, transport, sendAllPacing(s.product), "     ") {}

RunStep SendAllRun::stepAt(int step) const {
    return sendAllStep(state_.model, state_.product, step);
}

} // namespace tlx
