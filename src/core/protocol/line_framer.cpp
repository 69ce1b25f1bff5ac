#include "protocol/line_framer.h"

namespace tlx {

std::vector<std::string> LineFramer::push(std::string_view bytes) {
    std::vector<std::string> lines;
    pushEach(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

} // namespace tlx
