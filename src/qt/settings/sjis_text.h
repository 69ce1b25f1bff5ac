#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tlx::qt {

// Title text between the operator's Unicode and the model's Shift-JIS bytes
// (code page 932 of the platform, model/sjis_codec.h). A user glyph unit, and any
// byte code page 932 cannot read, has no Unicode character of its own: in an
// input it stands as a private-use character so that it goes back into the
// model exactly as it came, wherever the operator edits around it.

struct TitleBytes {
    std::string bytes;
    bool complete = true; // false: a character had no Shift-JIS code and was left out
};

// The characters of an input as stored title bytes.
TitleBytes titleBytesFromUnicode(const QString& text);

// Stored title bytes as the text of an input; titleBytesFromUnicode gives the
// same bytes back.
QString titleInputText(std::string_view stored);

// Shift-JIS text for showing only (the preview): glyph units must already be
// replaced; a byte that cannot be read shows as U+FFFD.
QString sjisToUnicode(std::string_view sjis);

// The private-use characters an input uses for what Unicode cannot hold.
bool isGlyphMarker(char32_t c);
char32_t glyphMarker(std::uint16_t unit);
char32_t rawByteMarker(unsigned char byte);

} // namespace tlx::qt
