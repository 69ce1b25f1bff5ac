#include "protocol/app_state.h"
#include "protocol/apply_reply.h"
#include "support/reply_lines.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tlx {
namespace {

using test::bytes;
using test::caReply;

template <Product P> class ApplyReply : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(P);
    SettingsModel& m = state->model;
    void apply(const std::string& line) { applyReply(*state, line); }
};
using ApplyReplyF = ApplyReply<Product::F>;
using ApplyReplyS = ApplyReply<Product::S>;

TEST_F(ApplyReplyF, TitleAllSpacesLeavesEveryLineEmpty) {
    m.titleText[0][0].assign("\x82\x60");
    apply(caReply(1, {}));
    for (const auto& line : m.titleText[0]) {
        EXPECT_TRUE(line.empty());
    }
}

TEST_F(ApplyReplyF, TitleKeepsSpacesBeforeTextAndDropsOnlyTheTrailingOnes) {
    std::vector<std::uint16_t> codes(28, 0x2121);
    codes.insert(codes.end(), {0x2341, 0x2342, 0x2343});
    apply(caReply(1, codes));
    std::string spaces;
    for (int i = 0; i < 28; ++i) {
        spaces += "\x81\x40";
    }
    EXPECT_EQ(m.titleText[0][0].view(), spaces);
    EXPECT_EQ(m.titleText[0][1].view(), "\x82\x60\x82\x61\x82\x62");
    for (std::size_t l = 2; l < kLines; ++l) {
        EXPECT_TRUE(m.titleText[0][l].empty()) << l;
    }
}

TEST_F(ApplyReplyF, TitleTrailingSpacesInsideALineStayWhenTextFollows) {
    // Line 1 ends in two spaces; line 3 holds text: line 1 keeps its spaces.
    std::vector<std::uint16_t> codes(28, 0x2121);
    codes[0] = 0x2341;
    codes.resize(56 + 1, 0x2121);
    codes[56] = 0x2342;
    apply(caReply(512, codes));
    EXPECT_EQ(m.titleText[511][0].size(), 56u);
    EXPECT_EQ(m.titleText[511][1].size(), 56u);
    EXPECT_EQ(m.titleText[511][2].view(), "\x82\x61");
}

TEST_F(ApplyReplyF, TitleGlyphCodeIsStoredAsItsUnit) {
    apply(caReply(3, {0xA346, 0x2341}));
    EXPECT_EQ(m.titleText[2][0].view(), bytes({0x10, 0x01, 0x82, 0x60}));
}

TEST_F(ApplyReplyF, TitleGlyphUnitWithNulByteKeepsTheRestOfTheLine) {
    // Glyph 63 (0xA445) is the unit 0x1100; the NUL byte is data.
    apply(caReply(1, {0x2341, 0xA445, 0x2342}));
    EXPECT_EQ(m.titleText[0][0].view(), bytes({0x82, 0x60, 0x11, 0x00, 0x82, 0x61}));
}

TEST_F(ApplyReplyF, TitleUndecodableCodeEndsOnlyThatLine) {
    std::vector<std::uint16_t> codes(28, 0x2121);
    codes[0] = 0x2341;
    codes[1] = 0x0000; // no Shift-JIS equivalent
    codes[2] = 0x2342;
    codes.push_back(0x2343); // line 2
    apply(caReply(1, codes));
    EXPECT_EQ(m.titleText[0][0].view(), "\x82\x60");
    EXPECT_EQ(m.titleText[0][1].view(), "\x82\x62");
}

TEST_F(ApplyReplyF, TitleWithBadPageOrShortLineChangesNothing) {
    m.titleText[0][0].assign("\x82\x60");
    apply(caReply(0, {0x2342}));
    apply(caReply(513, {0x2342}));
    std::string shortLine = caReply(1, {0x2342});
    shortLine.erase(shortLine.size() - 6, 4); // one code short
    apply(shortLine);
    EXPECT_EQ(m.titleText[0][0].view(), "\x82\x60");
}

