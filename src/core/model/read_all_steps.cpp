#include "model/read_all_steps.h"

#include "link/codecs.h"

#include <array>
#include <string>
#include <string_view>

namespace tlx {

namespace {

using std::chrono::milliseconds;

// The single settings read one after the other by both models.
constexpr std::array<std::string_view, 13> kSingleReads = {"RACA", "RAD",   "RADT",  "RAM",  "RAP",
                                                           "RAR",  "RCI",   "RPOSP", "RRCA", "RRM",
                                                           "RTSD", "RTSDR", "RVLBC"};

// Model S reads each per-page attribute of all pages with one command.
constexpr std::array<std::string_view, 10> kModelSPageReads = {
    "RCABC", "RCBS", "RCFS", "RCL", "RFB", "RIDO", "RIDP", "RISS", "RPAS", "RVN"};

RunStep withPage(std::string_view mnemonic, int page) {
    std::string line(mnemonic);
    append3(line, page);
    return RunStep::send(line + "\r\n");
}

RunStep plain(std::string_view mnemonic) {
    return RunStep::send(std::string(mnemonic) + "\r\n");
}

RunStep day(int d) {
    std::string line = "RSD";
    append2(line, d);
    return RunStep::send(line + "\r\n");
}

struct PageBlock {
    int first;
    std::string_view mnemonic;
};

// Model F: eight blocks of 512 page reads after the titles.
constexpr std::array<PageBlock, 8> kModelFPageBlocks = {{
    {514, "RCABC"},
    {1026, "RCBS"},
    {1538, "RCFS"},
    {2050, "RFB"},
    {2562, "RIDLS"},
    {3074, "RIDOH"},
    {3586, "RIDP"},
    {4098, "RIDRT"},
}};

RunStep modelF(int step) {
    if (step >= 1 && step <= 512) {
        return withPage("RCA", step);
    }
    if (step == 513) {
        return RunStep::pace(milliseconds{60});
    }
    for (const PageBlock& b : kModelFPageBlocks) {
        if (step >= b.first && step < b.first + 512) {
            return withPage(b.mnemonic, step - b.first + 1);
        }
    }
    if (step >= 4610 && step <= 4640) {
        return day(step - 4609);
    }
    if (step >= 4641 && step <= 4653) {
        return plain(kSingleReads[static_cast<std::size_t>(step - 4641)]);
    }
    switch (step) {
    case 4654:
        return RunStep::pace(milliseconds{200});
    case 4655:
        return plain("RCL");
    case 4656:
        return plain("RPAST");
    case 4657:
        return plain("RVN");
    case 5170:
        return plain("RTSDS");
    default:
        break;
    }
    if (step >= 4658 && step <= 5169) {
        return withPage("RCFT", step - 4657);
    }
    return {};
}

RunStep modelS(int step) {
    if (step >= 1 && step <= 512) {
        return withPage("RCA", step);
    }
    if (step == 513) {
        return RunStep::pace(milliseconds{60});
    }
    if (step >= 514 && step <= 1025) {
        return withPage("RIDRT", step - 513);
    }
    if (step >= 1026 && step <= 1056) {
        return day(step - 1025);
    }
    if (step >= 1057 && step <= 1069) {
        return plain(kSingleReads[static_cast<std::size_t>(step - 1057)]);
    }
    if (step == 1070) {
        return RunStep::pace(milliseconds{500});
    }
    if (step >= 1071 && step <= 1080) {
        return plain(kModelSPageReads[static_cast<std::size_t>(step - 1071)]);
    }
    if (step >= 1081 && step <= 1592) {
        return withPage("RCFT", step - 1080);
    }
    if (step == 1593) {
        return plain("RTSDS");
    }
    return {};
}

} // namespace

int versionReadStep(Product p) {
    return p == Product::F ? 4657 : 1080;
}

RunStep readAllStep(Product p, int step) {
    return p == Product::F ? modelF(step) : modelS(step);
}

} // namespace tlx
