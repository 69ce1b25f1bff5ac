#include "runs/send_all_run.h"

#include "base/product.h"
#include "protocol/app_state.h"
#include "runs/send_all_steps.h"

namespace tlx {

std::vector<RunStep> sendAllTable(const SettingsModel& m, Product p) {
    const int steps = traits(p).readAllSteps;
    std::vector<RunStep> table;
    table.reserve(static_cast<std::size_t>(steps));
    for (int step = 1; step <= steps; ++step) {
        table.push_back(sendAllStep(m, p, step));
    }
    return table;
}

SendAllRun::SendAllRun(AppState& s, Host& host, Transport& transport,
                       const std::vector<RunStep>* table)
    : PacedStepRun(s, host, transport, sendAllPacing(s.product), "     "), table_(table) {}

RunStep SendAllRun::stepAt(int step) const {
    if (table_ && step >= 1 && static_cast<std::size_t>(step) <= table_->size()) {
        return (*table_)[static_cast<std::size_t>(step - 1)];
    }
    return sendAllStep(state_.model, state_.product, step);
}

} // namespace tlx
