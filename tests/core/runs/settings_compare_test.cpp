#include "core/runs/run_harness.h"
#include "glyphs/glyph_store.h"
#include "runs/changed_runs.h"
#include "runs/settings_compare.h"
#include "settings/settings_file.h"
#include "settings/title_code.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::AnsweringTransport;
using test::FakeHost;
using test::FakeTransport;
using test::ScriptedDevice;

// The comparison's own text around titles is checked; the code page is not.
std::string bytesAsIs(std::string_view sjis) { return std::string(sjis); }

const std::string kA = "\x82\x60"; // full-width A
const std::string kB = "\x82\x61"; // full-width B
const std::string kSpace = "\x81\x40";
// The stored unit of glyph number n, as a title holds it.
std::string glyph(int n) {
    const auto v = static_cast<std::uint16_t>(glyphCode(n - 1) - kGlyphWireOffset);
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

// The token of glyph number n: its stored value.
std::string token(int n) {
    return "{G:" + std::to_string(glyphCode(n - 1) - kGlyphWireOffset) + "}";
}

std::unique_ptr<AppState> defaults(Product p) { return makeAppState(p); }

std::vector<std::string> lines(const SettingsModel& a, const SettingsModel& b, Product p) {
    std::vector<std::string> out;
    for (const auto& d : compareSettings(a, b, p, bytesAsIs)) {
        out.push_back(differenceLine(d));
    }
    return out;
}

TEST(CompareSettings, ModelFNamesEachItemInFileOrder) {
    auto a = defaults(Product::F);
    auto b = defaults(Product::F);
    SettingsModel& m = b->model;
    // Made in an order other than the file's.
    m.fontType[0][0] = 1;
    m.alarmHoldTime = "005";
    m.scheduleMinute[2][6] = 45;
    m.schedulePage[2][6] = 11;
    m.charColour[4][0] = 2;
    m.titleText[11][2].assign(kB + glyph(63) + kSpace + kSpace);
    a->model.titleText[11][2].assign(kA + glyph(63));
    m.powerOnPage = kPagePas;
    m.connectorPages[2] = 4;
    m.dateTimeSize = 1;
    m.whiteLevel[0] = 4;
    m.centering[1][9] = 2;
    m.autoSwitchTime[6] = 10;
    m.deviceKeepAlive = 1;
    EXPECT_EQ(lines(a->model, m, Product::F),
              (std::vector<std::string>{
                  "date/time size: 0 -> 1",
                  "page 12 line 3 title: 「" + kA + token(63) + "」 -> 「" + kB + token(63) + "」",
                  "page 7 switching time: 3 -> 10",
                  "page 5 line 1 character colour: 7 -> 2",
                  "page 1 white level: 2 -> 4",
                  "schedule day 3 entry 7: 06:00 --- -> 06:45 page 012",
                  "alarm hold time: 010 -> 005",
                  "connector No.3 page: 003 -> 005",
                  "power-on page: 001 -> PAS",
                  "device keep-alive: 0 -> 1",
                  "page 2 line 10 centering: 0 -> 2",
                  "page 1 line 1 font type: 0 -> 1",
              }));
    EXPECT_TRUE(lines(m, m, Product::F).empty());
}

TEST(CompareSettings, ModelSComparesPerPageValuesAndPageTitles) {
    auto a = defaults(Product::S);
    auto b = defaults(Product::S);
    SettingsModel& m = b->model;
    m.titlePageText[0].assign(kA + glyph(76) + std::string("\x00\x3F", 2));
    m.charSize[1][0] = 0;
    m.charSize[1][5] = 0; // not a model S setting: never sent, not compared
    m.lineSpacing[2][0] = 12;
    m.autoSwitchTime[3] = 0;
    m.titlePosition[4] = 0;
    m.eraseTime[5][0] = 30;
    m.fontType[6][0] = 1;
    EXPECT_EQ(lines(a->model, m, Product::S),
              (std::vector<std::string>{
                  "page 1 title: 「」 -> 「" + kA + token(76) + "{G:63}」",
                  "page 2 character size: 2 -> 0",
                  "page 3 vertical offset: 0 -> 12",
                  "page 4 automatic switching: 1 -> 0",
                  "page 5 title position: 1 -> 0",
                  "page 6 erase time: 0 -> 30",
                  "page 7 font type: 0 -> 1",
              }));
}

// The desktop's wording names the same items, numbers where Japanese puts
// them.
TEST(CompareSettings, JapaneseWordingOfTheDesktop) {
    auto a = defaults(Product::F);
    auto b = defaults(Product::F);
    SettingsModel& m = b->model;
    m.titleText[11][2].assign(kB);
    m.charColour[4][0] = 2;
    m.schedulePage[2][6] = 11;
    m.alarmHoldTime = "005";
    m.connectorPages[2] = 4;
    std::vector<std::string> japanese;
    for (const auto& d : compareSettings(a->model, m, Product::F, bytesAsIs, Wording::Japanese)) {
        japanese.push_back(differenceLine(d));
    }
    EXPECT_EQ(japanese, (std::vector<std::string>{
                            "ページ12 行3 タイトル: 「」 -> 「" + kB + "」",
                            "ページ5 行1 文字色: 7 -> 2",
                            "スケジュール 3日目 7番: 06:00 --- -> 06:00 ページ012",
                            "アラーム 保持時間: 010 -> 005",
                            "コネクター番号割り付け No.3: 003 -> 005",
                        }));
    auto s = defaults(Product::S);
    s->model.lineSpacing[2][0] = 12;
    const auto d = compareSettings(defaults(Product::S)->model, s->model, Product::S, bytesAsIs,
                                   Wording::Japanese);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].item, "ページ3 垂直方向のオフセット");
    EXPECT_EQ(differenceCount(2, Wording::English), "2 differences");
    EXPECT_EQ(differenceCount(2, Wording::Japanese), "違いのある項目: 2 件");
}

