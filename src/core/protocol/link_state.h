#pragma once

#include <cstdint>
#include <string>

#include "protocol/line_framer.h"
#include "protocol/replies.h"

namespace tlx {

// How a run learns whether the line that came back answers its command. While
// active, every dispatched line is judged: the awaited kind (whole, not cut by
// the framer) counts as the answer; a refusal is left to abortFlag; anything
// else, also a line that came when nothing was outstanding, is unexpected.
struct AnswerCheck {
    bool active = false;
    Reply awaited = Reply::None; // the outstanding command's reply kind; None: nothing outstanding
    bool arrived = false;
    bool unexpected = false;

    void expect(Reply kind) {
        awaited = kind;
        arrived = false;
    }
};

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

    // The beginning of the last reply line and how many have come, so that
    // the main window can tell when one arrives.
    std::string lastReply;
    std::uint32_t repliesReceived = 0;

    // Lines assembled from socket receives; partialLinePending is set while
    // the text so far does not end in LF.
    LineFramer socketLines;
    bool partialLinePending = false;

    // Lines assembled from serial reads.
    LineFramer serialLines;

    AnswerCheck answers;
};

void resetLinkState(LinkState& s);

} // namespace tlx
