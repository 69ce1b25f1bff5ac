#pragma once

#include "base/product.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tlx::device {

// The read commands the device answers and the layout of each answer, as
// shown in the emulator's help. Each row also gives a sample command and the
// length of its answer from a device with factory settings, so that the
// table can be checked against the device itself.
struct ReadRow {
    std::string_view command; // form, e.g. "RCBS ppp"
    std::string_view reply;   // layout of the answer
    std::string_view sample;  // a command of that form
    std::size_t sampleReplyChars;
};

std::span<const ReadRow> readTable(Product product);

// The table as text for the help: one row a line, command then reply.
std::string readTableText(Product product);

} // namespace tlx::device
