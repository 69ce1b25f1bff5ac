#pragma once

#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"
#include "runs/paced_run.h"

#include <chrono>
#include <string>
#include <string_view>

namespace tlx {

// The read-all and send-all dialogs differ only in these.
struct RunDialogDescriptor {
    std::string_view title;
    std::string_view startLabel;
    bool offersBroadcast; // the slave address box lists "Bloadcast"
    std::string_view doneText; // first line of the notice after a completed run
};

extern const RunDialogDescriptor kReadAllDialog;
extern const RunDialogDescriptor kSendAllDialog;

// What the dialog does after a tick of its timer.
enum class RunTickResult {
    Continue, // restart the timer with interval()
    Stopped,  // the run stopped (refusal, failed send, rejected title): stay open
    Finished, // past the last step: close the dialog
};

// The logic of the read-all and send-all dialogs over their run. The widget
// forwards its button presses and timer ticks here and shows progress().
class RunDialogController {
  public:
    RunDialogController(const RunDialogDescriptor& descriptor, AppState& state, Host& host,
                        PacedStepRun& run);

    const RunDialogDescriptor& descriptor() const { return d_; }
    SlaveAddressChoice& slaveAddress() { return slave_; }
    const SlaveAddressChoice& slaveAddress() const { return slave_; }

    // The start button: asks the operator to confirm that the device is not
    // switching pages on its own, then starts the run. True when the timer
    // is to start; a press while the run goes on does nothing.
    bool pressStart();
    // Once the run has sent its last command, ticks go on until that answer
    // is in (or the no-answer rule gave up), so that a wrong last answer
    // stops the dialog like any other.
    RunTickResult tick();
    std::chrono::milliseconds interval() const { return run_.nextInterval(); }
    const RunProgress& progress() const { return run_.progress(); }
    bool running() const { return run_.running(); }
    // "残り m:ss" while the run goes on, else empty.
    std::string timeLeft() const;
    RunEnd end() const { return run_.end(); }

    // Close (the button or the window's close): while the run goes on the
    // operator is asked first; false when the dialog is to stay.
    bool mayClose();
    // A running transfer is abandoned; what was read or sent so far stays.
    void close();

  private:
    const RunDialogDescriptor& d_;
    AppState& state_;
    Host& host_;
    PacedStepRun& run_;
    SlaveAddressChoice slave_;
    std::chrono::steady_clock::time_point started_;
};

// The notice after a completed run: what was done, how many commands went
// and how long it took.
std::string runDoneNotice(std::string_view doneText, int commands, std::chrono::milliseconds took);

} // namespace tlx
