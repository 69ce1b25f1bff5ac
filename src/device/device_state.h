#pragma once

#include "base/product.h"
#include "glyphs/glyph_store.h"
#include "settings/settings_model.h"

#include <memory>
#include <string>
#include <string_view>

namespace tlx::device {

// The device's calendar clock as last set (year 00..99 stands for 2000..2099).
struct DeviceClock {
    int year = 0;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

inline constexpr std::string_view kDefaultFirmware = "2.00";

// Everything one emulated device holds. The settings live in the same model
// the tool uses, so a settings file moves between the two unchanged; titles
// are kept as the model keeps them (Shift-JIS bytes and glyph units).
struct DeviceState {
    Product product = Product::F;
    SettingsModel model;
    GlyphStore glyphs; // the gothic tables hold the registered glyphs
    DeviceClock clock;
    bool displayOn = true;
    int displayPage = 0; // page index, or kPagePas
};

// A device with factory settings and the given firmware text (four
// characters; reported by the version read).
std::unique_ptr<DeviceState> makeDeviceState(Product product,
                                             std::string_view firmware = kDefaultFirmware);

// True when text is usable as a firmware version: four printable ASCII
// characters.
bool isValidFirmware(std::string_view text);

} // namespace tlx::device
