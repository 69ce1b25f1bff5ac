#pragma once

#include "device/device_state.h"

#include <cstdint>

namespace tlx::device {

// A small deterministic generator (SplitMix64): the same seed gives the same
// state on every platform, which the standard distributions do not promise.
class SeedRandom {
  public:
    explicit SeedRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, n) for n >= 1.
    int below(int n);
    bool chance(int percent) { return below(100) < percent; }

  private:
    std::uint64_t state_;
};

// Fills the state with a random configuration that the device could hold:
// titles mixing kanji, kana, full-width letters and glyph codes, every
// attribute in its range, schedules with "PAS" and empty entries, random
// glyph bitmaps, network settings and clock. The firmware text is kept.
void seedDeviceState(DeviceState& state, std::uint64_t seed);

// Brings every value the device reports into the range its replies can carry
// (a state file may hold anything).
void normaliseDeviceState(DeviceState& state);

} // namespace tlx::device
