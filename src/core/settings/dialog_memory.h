#pragma once

#include <array>
#include <cstdint>

namespace tlx {

// Attributes whose dialogs remember the value last chosen for all pages and for
// all lines.
enum class Attribute : std::uint8_t {
    CharSize,
    LineSpacing,
    Blink,
    CharColour,
    OutlineColour,
    BackgroundFill,
    HorizontalOffset,
    Centering,
    EraseTime,
    FontType,
    AutoSwitch,
    WhiteLevel,
    BlackLevel,
    TitlePosition,
    VerticalOffset,
    ScrollSpeed,
    Count
};

struct AllSameMemory {
    std::int32_t allPages = 0;
    std::int32_t allLines = 0;
};

// The setting dialogs' working values, kept between openings and reset with
// the model.
struct DialogMemory {
    std::int32_t currentPage = 0;
    std::int32_t currentLine = 0;
    std::array<AllSameMemory, static_cast<std::size_t>(Attribute::Count)> allSame{};
    // The schedule dialog's day (0..30) and entry (0..23).
    std::int32_t scheduleDay = 0;
    std::int32_t scheduleEntry = 0;

    AllSameMemory& of(Attribute a) { return allSame[static_cast<std::size_t>(a)]; }
    void reset() { *this = DialogMemory{}; }
};

} // namespace tlx
