#pragma once

#include <QString>
#include <string>

namespace tlx::qt {

// The Shift-JIS (code page 932) bytes of the first character of a text, as
// the device knows it; empty when there is none or it has no such code.
std::string sampleCharacterBytes(const QString& text);

} // namespace tlx::qt