// Per-line replies, each checked at the cells it sets; a colour reply is no
// title reply although both begin with "CA".
TEST_F(ApplyReplyF, PerLineReplies) {
    apply("CFS001ELMSELMSEL\r\n");
    const std::array<int, 10> sizes{0, 1, 2, 3, 0, 1, 2, 3, 0, 1};
    for (std::size_t l = 0; l < kLines; ++l) {
        EXPECT_EQ(m.charSize[0][l], sizes[l]) << l;
    }
    using Table = PerLine<std::int32_t> SettingsModel::*;
    const std::tuple<const char*, Table, std::size_t, std::size_t, std::int32_t> cases[] = {
        {"CBS002FNFNFNFNFN", &SettingsModel::blink, 1, 0, 0},
        {"CBS002FNFNFNFNFN", &SettingsModel::blink, 1, 1, 1},
        {"CFT512GMGMGMGMGM", &SettingsModel::fontType, 511, 0, 0},
        {"CFT512GMGMGMGMGM", &SettingsModel::fontType, 511, 9, 1},
        {"FB010NNNNNFFFFF", &SettingsModel::backgroundFill, 9, 4, 1},
        {"FB010NNNNNFFFFF", &SettingsModel::backgroundFill, 9, 5, 0},
        {"CABC00112345678012345670017", &SettingsModel::charColour, 0, 0, 1},
        {"CABC00112345678012345670017", &SettingsModel::outlineColour, 0, 0, 2},
        {"CABC00112345678012345670017", &SettingsModel::charColour, 0, 4, 0},
        {"CABC00112345678012345670017", &SettingsModel::outlineColour, 0, 9, 7},
        {"IDLS00301020304050607080963", &SettingsModel::lineSpacing, 2, 0, 1},
        {"IDLS00301020304050607080963", &SettingsModel::lineSpacing, 2, 9, 63},
        {"IDOH00338000000000000000001", &SettingsModel::horizontalOffset, 2, 0, 38},
        {"IDOH00338000000000000000001", &SettingsModel::horizontalOffset, 2, 9, 1},
        {"IDRT004240001002003004005006007008009", &SettingsModel::eraseTime, 3, 0, 240},
        {"IDRT004240001002003004005006007008009", &SettingsModel::eraseTime, 3, 9, 9},
    };
    for (const auto& [reply, table, page, line, want] : cases) {
        apply(std::string(reply) + "\r\n");
        EXPECT_EQ((m.*table)[page][line], want) << reply << " line " << line;
    }
    EXPECT_TRUE(m.titleText[0][0].empty());
}

TEST_F(ApplyReplyF, CenteringIgnoresUnknownLetters) {
    m.centering[0][3] = 2;
    m.centering[0][7] = 1;
    apply("IDP001LCRXLCRXLC\r\n");
    const std::array<int, 10> want{0, 1, 2, 2, 0, 1, 2, 1, 0, 1};
    for (std::size_t l = 0; l < kLines; ++l) {
        EXPECT_EQ(m.centering[0][l], want[l]) << l;
    }
}

TEST_F(ApplyReplyF, AllPageReplies) {
    std::string cl = "CL";
    std::string past = "PAST";
    for (int p = 0; p < 512; ++p) {
        cl += std::to_string(p % 5) + std::to_string((p + 1) % 5);
        past += (p % 100 < 10 ? "0" : "") + std::to_string(p % 100);
    }
    apply(cl + "\r\n");
    apply(past + "\r\n");
    EXPECT_EQ(m.whiteLevel[0], 0);
    EXPECT_EQ(m.blackLevel[0], 1);
    EXPECT_EQ(m.whiteLevel[511], 1);
    EXPECT_EQ(m.blackLevel[511], 2);
    EXPECT_EQ(m.autoSwitchTime[99], 99);
    EXPECT_EQ(m.autoSwitchTime[511], 11);
    // One value short: nothing stored.
    m.whiteLevel.fill(2);
    apply(cl.substr(0, cl.size() - 1) + "\r\n");
    EXPECT_EQ(m.whiteLevel[0], 2);
}

