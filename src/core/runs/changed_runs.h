#pragma once

#include "runs/read_all_run.h"
#include "runs/send_all_run.h"

#include <vector>

namespace tlx {

// The send-all run over only the given steps (from changedSendSteps), with
// what the table needs around them: each keeps its own pace and the firmware
// is asked before the steps that depend on it.
class ChangedSendRun : public SendAllRun {
  public:
    ChangedSendRun(AppState& s, Host& host, Transport& transport, const std::vector<int>& changed);
};

// The read-all run over the reads of what the given send-all steps sent.
class ChangedReadRun : public ReadAllRun {
  public:
    ChangedReadRun(AppState& s, Host& host, Transport& transport, const std::vector<int>& sentSteps);
};

} // namespace tlx
