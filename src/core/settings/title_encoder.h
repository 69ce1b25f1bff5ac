#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// Shown (warning box) when a title holds a character the device cannot draw,
// or a line that is too long or of odd length.
inline constexpr std::string_view kMsgJisCheck = "ＪＩＳ第１水準,第２水準以外の字が選択されてます";

inline constexpr std::size_t kTitleCodesPerLine = 28;
inline constexpr std::size_t kTitleCodesPerPage = kTitleCodesPerLine * kLines;   // 280
inline constexpr std::size_t kTitlePreparedPageBytes = kTitleLineBytes * kLines; // 560

// A stored line filled up to 56 bytes with full-width spaces; nothing when the
// text is longer than 56 bytes or of odd length.
std::optional<std::string> prepareTitleLine(std::string_view text);

// Model F: the ten prepared lines of a page run together (560 bytes); nothing
// as soon as one line is not valid.
std::optional<std::string> prepareTitlePage(const std::array<TitleLine, kLines>& lines);

// Model S: the page's one string filled up to 560 bytes with full-width
// spaces; nothing when it is longer than 560 bytes or of odd length.
std::optional<std::string> prepareTitlePageText(std::string_view text);

// The wire codes of prepared text, each as 4 upper-case hexadecimal digits;
// nothing when a character has no code the device knows.
std::optional<std::string> encodeTitleCodes(std::string_view prepared);

// "CA" + page + "L" + line + 28 codes, with CR LF. Page and line are 0-based.
std::optional<std::string> titleLineCommand(std::size_t page, std::size_t line,
                                            std::string_view text);

// "CA" + page + 280 codes, with CR LF, from the model's title text of the page
// (ten lines for model F, one string for model S).
std::optional<std::string> titlePageCommand(const SettingsModel& model, Product product,
                                            std::size_t page);

// The characters of stored title text that the device cannot show, as the
// operator counts them (a user glyph is one character), from 0. Text without
// any of them is sendable unless it is too long.
std::vector<std::size_t> titleFaultCharacters(std::string_view stored);

// The JIS message, and on a second line the first character the device
// cannot show and where it is: 「ｱ」 ページ 005 ライン 02 の 3 文字目 (model S:
// ページ 005 の 30 文字目), or which line is too long. `line` names one line
// of model F; without it the whole page is looked at.
std::string titleRefusal(const SettingsModel& model, Product product, std::size_t page,
                         std::optional<std::size_t> line = std::nullopt);

// Stored title text as it is shown to the operator, still in Shift-JIS: every
// user glyph unit (a two-byte value up to 0x1339, whatever its bytes) becomes
// a full-width space, so that no control byte of a glyph code reaches the
// screen.
std::string titleDisplayText(std::string_view stored);

} // namespace tlx
