#include "dialogs/run_dialog_controller.h"

#include "base/host.h"
#include "protocol/app_state.h"

namespace tlx {

const RunDialogDescriptor kReadAllDialog{"設定項目の読み込み", "読み込み", false,
                                         "設定項目を読み込みました。"};
const RunDialogDescriptor kSendAllDialog{"全項目の設定", "設定", true, "全項目を設定しました。"};

std::string runDoneNotice(std::string_view doneText, int commands, std::chrono::milliseconds took) {
    std::string text(doneText);
    text += "\nコマンド ";
    text += std::to_string(commands);
    text += " 件、所要時間 ";
    text += minutesSeconds(took);
    return text;
}

RunDialogController::RunDialogController(const RunDialogDescriptor& descriptor, AppState& state,
                                         Host& host, PacedStepRun& run)
    : d_(descriptor), state_(state), host_(host), run_(run),
      slave_(state, descriptor.offersBroadcast) {}

bool RunDialogController::pressStart() {
    if (!startConfirmed(run_, host_)) {
        return false;
    }
    started_ = std::chrono::steady_clock::now();
    return true;
}

std::string RunDialogController::timeLeft() const {
    return run_.running() ? timeLeftText(run_.timeLeft()) : std::string();
}

bool RunDialogController::mayClose() {
    return !run_.running() || confirmStopTransfer(host_, d_.title) || !run_.running();
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
    case RunEnd::Completed: {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started_);
        host_.notice(runDoneNotice(d_.doneText, run_.commandsSent(), took));
        return RunTickResult::Finished;
    }
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