// Glyphs whose codes the file escapes come back as the same glyphs; a page
// whose title really changed is the one step to send.
TEST(CompareSettings, EscapedGlyphsSurviveTheFileAndOnlyTheEditedPageIsSent) {
    for (Product p : {Product::F, Product::S}) {
        SCOPED_TRACE(traits(p).letter);
        auto a = defaults(p);
        const std::string text = glyph(63) + kA + glyph(73) + glyph(76);
        if (p == Product::F) {
            a->model.titleText[0][0].assign(text);
            a->model.titleText[8][1].assign(text);
        } else {
            a->model.titlePageText[0].assign(text);
            a->model.titlePageText[8].assign(text);
        }
        auto b = defaults(p);
        ASSERT_TRUE(readSettingsFile(writeSettingsFile(a->model, p), b->model, p).complete());
        EXPECT_TRUE(lines(a->model, b->model, p).empty());
        EXPECT_TRUE(changedSendSteps(a->model, b->model, p).empty());

        const std::string edited = glyph(73) + kA + glyph(63);
        if (p == Product::F) {
            b->model.titleText[8][1].assign(edited);
        } else {
            b->model.titlePageText[8].assign(edited);
        }
        EXPECT_EQ(changedSendSteps(a->model, b->model, p), std::vector<int>{9});
        const auto d = compareSettings(a->model, b->model, p, bytesAsIs);
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].to, "「" + token(73) + kA + token(63) + "」");
    }
}

struct StepCase {
    Product product;
    void (*edit)(SettingsModel&);
    std::vector<int> changed;
    std::vector<int> performed; // sends
    std::vector<int> readBack;  // reads, as performed
};

