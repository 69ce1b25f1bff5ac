#include "glyphs/glyph_bmp.h"

#include <algorithm>
#include <limits>

namespace tlx {

namespace {

void put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

constexpr std::uint32_t kHeaderBytes = 54;

} // namespace

std::optional<std::string> bmpFile(const RgbPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return std::nullopt;
    }
    const auto w = static_cast<std::uint64_t>(picture.width);
    const auto h = static_cast<std::uint64_t>(picture.height);
    if (picture.pixels.size() != w * h) {
        return std::nullopt;
    }
    const std::uint64_t stride = (w * 3 + 3) / 4 * 4;
    const std::uint64_t total = kHeaderBytes + stride * h;
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }

    std::string out;
    out.reserve(static_cast<std::size_t>(total));
    out += "BM";
    put32(out, static_cast<std::uint32_t>(total));
    put32(out, 0);            // reserved
    put32(out, kHeaderBytes); // pixel data offset
    put32(out, 40);           // info header size
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h)); // positive: bottom row first
    put16(out, 1);                             // planes
    put16(out, 24);                            // bits per pixel
    put32(out, 0);                             // uncompressed
    out.append(20, '\0'); // image size, resolutions, colours used, important colours

    const std::size_t padding = static_cast<std::size_t>(stride - w * 3);
    for (std::uint64_t row = h; row-- > 0;) {
        const auto* p = picture.pixels.data() + row * w;
        for (std::uint64_t x = 0; x < w; ++x) {
            const std::uint32_t rgb = p[x];
            out.push_back(static_cast<char>(rgb & 0xFF));         // blue
            out.push_back(static_cast<char>((rgb >> 8) & 0xFF));  // green
            out.push_back(static_cast<char>((rgb >> 16) & 0xFF)); // red
        }
        out.append(padding, '\0');
    }
    return out;
}

RgbPicture glyphCellPicture(std::string_view hex, GlyphSize size, int cellWidth, int cellHeight,
                            std::uint32_t background) {
    RgbPicture pic;
    pic.width = std::max(cellWidth, 0);
    pic.height = std::max(cellHeight, 0);
    pic.pixels.assign(static_cast<std::size_t>(pic.width) * static_cast<std::size_t>(pic.height),
                      background);
    const int drawn = 2 * glyphGeometry(size).pixels;
    for (int y = 0; y < std::min(drawn, pic.height); ++y) {
        for (int x = 0; x < std::min(drawn, pic.width); ++x) {
            pic.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pic.width) +
                       static_cast<std::size_t>(x)] =
                glyphPixel(hex, size, x / 2, y / 2) ? kPictureWhite : kPictureBlack;
        }
    }
    return pic;
}

} // namespace tlx
