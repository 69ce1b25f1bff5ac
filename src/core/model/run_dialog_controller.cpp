#include "model/run_dialog_controller.h"

#include "app/app_state.h"
#include "app/host.h"

namespace tlx {

const RunDialogDescriptor kReadAllDialog{"設定項目の読み込み", "読み込み", false};
const RunDialogDescriptor kSendAllDialog{"全項目の設定", "設定", true};

RunDialogController::RunDialogController(const RunDialogDescriptor& descriptor, AppState& state,
                                         Host& host, PacedStepRun& run)
    : d_(descriptor), state_(state), host_(host), run_(run),
      slave_(state, descriptor.offersBroadcast) {}

bool RunDialogController::pressStart() {
    if (run_.running()) {
        return false;
    }
    if (!confirmNotAutoSwitching(host_)) {
        return false;
    }
    return run_.start() == RunStart::Started;
}

RunTickResult RunDialogController::tick() {
    if (run_.running()) {
        run_.tick();
        if (run_.running()) {
            return RunTickResult::Continue;
        }
    }
    if (run_.end() == RunEnd::Completed && state_.link.awaitingAnswer) {
        return RunTickResult::Continue;
    }
    run_.checkLastAnswer();
    switch (run_.end()) {
    case RunEnd::Completed:
    case RunEnd::CutShort:
        return RunTickResult::Finished;
    case RunEnd::Unexpected:
        host_.error(unexpectedAnswerMessage(run_.failedStep()));
        return RunTickResult::Stopped;
    default:
        return RunTickResult::Stopped;
    }
}

void RunDialogController::close() {
    run_.close();
}

} // namespace tlx
