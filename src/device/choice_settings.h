#pragma once

#include "settings/settings_model.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tlx::device {

// A device-wide setting chosen from a short list of fixed-width words. The
// write is the prefix followed by the word; the read answers the same text.
struct ChoiceSetting {
    std::string_view prefix; // write command and reply prefix
    std::string_view read;   // read command; empty when the device has none
    std::string_view words;  // the words of values 0, 1, ... run together
    std::size_t width;
    std::int32_t SettingsModel::*member;

    int count() const { return static_cast<int>(words.size() / width); }
    std::string_view word(int value) const {
        return words.substr(static_cast<std::size_t>(value) * width, width);
    }
};

std::span<const ChoiceSetting> choiceSettings();

} // namespace tlx::device
