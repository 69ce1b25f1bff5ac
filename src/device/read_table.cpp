#include "device/read_table.h"

#include <array>

namespace tlx::device {

namespace {

// Rows both models share.
constexpr std::array<ReadRow, 31> kCommon{{
    {"RCA ppp", "CA ppp + 280 title codes x 4 hex digits (lines 1..10, 28 codes each)", "RCA001",
     1125},
    {"RCL", "CL + 512 x (white digit, black digit)", "RCL", 1026},
    {"RIDLS ppp", "IDLS ppp + 10 x 2 digits", "RIDLS001", 27},
    {"RSD dd", "SD dd + 24 x (hh mm page), page 001..512, PAS or 000", "RSD01", 172},
    {"RACA", "ACA + 8 x 3-digit page", "RACA", 27},
    {"RRCA", "RCA + 8 x 3-digit page", "RRCA", 27},
    {"RAD", "ADON | ADOF", "RAD", 4},
    {"RADT", "ADT + 3 digits", "RADT", 6},
    {"RAM", "AMI | AME", "RAM", 3},
    {"RAP", "APM | APB", "RAP", 3},
    {"RAR", "ARON | AROF", "RAR", 4},
    {"RCI", "CIA | CIR", "RCI", 3},
    {"RPOSP", "POSP + 3-digit page | POSPAS", "RPOSP", 7},
    {"RRM", "RMBIN | RMBIT | RMOPE", "RRM", 5},
    {"RTSD", "TSDON | TSDOF", "RTSD", 5},
    {"RTSDR", "TSDR + digit 1..8", "RTSDR", 5},
    {"RTSDS", "TSDSL | TSDSN", "RTSDS", 5},
    {"RVLBC", "VLBCN | VLBCB", "RVLBC", 5},
    {"RVN", "VN + 4 characters (--firmware)", "RVN", 6},
    {"REIA", "EIA ddd.ddd.ddd.ddd", "REIA", 18},
    {"REGA", "EGA ddd.ddd.ddd.ddd", "REGA", 18},
    {"REAA", "EAA ddd.ddd.ddd.ddd", "REAA", 18},
    {"RESM", "ESMA | ESMB | ESMC", "RESM", 4},
    {"REPN", "EPN + 5 digits", "REPN", 8},
    {"RECT", "ECTON | ECTOF", "RECT", 5},
    {"REKA", "EKAON | EKAOF", "REKA", 5},
    {"RETR", "ETR + digit 1..6", "RETR", 4},
    {"REMA", "EMA + 17 characters", "REMA", 20},
    {"RFBML cccc", "FBML cccc + 576 hex digits (glyph code or JIS code)", "RFBMLA365", 584},
    {"RFBMM cccc", "FBMM cccc + 256 hex digits", "RFBMMA365", 264},
    {"RFBMS cccc", "FBMS cccc + 144 hex digits", "RFBMSA365", 152},
}};

constexpr std::array<ReadRow, 9> kModelF{{
    {"RCABC ppp", "CABC ppp + 10 x (colour digit, outline digit)", "RCABC001", 27},
    {"RCBS ppp", "CBS ppp + 10 x N|F", "RCBS001", 16},
    {"RCFS ppp", "CFS ppp + 10 x E|L|M|S", "RCFS001", 16},
    {"RCFT ppp", "CFT ppp + 10 x G|M", "RCFT001", 16},
    {"RFB ppp", "FB ppp + 10 x N|F", "RFB001", 15},
    {"RIDOH ppp", "IDOH ppp + 10 x 2 digits", "RIDOH001", 27},
    {"RIDP ppp", "IDP ppp + 10 x L|C|R", "RIDP001", 16},
    {"RIDRT ppp", "IDRT ppp + 10 x 3 digits", "RIDRT001", 37},
    {"RPAST", "PAST + 512 x 2 digits", "RPAST", 1028},
}};

constexpr std::array<ReadRow, 10> kModelS{{
    {"RCABC", "CABC + 512 x (colour digit, outline digit)", "RCABC", 1028},
    {"RCBS", "CBS + 512 x N|F", "RCBS", 515},
    {"RCFS", "CFS + 512 x E|L|M|S", "RCFS", 515},
    {"RCFT ppp", "CFT ppp + G|M", "RCFT001", 7},
    {"RFB", "FB + 512 x N|F", "RFB", 514},
    {"RIDO", "IDO + 512 x 2 digits (vertical offset)", "RIDO", 1027},
    {"RIDP", "IDP + 512 x T|B", "RIDP", 515},
    {"RIDRT ppp", "IDRT ppp + 3 digits", "RIDRT001", 10},
    {"RISS", "ISS + 512 x digit 1..4", "RISS", 515},
    {"RPAS", "PAS + 512 x S|L", "RPAS", 515},
}};

struct Tables {
    std::array<ReadRow, kCommon.size() + kModelF.size()> f{};
    std::array<ReadRow, kCommon.size() + kModelS.size()> s{};
};

constexpr Tables makeTables() {
    Tables t;
    std::size_t i = 0;
    for (const auto& row : kModelF) {
        t.f[i++] = row;
    }
    for (const auto& row : kCommon) {
        t.f[i++] = row;
    }
    i = 0;
    for (const auto& row : kModelS) {
        t.s[i++] = row;
    }
    for (const auto& row : kCommon) {
        t.s[i++] = row;
    }
    return t;
}

constexpr Tables kTables = makeTables();

} // namespace

std::span<const ReadRow> readTable(Product product) {
    if (product == Product::F) {
        return kTables.f;
    }
    return kTables.s;
}

std::string readTableText(Product product) {
    std::string text;
    for (const ReadRow& row : readTable(product)) {
        text += "  ";
        text += row.command;
        text.append(row.command.size() < 12 ? 12 - row.command.size() : 1, ' ');
        text += row.reply;
        text += '\n';
    }
    return text;
}

} // namespace tlx::device
