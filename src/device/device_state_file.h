#pragma once

#include "device/device_state.h"

#include <string>

namespace tlx::device {

// A device's settings in the tool's settings file (.dat), so that an operator
// can hand the emulator a file saved by the tool and back. The file carries
// the settings the tool keeps; network settings, scroll speed, zoom font,
// clock and firmware are not in it and keep their values. The glyph tables
// go beside it as the tool's glyph list files: FILE.dat with FILE.tll,
// FILE.tlm and FILE.tls.

struct StateFileResult {
    bool ok = false;
    bool complete = false; // the file held every field of its model
    std::string message;   // why not, or what was odd about the file
};

// The glyph list file of one size class that goes with a state file.
std::string glyphListBeside(const std::string& path, GlyphSize size);

// Reads the file (and the glyph lists beside it, where there are) over the state's current settings and brings every value
// into the device's ranges.
StateFileResult loadDeviceStateFile(const std::string& path, DeviceState& state);

// Writes the state's settings and glyph tables; an existing file is replaced only once the new
// one is complete.
StateFileResult saveDeviceStateFile(const std::string& path, const DeviceState& state);

} // namespace tlx::device
