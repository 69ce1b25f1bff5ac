#include "protocol/replies.h"

#include <array>

namespace tlx {

namespace {

using E = DispatchEntry;
using R = Reply;

// The entries shared by every table after the per-model middle part.
#define TLX_HEAD(GOLINE)                                                                         \
    E{R::GO, "GO", GOLINE}, E{R::MENU, "MENU", true}, E{R::FBML, "FBML", false},                 \
        E{R::FBMM, "FBMM", false}, E{R::FBMS, "FBMS", false}, E{R::FMBML, "FMBML", false},       \
        E{R::FMBMM, "FMBMM", false}, E{R::FMBMS, "FMBMS", false}, E{R::ACA, "ACA", false},       \
        E{R::ADO, "ADO", false}, E{R::ADT, "ADT", false}, E{R::AM, "AM", false},                 \
        E{R::AP, "AP", false}, E{R::ARO, "ARO", false}, E{R::CABC, "CABC", false},               \
        E{R::CA, "CA", false}, E{R::CBS, "CBS", false}

#define TLX_TAIL(LINE)                                                                           \
    E{R::RCA, "RCA", false}, E{R::RM, "RM", false}, E{R::SD, "SD", false},                       \
        E{R::TSDO, "TSDO", false}, E{R::TSDR, "TSDR", false}, E{R::TSDS, "TSDS", false},         \
        E{R::VLBC, "VLBC", false}, E{R::VN, "VN", false}, E{R::EAA, "EAA", false},               \
        E{R::EGA, "EGA", false}, E{R::EIA, "EIA", false}, E{R::EMA, "EMA", false},               \
        E{R::ESM, "ESM", false}, E{R::EPN, "EPN", false}, E{R::ECT, "ECT", false},               \
        E{R::EKA, "EKA", false}, E{R::ETR, "ETR", false}, E{R::GN, "GN", LINE},                  \
        E{R::E0, "E0", LINE}, E{R::E1, "E1", LINE}, E{R::E2, "E2", LINE}, E{R::E3, "E3", LINE}

#define TLX_SERIAL_FONT E{R::CFS, "CFS", false}, E{R::CFT, "CFT", false}
#define TLX_SOCKET_FONT E{R::CFT, "CFT", false}, E{R::CFS, "CFS", false}
#define TLX_MID E{R::CI, "CI", false}, E{R::CL, "CL", false}, E{R::FB, "FB", false}
#define TLX_F_PAGE                                                                               \
    E{R::IDLS, "IDLS", false}, E{R::IDP, "IDP", false}, E{R::IDOH, "IDOH", false},               \
        E{R::IDRT, "IDRT", false}, E{R::PAST, "PAST", false}, E{R::POSP, "POSP", false}
#define TLX_S_PAGE                                                                               \
    E{R::IDLS, "IDLS", false}, E{R::IDO, "IDO", false}, E{R::IDP, "IDP", false},                 \
        E{R::IDRT, "IDRT", false}, E{R::ISS, "ISS", false}, E{R::PAS, "PAS", false},             \
        E{R::POSP, "POSP", false}

constexpr std::array kSerialF{TLX_HEAD(true), TLX_SERIAL_FONT, TLX_MID, TLX_F_PAGE, TLX_TAIL(true)};
constexpr std::array kSocketF{TLX_HEAD(false), TLX_SOCKET_FONT, TLX_MID, TLX_F_PAGE,
                              TLX_TAIL(false)};
constexpr std::array kSerialS{TLX_HEAD(true), TLX_SERIAL_FONT, TLX_MID, TLX_S_PAGE, TLX_TAIL(true)};
constexpr std::array kSocketS{TLX_HEAD(false), TLX_SOCKET_FONT, TLX_MID, TLX_S_PAGE,
                              TLX_TAIL(false)};

#undef TLX_HEAD
#undef TLX_TAIL
#undef TLX_SERIAL_FONT
#undef TLX_SOCKET_FONT
#undef TLX_MID
#undef TLX_F_PAGE
#undef TLX_S_PAGE

static_assert(kSerialF.size() == 50);
static_assert(kSerialS.size() == 51);

bool matches(const DispatchEntry& e, std::string_view line) {
    if (!line.starts_with(e.text)) {
        return false;
    }
    return !e.wholeLine || line.substr(e.text.size()) == "\r\n";
}

} // namespace

std::span<const DispatchEntry> dispatchTable(Product product, LinkKind link) {
    if (product == Product::F) {
        return link == LinkKind::Serial ? std::span<const E>(kSerialF) : std::span<const E>(kSocketF);
    }
    return link == LinkKind::Serial ? std::span<const E>(kSerialS) : std::span<const E>(kSocketS);
}

Reply classifyReply(Product product, LinkKind link, std::string_view line) {
    for (const auto& e : dispatchTable(product, link)) {
        if (matches(e, line)) {
            return e.reply;
        }
    }
    return Reply::None;
}

std::string_view replyName(Reply r) {
    for (const auto& e : kSerialF) {
        if (e.reply == r) {
            return e.text;
        }
    }
    for (const auto& e : kSerialS) {
        if (e.reply == r) {
            return e.text;
        }
    }
    return "";
}

} // namespace tlx
