#include "protocol/link_state.h"

namespace tlx {

void resetLinkState(LinkState& s) {
    s.serialOpen = false;
    s.socketConnected = false;
    s.awaitingAnswer = false;
    s.noAnswerTicks = 0;
    s.abortFlag = false;
    s.successPending = false;
    s.socketSuccessPending = false;
    s.partialLinePending = false;
    s.socketLines.clear();
    s.serialLines.clear();
    s.answers = {};
}

} // namespace tlx
