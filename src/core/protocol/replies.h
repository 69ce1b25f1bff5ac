#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/product.h"

namespace tlx {

// Every kind of line the device sends, named by its prefix.
enum class Reply : std::uint8_t {
    None,
    // link level
    GO, MENU, GN, E0, E1, E2, E3,
    // glyph bitmaps
    FBML, FBMM, FBMS, FMBML, FMBMM, FMBMS,
    // settings
    ACA, ADO, ADT, AM, AP, ARO, CABC, CA, CBS, CFS, CFT, CI, CL, FB,
    IDLS, IDP, IDOH, IDRT, PAST, POSP, RCA, RM, SD, TSDO, TSDR, TSDS, VLBC, VN,
    EAA, EGA, EIA, EMA, ESM, EPN, ECT, EKA, ETR,
    // model S only
    IDO, ISS, PAS,
};

enum class LinkKind : std::uint8_t { Serial, Socket };

struct DispatchEntry {
    Reply reply;
    std::string_view text;
    bool wholeLine; // compare the whole line with text + CR LF, else only its beginning
};

// The ordered test table of one dispatcher: a line goes to the first entry it
// matches.
std::span<const DispatchEntry> dispatchTable(Product product, LinkKind link);

Reply classifyReply(Product product, LinkKind link, std::string_view line);

std::string_view replyName(Reply r);

} // namespace tlx
