#include "core/runs/run_harness.h"
#include "protocol/app_state.h"
#include "runs/send_all_steps.h"

#include <gtest/gtest.h>
#include <span>

namespace tlx {
namespace {

using std::chrono::milliseconds;
using test::repeat;

std::string sent(const AppState& s, int step) {
    const RunStep r = sendAllStep(s.model, s.product, step);
    EXPECT_EQ(r.kind, RunStep::Kind::Send) << "step " << step;
    EXPECT_TRUE(r.line.ends_with("\r\n"));
    return test::stripCrLf(r.line);
}

struct Sent {
    int step;
    std::string line;
};

void expectSent(const AppState& s, std::span<const Sent> want) {
    for (const Sent& w : want) {
        EXPECT_EQ(sent(s, w.step), w.line) << "step " << w.step;
    }
}

TEST(SendAllSteps, ModelFPerLineCommandsCarryTheTenLinesOfTheirPage) {
    auto s = makeAppState(Product::F);
    SettingsModel& m = s->model;
    m.titleText[0][0].assign("\x82\x60");
    for (std::size_t l = 0; l < kLines; ++l) {
        const auto v = static_cast<std::int32_t>(l);
        m.charColour[0][l] = v % 9;
        m.outlineColour[0][l] = 8 - v % 9;
        m.blink[0][l] = v % 2;
        m.charSize[0][l] = v % 4;
        m.backgroundFill[511][l] = 1;
        m.lineSpacing[0][l] = v * 7;
        m.centering[0][l] = v % 3;
        m.horizontalOffset[0][l] = 38 - v;
        m.eraseTime[36][l] = 240 - v;
        m.fontType[0][l] = v % 2;
        m.fontType[511][l] = 1;
    }
    const Sent want[] = {
        {1, "CA0012341" + repeat("2121", 279)},
        {512, "CA512" + repeat("2121", 280)},
        {514, "CABC00108172635445362718008"},
        {1025, "CABC512" + repeat("70", 10)},
        {1026, "CBS001FNFNFNFNFN"},
        {1537, "CBS512FFFFFFFFFF"},
        {1538, "CFS001ELMSELMSEL"},
        {2049, "CFS512MMMMMMMMMM"},
        {2050, "FB001FFFFFFFFFF"},
        {2561, "FB512NNNNNNNNNN"},
        {2562, "IDLS00100071421283542495663"},
        {3073, "IDLS512" + repeat("00", 10)},
        {3074, "IDP001LCRLCRLCRL"},
        {3585, "IDP512LLLLLLLLLL"},
        {3586, "IDOH00138373635343332313029"},
        {4097, "IDOH512" + repeat("00", 10)},
        {4098, "IDRT001" + repeat("000", 10)},
        // The erase times of page 37 go with page 37.
        {4134, "IDRT037240239238237236235234233232231"},
        {4609, "IDRT512" + repeat("000", 10)},
        {4658, "CFT001GMGMGMGMGM"},
        {5169, "CFT512MMMMMMMMMM"},
    };
    expectSent(*s, want);
}

TEST(SendAllSteps, ScheduleEntries) {
    auto s = makeAppState(Product::F);
    s->model.schedulePage[0][0] = kPagePas;
    s->model.schedulePage[0][1] = 4;
    s->model.schedulePage[0][2] = 511;
    s->model.scheduleMinute[0][2] = 45;
    std::string day1 = "SD01"
                       "0000PAS"
                       "0100005"
                       "0245512";
    for (int h = 3; h < 24; ++h) {
        day1 += test::page3(h).substr(1) + "00"
                                           "000";
    }
    EXPECT_EQ(sent(*s, 4610), day1);
    EXPECT_EQ(day1.size(), 172u);
    const std::string day31 = sent(*s, 4640);
    EXPECT_EQ(day31.substr(0, 11), "SD31"
                                   "0000000");
    EXPECT_EQ(day31.substr(165), "2300000");
}

TEST(SendAllSteps, ModelFSingleSettingsDefaultsAndAlternatives) {
    auto s = makeAppState(Product::F);
    const Sent defaults[] = {
        {4641, "ACA001002003004005006007008"},
        {4642, "ADON"},
        {4643, "ADT010"},
        {4644, "AMI"},
        {4645, "APM"},
        {4646, "ARON"},
        {4647, "CIA"},
        {4648, "POSP001"},
        {4649, "RCA001002003004005006007008"},
        {4650, "RMBIN"},
        {4651, "TSDOF"},
        {4652, "TSDR1"},
        {4653, "VLBCN"},
        {4655, "CL" + repeat("22", 512)},
        {4656, "PAST" + repeat("03", 512)},
        {4657, "RVN"},
        {5170, "TSDSL"},
    };
    expectSent(*s, defaults);

    SettingsModel& m = s->model;
    m.connectorPages[0] = 511;
    m.alarmDisplay = 0;
    m.alarmHoldTime = "999";
    m.alarmMode = 1;
    m.alarmPolarity = 1;
    m.alarmReturn = 0;
    m.connectorInput = 1;
    m.powerOnPage = kPagePas;
    m.remoteMode = 2;
    m.dateTimeDisplay = 1;
    m.dateTimeRange = 6;
    m.videoLossBlue = 1;
    m.whiteLevel[0] = 3;
    m.blackLevel[0] = 1;
    m.autoSwitchTime[511] = 10;
    m.dateTimeSize = 1;
    const Sent changed[] = {
        {4641, "ACA512002003004005006007008"},
        {4642, "ADOF"},
        {4643, "ADT999"},
        {4644, "AME"},
        {4645, "APB"},
        {4646, "AROF"},
        {4647, "CIR"},
        {4648, "POSPAS"},
        {4649, "RCA512002003004005006007008"},
        {4650, "RMOPE"},
        {4651, "TSDON"},
        {4652, "TSDR7"},
        {4653, "VLBCB"},
        {4655, "CL31" + repeat("22", 511)},
        {4656, "PAST" + repeat("03", 511) + "10"},
        {5170, "TSDSN"},
    };
    expectSent(*s, changed);
    m.remoteMode = 1;
    EXPECT_EQ(sent(*s, 4650), "RMBIT");
    m.powerOnPage = 511;
    EXPECT_EQ(sent(*s, 4648), "POSP512");
}

TEST(SendAllSteps, ModelFPaceSteps) {
    auto s = makeAppState(Product::F);
    EXPECT_EQ(kSendAllFirstInterval, milliseconds{300});
    EXPECT_EQ(sendAllStep(s->model, Product::F, 513).kind, RunStep::Kind::Pace);
    EXPECT_EQ(sendAllStep(s->model, Product::F, 513).interval, milliseconds{80});
    EXPECT_EQ(sendAllStep(s->model, Product::F, 4654).kind, RunStep::Kind::Pace);
    EXPECT_EQ(sendAllStep(s->model, Product::F, 4654).interval, milliseconds{200});
    EXPECT_EQ(sendAllStep(s->model, Product::F, 5171).kind, RunStep::Kind::Idle);
}

TEST(SendAllSteps, ModelSTable) {
    auto s = makeAppState(Product::S);
    SettingsModel& m = s->model;
    m.titlePageText[0].assign("\x82\x60\x82\x61");
    m.eraseTime[0][0] = 240;
    m.eraseTime[511][0] = 7;
    m.charColour[0][0] = 1;
    m.outlineColour[0][0] = 2;
    m.blink[511][0] = 1;
    m.charSize[0][0] = 0;
    m.charSize[1][0] = 3;
    m.whiteLevel[511] = 0;
    m.backgroundFill[0][0] = 1;
    m.lineSpacing[0][0] = 15; // the page's vertical offset
    m.lineSpacing[0][1] = 9;  // a line spacing, not sent by model S
    m.titlePosition[0] = 0;
    m.scrollSpeed[0] = 0;
    m.autoSwitchTime[0] = 0;
    m.fontType[511][0] = 1;
    m.fontType[0][5] = 1; // only line 0 counts
    EXPECT_EQ(sent(*s, 1026).substr(0, 11), "SD01"
                                            "0000000");
    EXPECT_EQ(sent(*s, 1056).substr(0, 4), "SD31");
    const char* singles[] = {
        "ACA001002003004005006007008", "ADON",  "ADT010", "AMI",   "APM",  "ARON", "CIA", "POSP001",
        "RCA001002003004005006007008", "RMBIN", "TSDOF",  "TSDR1", "VLBCN"};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(sent(*s, 1057 + i), singles[i]);
    }
    const Sent want[] = {
        {1, "CA00123412342" + repeat("2121", 278)},
        {512, "CA512" + repeat("2121", 280)},
        {514, "IDRT001240"},
        {1025, "IDRT512007"},
        {1071, "CABC12" + repeat("70", 511)},
        {1072, "CBS" + repeat("F", 511) + "N"},
        {1073, "CFSES" + repeat("M", 510)},
        {1074, "CL" + repeat("22", 511) + "02"},
        {1075, "FBN" + repeat("F", 511)},
        {1076, "IDO15" + repeat("00", 511)},
        {1077, "IDPT" + repeat("B", 511)},
        {1078, "ISS1" + repeat("3", 511)},
        {1079, "PASS" + repeat("L", 511)},
        {1080, "RVN"},
        {1081, "CFT" + repeat("G", 511) + "M"},
        {1593, "TSDSL"},
    };
    expectSent(*s, want);
    for (int step : {1082, 1300, 1592, 1594}) {
        EXPECT_EQ(sendAllStep(m, Product::S, step).kind, RunStep::Kind::Idle) << step;
    }
    EXPECT_EQ(sendAllStep(m, Product::S, 513).interval, milliseconds{80});
    EXPECT_EQ(sendAllStep(m, Product::S, 1070).kind, RunStep::Kind::Pace);
    EXPECT_EQ(sendAllStep(m, Product::S, 1070).interval, milliseconds{500});
}

TEST(SendAllSteps, TitleThatFailsTheCheckIsRefused) {
    auto s = makeAppState(Product::F);
    s->model.titleText[199][3].assign("A");
    EXPECT_EQ(sendAllStep(s->model, Product::F, 200).kind, RunStep::Kind::TitleRefused);
    EXPECT_EQ(sendAllStep(s->model, Product::F, 199).kind, RunStep::Kind::Send);
}

TEST(SendAllSteps, AlarmHoldTimeRule) {
    // At most three digits count; under 3 seconds, or no leading digit, sends nothing.
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"003", "ADT003\r\n"},  {"3", "ADT003\r\n"},   {"12x", "ADT012\r\n"}, {"999", "ADT999\r\n"},
        {"0100", "ADT010\r\n"}, {"002", std::nullopt}, {"2", std::nullopt},   {"", std::nullopt},
        {"x10", std::nullopt},  {" 10", std::nullopt}};
    for (const auto& [typed, command] : cases) {
        EXPECT_EQ(holdTimeCommand(typed), command) << '"' << typed << '"';
    }

    auto s = makeAppState(Product::F);
    s->model.alarmHoldTime = "002";
    EXPECT_EQ(sendAllStep(s->model, Product::F, 4643).kind, RunStep::Kind::HoldTimeRefused);
}

} // namespace
} // namespace tlx
