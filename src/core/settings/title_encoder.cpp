#include "settings/title_encoder.h"

#include "base/codecs.h"
#include "settings/title_code.h"

#include <cstdint>
#include <cstdio>

namespace tlx {

namespace {

constexpr std::string_view kSjisSpaceBytes = "\x81\x40";

std::uint8_t byteAt(std::string_view s, std::size_t i) {
    return static_cast<std::uint8_t>(s[i]);
}

// Text filled up to size bytes with full-width spaces; nothing when longer or
// odd.
std::optional<std::string> padWithSpaces(std::string_view text, std::size_t size) {
    if (text.size() > size || text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out(text);
    out.reserve(size);
    while (out.size() < size) {
        out += kSjisSpaceBytes;
    }
    return out;
}

bool isSjisLeadByte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

struct Fault {
    std::size_t character;
    std::size_t offset;
    std::size_t bytes;
};

// Walks the text character by character as the operator sees it and calls
// fault for each one that has no wire code. A character the device can show
// is a glyph unit or a two-byte Shift-JIS character with a JIS code; a
// single byte (ASCII, half-width katakana) never is.
template <typename F> void scanTitle(std::string_view s, F&& fault) {
    std::size_t i = 0;
    std::size_t character = 0;
    while (i < s.size()) {
        const bool pair = i + 1 < s.size();
        const auto value = pair ? static_cast<std::uint16_t>(byteAt(s, i) << 8 | byteAt(s, i + 1))
                                : std::uint16_t{0};
        if (pair && (isGlyphUnit(value) || isSjisLeadByte(byteAt(s, i)))) {
            if (!titleWireCode(value)) {
                if (!fault(Fault{character, i, 2})) {
                    return;
                }
            }
            i += 2;
        } else {
            if (!fault(Fault{character, i, 1})) {
                return;
            }
            i += 1;
        }
        ++character;
    }
}

std::optional<Fault> firstFault(std::string_view s) {
    std::optional<Fault> first;
    scanTitle(s, [&](const Fault& f) {
        first = f;
        return false;
    });
    return first;
}

// The character in UTF-8 where that is plain (ASCII, half-width katakana),
// else its code.
std::string shownCharacter(std::string_view bytes) {
    char buf[32];
    if (bytes.size() == 1) {
        const std::uint8_t b = byteAt(bytes, 0);
        if (b == 0x20) {
            return "半角スペース";
        }
        if (b > 0x20 && b < 0x7F) {
            return std::string(1, static_cast<char>(b));
        }
        if (b >= 0xA1 && b <= 0xDF) {
            // U+FF61.. in the order of the bytes, three bytes of UTF-8.
            const unsigned cp = 0xFF61U + (b - 0xA1U);
            const char utf8[4] = {static_cast<char>(0xE0 | (cp >> 12)),
                                  static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                                  static_cast<char>(0x80 | (cp & 0x3F)), 0};
            return utf8;
        }
        std::snprintf(buf, sizeof buf, "0x%02X", unsigned{b});
        return buf;
    }
    std::snprintf(buf, sizeof buf, "Shift-JIS %02X%02X", unsigned{byteAt(bytes, 0)},
                  unsigned{byteAt(bytes, 1)});
    return buf;
}

std::string pagePlace(std::size_t page) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "ページ %03zu", page + 1);
    return buf;
}

std::string linePlace(std::size_t page, std::size_t line) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " ライン %02zu", line + 1);
    return pagePlace(page) + buf;
}

// The second line for one piece of text, or nothing when it is sendable.
std::optional<std::string> whereRefused(std::string_view text, std::size_t limit,
                                        const std::string& place, std::size_t maxCharacters) {
    if (const auto f = firstFault(text)) {
        return "「" + shownCharacter(text.substr(f->offset, f->bytes)) + "」 " + place + " の " +
               std::to_string(f->character + 1) + " 文字目";
    }
    if (text.size() > limit) {
        return place + " が " + std::to_string(maxCharacters) + " 文字を超えています";
    }
    return std::nullopt;
}

} // namespace

