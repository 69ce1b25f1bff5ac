#pragma once

#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

inline constexpr std::string_view kDisplayPageTitle = "表示ページ";

// The display page dialog's two choices. They are not settings: not saved,
// not read from the device, not reset with the model; they last while the
// program runs.
struct DisplayPageMemory {
    std::int32_t display = 1; // "ON "
    std::int32_t page = 0;    // page index, or kDisplayPagePas
};

inline constexpr std::int32_t kDisplayPagePas = 512;

// "001".."512", then "PAS " (automatic switching).
std::vector<std::string> displayPageItems();
// "OFF", "ON ".
std::vector<std::string> displayOnOffItems();

// The display page dialog's logic: each button sends one command built from
// the remembered choice.
class DisplayPageEntry {
  public:
    DisplayPageEntry(AppState& state, Host& host, Transport& transport, DisplayPageMemory& memory);

    std::int32_t display() const { return memory_.display; }
    std::int32_t page() const { return memory_.page; }
    // Out-of-range indexes are ignored.
    void chooseDisplay(std::int32_t index);
    void choosePage(std::int32_t index);

    void sendDisplay(); // "IDON" / "IDOF"
    void sendPage();    // "P" + page, or "PAS"

    SlaveAddressChoice& slaveAddress() { return slave_; }

  private:
    AppState& state_;
    Host& host_;
    Transport& transport_;
    DisplayPageMemory& memory_;
    SlaveAddressChoice slave_;
};

} // namespace tlx
