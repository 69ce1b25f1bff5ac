#pragma once

#include "base/product.h"

#include <array>
#include <string_view>

namespace tlx {

// "外字について": five fixed lines about the glyph files and the list's mouse
// use.
std::array<std::string_view, 5> glyphInfoLines(Product p);

} // namespace tlx