std::vector<std::size_t> titleFaultCharacters(std::string_view stored) {
    std::vector<std::size_t> out;
    scanTitle(stored, [&](const Fault& f) {
        out.push_back(f.character);
        return true;
    });
    return out;
}

std::string titleRefusal(const SettingsModel& model, Product product, std::size_t page,
                         std::optional<std::size_t> line) {
    std::string message(kMsgJisCheck);
    if (page >= kPages) {
        return message;
    }
    std::optional<std::string> where;
    if (product == Product::S) {
        where = whereRefused(model.titlePageText[page].view(), kTitlePreparedPageBytes,
                             pagePlace(page), kTitleCodesPerPage);
    } else {
        for (std::size_t l = line.value_or(0); l < kLines && !where; ++l) {
            where = whereRefused(model.titleText[page][l].view(), kTitleLineBytes,
                                 linePlace(page, l), kTitleCodesPerLine);
            if (line) {
                break;
            }
        }
    }
    if (where) {
        message += "\n" + *where;
    }
    return message;
}

std::optional<std::string> prepareTitleLine(std::string_view text) {
    return padWithSpaces(text, kTitleLineBytes);
}

std::optional<std::string> prepareTitlePage(const std::array<TitleLine, kLines>& lines) {
    std::string page;
    page.reserve(kTitlePreparedPageBytes);
    for (const TitleLine& line : lines) {
        const auto prepared = prepareTitleLine(line.view());
        if (!prepared) {
            return std::nullopt;
        }
        page += *prepared;
    }
    return page;
}

std::optional<std::string> prepareTitlePageText(std::string_view text) {
    return padWithSpaces(text, kTitlePreparedPageBytes);
}

std::optional<std::string> encodeTitleCodes(std::string_view prepared) {
    if (prepared.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string hex;
    hex.reserve(prepared.size() * 2);
    for (std::size_t i = 0; i < prepared.size(); i += 2) {
        const auto stored =
            static_cast<std::uint16_t>(byteAt(prepared, i) << 8 | byteAt(prepared, i + 1));
        const auto wire = titleWireCode(stored);
        if (!wire) {
            return std::nullopt;
        }
        appendHex4(hex, *wire);
    }
    return hex;
}

namespace {

// Prepared title bytes as wire codes; nothing when either step failed.
std::optional<std::string> titleCodes(const std::optional<std::string>& prepared) {
    if (!prepared) {
        return std::nullopt;
    }
    return encodeTitleCodes(*prepared);
}

// "CA" and the page number, where every title command begins.
std::string titleCommandHead(std::size_t page) {
    std::string cmd = "CA";
    append3(cmd, static_cast<int>(page + 1));
    return cmd;
}

} // namespace

std::optional<std::string> titleLineCommand(std::size_t page, std::size_t line,
                                            std::string_view text) {
    const auto codes = titleCodes(prepareTitleLine(text));
    if (!codes) {
        return std::nullopt;
    }
    std::string cmd = titleCommandHead(page);
    cmd += 'L';
    append2(cmd, static_cast<int>(line + 1));
    cmd += *codes;
    cmd += "\r\n";
    return cmd;
}

std::optional<std::string> titlePageCommand(const SettingsModel& model, Product product,
                                            std::size_t page) {
    if (page >= kPages) {
        return std::nullopt;
    }
    const auto codes =
        titleCodes(product == Product::S ? prepareTitlePageText(model.titlePageText[page].view())
                                         : prepareTitlePage(model.titleText[page]));
    if (!codes) {
        return std::nullopt;
    }
    std::string cmd = titleCommandHead(page);
    cmd += *codes;
    cmd += "\r\n";
    return cmd;
}

std::string titleDisplayText(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    std::size_t i = 0;
    while (i < stored.size()) {
        const std::uint8_t b = byteAt(stored, i);
        const bool pair = i + 1 < stored.size();
        if (pair && (b << 8 | byteAt(stored, i + 1)) <= kGlyphStoredMax) {
            out += kSjisSpaceBytes;
            i += 2;
        } else if (pair && isSjisLeadByte(b)) {
            out += stored.substr(i, 2);
            i += 2;
        } else {
            out += stored[i];
            i += 1;
        }
    }
    return out;
}

} // namespace tlx