std::string scheduleDay(const std::string& day, const std::string& entry5) {
    std::string line = "SD" + day;
    for (int e = 0; e < 24; ++e) {
        line += e == 5 ? entry5 : (e < 10 ? "0" : "") + std::to_string(e) + "00000";
    }
    return line + "\r\n";
}

TEST_F(ApplyReplyF, ScheduleDay) {
    apply(scheduleDay("05", "0830PAS"));
    EXPECT_EQ(m.scheduleHour[4][5], 8);
    EXPECT_EQ(m.scheduleMinute[4][5], 30);
    EXPECT_EQ(m.schedulePage[4][5], kPagePas);
    EXPECT_EQ(m.schedulePage[4][0], kPageNoEntry);
    apply(scheduleDay("31", "2359512"));
    EXPECT_EQ(m.schedulePage[30][5], 511);
    EXPECT_EQ(m.scheduleHour[30][5], 23);
}

TEST_F(ApplyReplyF, ScheduleOutsideTheMonthOrWithABadPageChangesNothing) {
    const SettingsModel before = m;
    apply(scheduleDay("00", "0830PAS"));
    apply(scheduleDay("32", "0830PAS"));
    apply(scheduleDay("01", "0830600"));
    std::string shortDay = scheduleDay("01", "0830001");
    apply(shortDay.substr(0, shortDay.size() - 3) + "\r\n");
    EXPECT_EQ(m.schedulePage, before.schedulePage);
    EXPECT_EQ(m.scheduleHour, before.scheduleHour);
}

TEST_F(ApplyReplyF, ConnectorPagesAndHoldTime) {
    apply("ACA001002003004005006007512\r\n");
    EXPECT_EQ(m.connectorPages[7], 511);
    apply("RCA008007006005004003002001\r\n");
    EXPECT_EQ(m.connectorPages[0], 7);
    apply("ACA001002003004005006007000\r\n"); // one page out of range
    EXPECT_EQ(m.connectorPages[0], 7);
    apply("ADT123\r\n");
    EXPECT_EQ(m.alarmHoldTime, "123");
}

// Replies that set one whole-number setting, applied in turn: a value that no
// list shows, or a reply cut short, leaves the value before it.
TEST_F(ApplyReplyF, OneValueReplies) {
    using Field = std::int32_t SettingsModel::*;
    const std::tuple<const char*, Field, std::int32_t> cases[] = {
        {"ADOF", &SettingsModel::alarmDisplay, 0},
        {"AME", &SettingsModel::alarmMode, 1},
        {"APB", &SettingsModel::alarmPolarity, 1},
        {"AROF", &SettingsModel::alarmReturn, 0},
        {"CIR", &SettingsModel::connectorInput, 1},
        {"RM00T", &SettingsModel::remoteMode, 1},
        {"RM00X", &SettingsModel::remoteMode, 2},
        {"TSDON", &SettingsModel::dateTimeDisplay, 1},
        {"TSDR3", &SettingsModel::dateTimeRange, 2},
        {"TSDR0", &SettingsModel::dateTimeRange, 2},
        {"TSDR9", &SettingsModel::dateTimeRange, 2},
        {"TSDSN", &SettingsModel::dateTimeSize, 1},
        {"VLBCB", &SettingsModel::videoLossBlue, 1},
        {"ESMA", &SettingsModel::deviceSubnetClass, 0},
        {"ESMD", &SettingsModel::deviceSubnetClass, 0},
        {"ECT N", &SettingsModel::deviceConnectionTry, 1},
        {"EKA F", &SettingsModel::deviceKeepAlive, 0},
        {"ETR3", &SettingsModel::deviceTimeRegister, 2},
        {"ETR0", &SettingsModel::deviceTimeRegister, 2},
        {"ETR7", &SettingsModel::deviceTimeRegister, 2},
        {"POSPAS", &SettingsModel::powerOnPage, kPagePas},
        {"POSP512", &SettingsModel::powerOnPage, 511},
        {"POSP000", &SettingsModel::powerOnPage, 511},
        {"POSP513", &SettingsModel::powerOnPage, 511},
        {"POSP01", &SettingsModel::powerOnPage, 511},
    };
    for (const auto& [reply, field, want] : cases) {
        apply(std::string(reply) + "\r\n");
        EXPECT_EQ(m.*field, want) << reply;
    }
}