const StepCase kStepCases[] = {
    {Product::F, [](SettingsModel& m) { m.titleText[11][2].assign("\x82\x60"); }, {12}, {12}, {12}},
    {Product::F, [](SettingsModel& m) { m.blackLevel[300] = 0; }, {4655}, {513, 4654, 4655},
     {513, 4654, 4655}},
    {Product::F, [](SettingsModel& m) { m.scheduleHour[2][0] = 5; }, {4612}, {513, 4612},
     {513, 4612}},
    // Centering is sent before the offsets and read after them.
    {Product::F, [](SettingsModel& m) { m.centering[0][0] = 1; }, {3074}, {513, 3074}, {513, 3586}},
    {Product::F, [](SettingsModel& m) { m.fontType[1][0] = 1; }, {4659},
     {513, 4654, 4657, 4659}, {513, 4654, 4657, 4659}},
    {Product::S, [](SettingsModel& m) { m.whiteLevel[0] = 0; }, {1074}, {513, 1070, 1074},
     {513, 1070, 1074}},
    {Product::S, [](SettingsModel& m) { m.scheduleMinute[2][3] = 7; }, {1028}, {513, 1028},
     {513, 1028}},
};

TEST(ChangedSteps, EachEditGivesItsOwnStepAndTheTableAroundIt) {
    for (const StepCase& c : kStepCases) {
        auto a = defaults(c.product);
        auto b = defaults(c.product);
        c.edit(b->model);
        const auto changed = changedSendSteps(a->model, b->model, c.product);
        SCOPED_TRACE(changed.empty() ? 0 : changed[0]);
        EXPECT_EQ(changed, c.changed);
        EXPECT_EQ(stepsToPerform(changed, c.product), c.performed);
        EXPECT_EQ(stepsToPerform(readBackSteps(changed, c.product), c.product), c.readBack);
    }
    // Model S sends every font type at once and reads them page by page.
    const auto reads = readBackSteps({1081}, Product::S);
    ASSERT_EQ(reads.size(), 512u);
    EXPECT_EQ(reads.front(), 1081);
    EXPECT_EQ(reads.back(), 1592);
}

// Only the chosen commands go out, whatever the firmware makes of the table's
// end, on both links.
TEST(ChangedSendRun, SendsOnlyTheChangedCommands) {
    struct Case {
        const char* version;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"2.00", {"CA005", "ADT005", "RVN", "CFT002", "TSDSN"}},
        {"1.20", {"CA005", "ADT005", "RVN", "TSDSN"}},
        {"1.10", {"CA005", "ADT005", "RVN"}},
    };
    for (bool tcp : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(tcp ? "TCP " : "serial ") + c.version);
            auto base = defaults(Product::F);
            auto s = defaults(Product::F);
            s->model.titleText[4][0].assign(kA);
            s->model.alarmHoldTime = "005";
            s->model.fontType[1][3] = 1;
            s->model.dateTimeSize = 1;
            FakeHost host;
            ScriptedDevice device;
            device.version = c.version;
            AnsweringTransport tcpLink(device);
            FakeTransport serialLink;
            ChangedSendRun run(*s, host, tcp ? static_cast<Transport&>(tcpLink) : serialLink,
                               changedSendSteps(base->model, s->model, Product::F));
            if (tcp) {
                test::useTcp(*s);
            }
            ASSERT_EQ(run.start(), RunStart::Started);
            // Only the steps it performs count, each at its table pace:
            // 300 ms for the title and the change at 513, 80 ms for the hold
            // time and the change at 4654, 200 ms for the rest.
            EXPECT_EQ(run.timeLeft(), std::chrono::milliseconds{300 + 300 + 80 + 80 + 200 * 3});
            const int ticks = tcp ? test::driveTcp(run)
                                  : test::driveSerial(run, *s, host, serialLink, device);
            EXPECT_EQ(run.end(), RunEnd::Completed);
            ASSERT_EQ(device.received.size(), c.sent.size());
            for (std::size_t i = 0; i < c.sent.size(); ++i) {
                EXPECT_EQ(device.received[i].substr(0, c.sent[i].size()), c.sent[i]);
            }
            EXPECT_EQ(run.commandsSent(), static_cast<int>(c.sent.size()));
            // The two changes of pace, and over serial one tick to see the
            // firmware's end: no tick for any step left out.
            EXPECT_LE(ticks, static_cast<int>(c.sent.size()) + 3);
            EXPECT_EQ(s->model.busyStep, 0);
        }
    }
}

} // namespace
} // namespace tlx
