#pragma once

#include <QString>
#include <string_view>

namespace tlx::qt {

// The program's own texts (labels, messages, captions), held as UTF-8, as Qt
// strings.
inline QString qtext(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace tlx::qt