TEST_F(ApplyReplyF, DeviceNetworkAddresses) {
    apply("EIA192.168.001.200\r\n");
    EXPECT_EQ(m.deviceIpAddress, (Ipv4{192, 168, 1, 200}));
    apply("EGA010.000.000.001\r\n");
    EXPECT_EQ(m.deviceGatewayAddress, (Ipv4{10, 0, 0, 1}));
    apply("EAA255.255.255.000\r\n");
    EXPECT_EQ(m.deviceActiveAddress, (Ipv4{255, 255, 255, 0}));
    apply("EMA00-11-22-AA-BB-CC\r\n");
    EXPECT_EQ(m.deviceMacAddress, "00-11-22-AA-BB-CC");
    apply("EPN10001\r\n");
    EXPECT_EQ(m.devicePortNumber, "10001");
    apply("EIA192.168\r\n"); // short: unchanged
    EXPECT_EQ(m.deviceIpAddress, (Ipv4{192, 168, 1, 200}));
    apply("EMA00-11\r\n");
    EXPECT_EQ(m.deviceMacAddress, "00-11-22-AA-BB-CC");
}

TEST_F(ApplyReplyF, VersionMovesTheReadAllCounter) {
    m.busyStep = 4700;
    apply("VN1.20\r\n");
    EXPECT_EQ(m.firmwareVersion, "1.20");
    EXPECT_EQ(m.busyStep, 5170);
    m.busyStep = 4700;
    apply("VN1.10\r\n");
    EXPECT_EQ(m.busyStep, 5171);
    m.busyStep = 4700;
    apply("VN2.00\r\n");
    EXPECT_EQ(m.firmwareVersion, "2.00");
    EXPECT_EQ(m.busyStep, 4700);
    apply("VN1.\r\n"); // short
    EXPECT_EQ(m.firmwareVersion, "2.00");
}

TEST_F(ApplyReplyF, ModelSRepliesDoNotApplyToModelF) {
    std::string iss = "ISS" + std::string(512, '3');
    apply(iss + "\r\n");
    EXPECT_EQ(m.scrollSpeed[0], 2);
}

TEST_F(ApplyReplyF, ReplyWithoutLineEndIsStillParsed) {
    apply("ADOF");
    EXPECT_EQ(m.alarmDisplay, 0);
}

TEST_F(ApplyReplyS, DefaultsDifferFromModelF) {
    EXPECT_EQ(m.autoSwitchTime[0], 1);
    EXPECT_EQ(m.scrollSpeed[511], 2);
}

TEST_F(ApplyReplyS, TitleIsOneStringPerPage) {
    std::vector<std::uint16_t> codes(30, 0x2121);
    codes[0] = 0x2341;
    codes[29] = 0xA445; // glyph 63 on the second line
    apply(caReply(7, codes));
    const auto& page = m.titlePageText[6];
    ASSERT_EQ(page.size(), 60u);
    EXPECT_EQ(page.view().substr(0, 2), "\x82\x60");
    EXPECT_EQ(page.view().substr(58, 2), bytes({0x11, 0x00}));
    EXPECT_TRUE(m.titleText[6][0].empty());
}

