#include "model/title_encoder.h"

#include "link/codecs.h"
#include "model/title_code.h"

#include <cstdint>

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

} // namespace

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

std::optional<std::string> titleLineCommand(std::size_t page, std::size_t line,
                                            std::string_view text) {
    const auto prepared = prepareTitleLine(text);
    if (!prepared) {
        return std::nullopt;
    }
    const auto codes = encodeTitleCodes(*prepared);
    if (!codes) {
        return std::nullopt;
    }
    std::string cmd = "CA";
    append3(cmd, static_cast<int>(page + 1));
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
    const auto prepared = product == Product::S
                              ? prepareTitlePageText(model.titlePageText[page].view())
                              : prepareTitlePage(model.titleText[page]);
    if (!prepared) {
        return std::nullopt;
    }
    const auto codes = encodeTitleCodes(*prepared);
    if (!codes) {
        return std::nullopt;
    }
    std::string cmd = "CA";
    append3(cmd, static_cast<int>(page + 1));
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
