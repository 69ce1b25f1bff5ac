#pragma once

#include <cstdint>

#include "link/line_framer.h"

namespace tlx {

// How dialogs and the main window learn what the link did. Everything runs on
// the main thread, so these are plain values.
struct LinkState {
    bool abortFlag = false;
    bool awaitingAnswer = false;
    std::int32_t noAnswerTicks = 0;
    bool successPending = false;
    bool socketSuccessPending = false;
    bool glyphTransferBusy = false;
    bool glyphReplyWait = false;
    bool linkRunning = true;
    bool serialOpen = false;
    bool socketConnected = false;

    // Lines assembled from socket receives; partialLinePending is set while
    // the text so far does not end in LF.
    LineFramer socketLines;
    bool partialLinePending = false;

    // Lines assembled from serial reads.
    LineFramer serialLines;
};

void resetLinkState(LinkState& s);

} // namespace tlx