TEST_F(ApplyReplyS, PerPageAttributesGoToLineZero) {
    std::string cabc = "CABC";
    std::string cbs = "CBS";
    std::string cfs = "CFS";
    std::string fb = "FB";
    std::string ido = "IDO";
    std::string idp = "IDP";
    std::string iss = "ISS";
    std::string pas = "PAS";
    for (int p = 0; p < 512; ++p) {
        cabc += std::to_string(p % 9) + std::to_string((p + 3) % 9);
        cbs += p % 2 ? 'N' : 'F';
        cfs += "ELMS"[p % 4];
        fb += p % 3 ? 'N' : 'F';
        ido += std::to_string(p % 10) + std::to_string((p / 10) % 10);
        idp += p % 2 ? 'B' : 'T';
        iss += std::to_string(p % 5 + 1);
        pas += p % 2 ? 'L' : 'S';
    }
    for (const auto& line : {cabc, cbs, cfs, fb, ido, idp, iss, pas}) {
        apply(line + "\r\n");
    }
    EXPECT_EQ(m.charColour[10][0], 1);
    EXPECT_EQ(m.outlineColour[10][0], 4);
    EXPECT_EQ(m.charColour[10][1], 7); // other lines keep their defaults
    EXPECT_EQ(m.blink[1][0], 1);
    EXPECT_EQ(m.charSize[3][0], 3);
    EXPECT_EQ(m.backgroundFill[3][0], 0);
    EXPECT_EQ(m.lineSpacing[123][0], 32);
    EXPECT_EQ(m.titlePosition[0], 0);
    EXPECT_EQ(m.titlePosition[1], 1);
    EXPECT_EQ(m.scrollSpeed[3], 3);
    EXPECT_EQ(m.scrollSpeed[4], 2); // "5": no speed of the list, the default stays
    EXPECT_EQ(m.autoSwitchTime[0], 0);
    EXPECT_EQ(m.autoSwitchTime[1], 1);
    EXPECT_EQ(m.centering[0][0], 0);
}

TEST_F(ApplyReplyS, FontTypeAndEraseTimeOfOnePage) {
    apply("CFT005M\r\n");
    EXPECT_EQ(m.fontType[4][0], 1);
    apply("IDRT005120\r\n");
    EXPECT_EQ(m.eraseTime[4][0], 120);
    apply("IDRT000120\r\n");
    apply("CFT513M\r\n");
    EXPECT_EQ(m.eraseTime[4][0], 120);
}

TEST_F(ApplyReplyS, VersionUsesModelSSteps) {
    m.busyStep = 1500;
    apply("VN1.20\r\n");
    EXPECT_EQ(m.busyStep, 1593);
    apply("VN1.00\r\n");
    EXPECT_EQ(m.busyStep, 1594);
}

TEST(ResetToDefaults, EveryTableAndTheStateBesideIt) {
    auto state = makeAppState(Product::F);
    auto& m = state->model;
    m.charSize[5][5] = 0;
    m.titleText[1][1].assign("\x82\x60");
    m.schedulePage[3][3] = 4;
    m.dataModified = true;
    m.busyStep = 17;
    m.currentFilePath = "/tmp/a.dat";
    state->dialogs.currentPage = 9;
    state->dialogs.of(Attribute::Blink).allPages = 1;
    state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Large, 3)[0] = 'F';
    state->link.abortFlag = true;
    state->link.socketConnected = true;
    state->link.partialLinePending = true;
    resetToDefaults(*state);
    EXPECT_EQ(m.charSize[5][5], 2);
    EXPECT_TRUE(m.titleText[1][1].empty());
    EXPECT_EQ(m.schedulePage[3][3], kPageNoEntry);
    EXPECT_EQ(m.scheduleHour[3][23], 23);
    EXPECT_EQ(m.connectorPages[7], 7);
    EXPECT_EQ(m.alarmHoldTime, "010");
    EXPECT_EQ(m.devicePortNumber, "09004");
    EXPECT_EQ(m.deviceTimeRegister, 5);
    EXPECT_EQ(m.firmwareVersion, "0.00");
    EXPECT_EQ(m.autoSwitchTime[0], 3);
    EXPECT_EQ(m.titlePosition[0], 1);
    EXPECT_FALSE(m.dataModified);
    EXPECT_EQ(m.busyStep, 0);
    EXPECT_EQ(m.currentFilePath, "/tmp/a.dat");
    EXPECT_EQ(state->dialogs.currentPage, 0);
    EXPECT_EQ(state->dialogs.of(Attribute::Blink).allPages, 0);
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Large, 3), std::string(576, '0'));
    EXPECT_FALSE(state->link.abortFlag);
    EXPECT_FALSE(state->link.socketConnected);
    EXPECT_FALSE(state->link.partialLinePending);
}

} // namespace
} // namespace tlx
