#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tlx {

// Conversions between UTF-8 and code page 932 (Shift-JIS with the NEC and IBM
// extensions). The platform supplies them; the core only asks.
class SjisCodec {
  public:
    virtual ~SjisCodec() = default;
    // Each appends the whole converted text to out and returns true, or leaves
    // out as it was and returns false when any character has no counterpart
    // (or the input is not valid in its encoding).
    virtual bool utf8ToSjis(std::string_view utf8, std::string& out) = 0;
    virtual bool sjisToUtf8(std::string_view sjis, std::string& out) = 0;
};

// The platform's code page 932 (iconv on POSIX systems). Null when the
// platform has no such conversion.
std::unique_ptr<SjisCodec> makeSjisCodec();

} // namespace tlx
