#include "runs/read_all_steps.h"

#include "base/codecs.h"

#include <array>
#include <string>
#include <string_view>

namespace tlx {

namespace {

using std::chrono::milliseconds;

struct Read {
    std::string_view mnemonic;
    Reply answer;
};

// The single settings read one after the other by both models.
constexpr std::array<Read, 13> kSingleReads = {{{"RACA", Reply::ACA},
                                                {"RAD", Reply::ADO},
                                                {"RADT", Reply::ADT},
                                                {"RAM", Reply::AM},
                                                {"RAP", Reply::AP},
                                                {"RAR", Reply::ARO},
                                                {"RCI", Reply::CI},
                                                {"RPOSP", Reply::POSP},
                                                {"RRCA", Reply::RCA},
                                                {"RRM", Reply::RM},
                                                {"RTSD", Reply::TSDO},
                                                {"RTSDR", Reply::TSDR},
                                                {"RVLBC", Reply::VLBC}}};

// Model S reads each per-page attribute of all pages with one command.
constexpr std::array<Read, 10> kModelSPageReads = {{{"RCABC", Reply::CABC},
                                                    {"RCBS", Reply::CBS},
                                                    {"RCFS", Reply::CFS},
                                                    {"RCL", Reply::CL},
                                                    {"RFB", Reply::FB},
                                                    {"RIDO", Reply::IDO},
                                                    {"RIDP", Reply::IDP},
                                                    {"RISS", Reply::ISS},
                                                    {"RPAS", Reply::PAS},
                                                    {"RVN", Reply::VN}}};

RunStep withPage(Read r, int page) {
    std::string line(r.mnemonic);
    append3(line, page);
    return RunStep::read(line + "\r\n", r.answer);
}

RunStep plain(Read r) {
    return RunStep::read(std::string(r.mnemonic) + "\r\n", r.answer);
}

RunStep day(int d) {
    std::string line = "RSD";
    append2(line, d);
    return RunStep::read(line + "\r\n", Reply::SD);
}

constexpr Read kTitleRead{"RCA", Reply::CA};
constexpr Read kFontRead{"RCFT", Reply::CFT};
constexpr Read kDateSizeRead{"RTSDS", Reply::TSDS};

struct PageBlock {
    int first;
    Read read;
};

// Model F: eight blocks of 512 page reads after the titles.
constexpr std::array<PageBlock, 8> kModelFPageBlocks = {{
    {514, {"RCABC", Reply::CABC}},
    {1026, {"RCBS", Reply::CBS}},
    {1538, {"RCFS", Reply::CFS}},
    {2050, {"RFB", Reply::FB}},
    {2562, {"RIDLS", Reply::IDLS}},
    {3074, {"RIDOH", Reply::IDOH}},
    {3586, {"RIDP", Reply::IDP}},
    {4098, {"RIDRT", Reply::IDRT}},
}};

constexpr std::array<PaceChange, 2> kModelFPacing = {
    {{513, milliseconds{60}}, {4654, milliseconds{200}}}};
constexpr std::array<PaceChange, 2> kModelSPacing = {
    {{513, milliseconds{60}}, {1070, milliseconds{500}}}};

RunStep modelF(int step) {
    if (step >= 1 && step <= 512) {
        return withPage(kTitleRead, step);
    }
    for (const PageBlock& b : kModelFPageBlocks) {
        if (step >= b.first && step < b.first + 512) {
            return withPage(b.read, step - b.first + 1);
        }
    }
    if (step >= 4610 && step <= 4640) {
        return day(step - 4609);
    }
    if (step >= 4641 && step <= 4653) {
        return plain(kSingleReads[static_cast<std::size_t>(step - 4641)]);
    }
    switch (step) {
    case 4655:
        return plain({"RCL", Reply::CL});
    case 4656:
        return plain({"RPAST", Reply::PAST});
    case 4657:
        return plain({"RVN", Reply::VN});
    case 5170:
        return plain(kDateSizeRead);
    default:
        break;
    }
    if (step >= 4658 && step <= 5169) {
        return withPage(kFontRead, step - 4657);
    }
    return {};
}

RunStep modelS(int step) {
    if (step >= 1 && step <= 512) {
        return withPage(kTitleRead, step);
    }
    if (step >= 514 && step <= 1025) {
        return withPage({"RIDRT", Reply::IDRT}, step - 513);
    }
    if (step >= 1026 && step <= 1056) {
        return day(step - 1025);
    }
    if (step >= 1057 && step <= 1069) {
        return plain(kSingleReads[static_cast<std::size_t>(step - 1057)]);
    }
    if (step >= 1071 && step <= 1080) {
        return plain(kModelSPageReads[static_cast<std::size_t>(step - 1071)]);
    }
    if (step >= 1081 && step <= 1592) {
        return withPage(kFontRead, step - 1080);
    }
    if (step == 1593) {
        return plain(kDateSizeRead);
    }
    return {};
}

} // namespace

int versionReadStep(Product p) {
    return p == Product::F ? 4657 : 1080;
}

Pacing readAllPacing(Product p) {
    return {kReadAllFirstInterval, p == Product::F ? kModelFPacing : kModelSPacing};
}

RunStep readAllStep(Product p, int step) {
    if (const auto pace = readAllPacing(p).changeAt(step)) {
        return RunStep::pace(*pace);
    }
    return p == Product::F ? modelF(step) : modelS(step);
}

} // namespace tlx
