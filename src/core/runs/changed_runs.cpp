#include "runs/changed_runs.h"

#include "protocol/app_state.h"
#include "runs/settings_compare.h"

namespace tlx {

ChangedSendRun::ChangedSendRun(AppState& s, Host& host, Transport& transport,
                               const std::vector<int>& changed)
    : SendAllRun(s, host, transport) {
    performOnly(stepsToPerform(changed, s.product));
}

ChangedReadRun::ChangedReadRun(AppState& s, Host& host, Transport& transport,
                         const std::vector<int>& sentSteps)
    : ReadAllRun(s, host, transport) {
    performOnly(stepsToPerform(readBackSteps(sentSteps, s.product), s.product));
}

} // namespace tlx
