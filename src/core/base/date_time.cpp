#include "base/date_time.h"

#include "base/codecs.h"

namespace tlx {

namespace {

std::string field(const char* mnemonic, int value) {
    std::string line = mnemonic;
    append2(line, value);
    return line + "\r\n";
}

bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }

} // namespace

std::optional<std::vector<std::string>> clockCommands(const ClockTime& t) {
    if (!within(t.year, 2000, 2099) || !within(t.month, 1, 12) || !within(t.day, 1, 31) ||
        !within(t.hour, 0, 23) || !within(t.minute, 0, 59) || !within(t.second, 0, 59)) {
        return std::nullopt;
    }
    return std::vector<std::string>{field("DSY", t.year - 2000), field("DSM", t.month),
                                    field("DSD", t.day),         field("TSH", t.hour),
                                    field("TSM", t.minute),      field("TSS", t.second)};
}

} // namespace tlx
