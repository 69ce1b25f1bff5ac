#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tlx {

// The settings file (.dat): one value per line in a fixed order, no header.
// Numbers are decimal ("%d"), titles are their Shift-JIS bytes with an empty
// title written as "s". Lines end in CR LF; CR LF and LF are both read.
//
// Glyph units inside titles whose second byte is NUL, LF or CR would end or
// split the line, so they are written as 0x14, 0x15 or 0x16 followed by the
// unit's first byte, and read back to the unit they stand for.

std::string writeSettingsFile(const SettingsModel& model, Product product);

struct SettingsReadResult {
    std::size_t linesExpected = 0; // lines of a complete file of this model
    std::size_t linesUsed = 0;     // field lines the file supplied
    std::size_t linesRejected = 0; // number lines that were not a number in the field's range
    bool extraLines = false;       // the file goes on after the last field
    // The first rejected number line (counted from 1) and the range its
    // field takes; 0 when none was rejected.
    std::size_t firstRejectedLine = 0;
    std::int32_t rejectedMin = 0;
    std::int32_t rejectedMax = 0;

    bool complete() const { return linesUsed == linesExpected; }
};

// Reads the file's fields over the model's current values, in the model's
// order, one line per field. A number line that is not a decimal number in
// the field's range keeps the field's value; when the file ends early, the
// remaining numbers keep their values and the remaining titles become empty.
// Overlong title lines are cut to the title slot. Only the settings fields
// change: dataModified, busyStep and currentFilePath are left alone.
SettingsReadResult readSettingsFile(std::string_view bytes, SettingsModel& model, Product product);

// What is wrong with a settings file that did not read complete and clean,
// and where, in English for the command-line tools: the line of the first
// rejected number and the range it needed, the line where a short file ends,
// the one line too many, or a file of the other model.
std::string describeSettingsFileProblem(const SettingsReadResult& r, std::string_view bytes,
                                        Product product);

// Title text as written into one file line (without the line end), and back.
std::string encodeTitleLine(std::string_view text);
std::string decodeTitleLine(std::string_view line);

} // namespace tlx
