#include "dialogs/display_page.h"

#include "base/codecs.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx {

std::vector<std::string> displayPageItems() {
    std::vector<std::string> items;
    items.reserve(kPages + 1);
    for (int p = 1; p <= static_cast<int>(kPages); ++p) {
        items.push_back(encode3(p));
    }
    items.emplace_back("PAS ");
    return items;
}

std::vector<std::string> displayOnOffItems() {
    return {"OFF", "ON "};
}

DisplayPageEntry::DisplayPageEntry(AppState& state, Host& host, Transport& transport,
                                   DisplayPageMemory& memory)
    : state_(state), host_(host), transport_(transport), memory_(memory), slave_(state, true) {}

void DisplayPageEntry::chooseDisplay(std::int32_t index) {
    if (index == 0 || index == 1) {
        memory_.display = index;
    }
}

void DisplayPageEntry::choosePage(std::int32_t index) {
    if (index >= 0 && index <= kDisplayPagePas) {
        memory_.page = index;
    }
}

void DisplayPageEntry::sendDisplay() {
    sendCommand(state_, host_, transport_, memory_.display == 1 ? "IDON\r\n" : "IDOF\r\n");
}

void DisplayPageEntry::sendPage() {
    std::string line = "P";
    if (memory_.page == kDisplayPagePas) {
        line += "AS";
    } else {
        append3(line, memory_.page + 1);
    }
    line += "\r\n";
    sendCommand(state_, host_, transport_, line);
}

} // namespace tlx
