#include "glyphs/glyph_store.h"
#include "settings/settings_file.h"
#include "settings/title_code.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tlx {
namespace {

std::unique_ptr<SettingsModel> defaults(Product p) {
    auto m = std::make_unique<SettingsModel>();
    resetModelToDefaults(*m, p);
    return m;
}

// Splits CR LF lines; fails the test on a line end of any other form.
std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto end = bytes.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "unterminated last line";
        if (end == std::string::npos) {
            break;
        }
        const std::string line = bytes.substr(at, end - at);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break";
        lines.push_back(line);
        at = end + 2;
    }
    return lines;
}

struct Run {
    std::size_t count;
    std::string value;
};

void appendRuns(std::vector<std::string>& out, const std::vector<Run>& runs) {
    for (const auto& r : runs) {
        out.insert(out.end(), r.count, r.value);
    }
}

// The default file, field by field in the documented order.
std::vector<std::string> expectedDefaultFile(Product p) {
    std::vector<std::string> lines;
    const std::size_t titles = p == Product::F ? 5120 : 512;
    appendRuns(lines, {{3, "0"},
                       {titles, "s"},
                       {5120, "2"},
                       {5120, "0"},
                       {5120, "0"},
                       {512, p == Product::F ? "3" : "1"},
                       {5120, "7"},
                       {5120, "0"},
                       {5120, "0"},
                       {512, "2"},
                       {512, "2"},
                       {512, "1"}});
    for (int day = 0; day < 31; ++day) {
        for (int e = 0; e < 24; ++e) {
            lines.push_back(std::to_string(e));
        }
    }
    appendRuns(lines, {{744, "0"}, {744, "513"}});
    for (const char* v : {"0", "0", "1", "1", "010", "0", "1", "2", "3", "4", "5", "6",
                          "7", "0", "0", "0", "0",   "7", "7", "2", "0", "0", "5"}) {
        lines.push_back(v);
    }
    if (p == Product::F) {
        appendRuns(lines, {{5120, "0"}, {5120, "0"}, {5120, "0"}, {5120, "0"}});
    } else {
        appendRuns(lines, {{512, "0"}, {5120, "0"}});
    }
    return lines;
}

std::string toLf(std::string s) {
    std::string out;
    for (char c : s) {
        if (c != '\r') {
            out.push_back(c);
        }
    }
    return out;
}

std::string unitBytes(std::uint16_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

// The stored unit of glyph number n (1-based).
std::uint16_t glyphUnit(int number) {
    return static_cast<std::uint16_t>(glyphCode(number - 1) - kGlyphWireOffset);
}

// Gives every field a value that differs from its default.
void fillDistinct(SettingsModel& m, Product p) {
    m.dateTimeDisplay = 1;
    m.dateTimeRange = 6;
    m.dateTimeSize = 1;
    for (std::size_t pg = 0; pg < kPages; ++pg) {
        const auto ip = static_cast<std::int32_t>(pg);
        for (std::size_t l = 0; l < kLines; ++l) {
            const auto il = static_cast<std::int32_t>(l);
            m.charSize[pg][l] = (ip + il) % 4;
            m.lineSpacing[pg][l] = (ip * 3 + il) % 64;
            m.blink[pg][l] = (ip + il) % 2;
            m.charColour[pg][l] = (ip + il) % 9;
            m.outlineColour[pg][l] = (ip + 2 * il) % 9;
            m.backgroundFill[pg][l] = (ip + il + 1) % 2;
            m.horizontalOffset[pg][l] = (ip + il) % 39;
            m.centering[pg][l] = (ip + il) % 3;
            m.eraseTime[pg][l] = (ip * 7 + il) % 241;
            m.fontType[pg][l] = (ip + il + 1) % 2;
        }
        m.autoSwitchTime[pg] = p == Product::F ? ip % 100 : ip % 2;
        m.whiteLevel[pg] = ip % 5;
        m.blackLevel[pg] = (ip + 1) % 5;
        m.titlePosition[pg] = ip % 2;
    }
    for (std::size_t d = 0; d < kDays; ++d) {
        for (std::size_t e = 0; e < kScheduleEntries; ++e) {
            m.scheduleHour[d][e] = static_cast<std::int32_t>((d + e) % 24);
            m.scheduleMinute[d][e] = static_cast<std::int32_t>((d * 7 + e) % 60);
            m.schedulePage[d][e] = static_cast<std::int32_t>((d * 24 + e) % 514);
        }
    }
    m.alarmMode = 1;
    m.alarmPolarity = 1;
    m.alarmReturn = 0;
    m.alarmDisplay = 0;
    m.alarmHoldTime = "123";
    for (std::size_t i = 0; i < kConnectorInputs; ++i) {
        m.connectorPages[i] = static_cast<std::int32_t>(500 - i);
    }
    m.remoteMode = 2;
    m.connectorInput = 1;
    m.powerOnPage = kPagePas;
    m.videoLossBlue = 1;
    m.spareSetting1 = -42;
    m.spareSetting2 = 2147483647;
    m.deviceSubnetClass = 0;
    m.deviceConnectionTry = 1;
    m.deviceKeepAlive = 1;
    m.deviceTimeRegister = 3;
    const std::string a = "\x82\xa0";     // あ
    const std::string space = "\x81\x40"; // full-width space
    if (p == Product::F) {
        m.titleText[0][0].assign(a);
        m.titleText[0][9].assign(a + space + a);
        m.titleText[511][4].assign(std::string(28 * 2, '\x88').replace(0, 2, a));
    } else {
        m.titlePageText[0].assign(a + space);
        std::string page;
        for (int i = 0; i < 280; ++i) {
            page += a;
        }
        m.titlePageText[511].assign(page);
    }
}

std::unique_ptr<SettingsModel> distinct(Product p) {
    auto m = defaults(p);
    fillDistinct(*m, p);
    return m;
}

class BothModels : public ::testing::TestWithParam<Product> {};

TEST_P(BothModels, DefaultFileHasEveryFieldInOrderWithCrLf) {
    const Product p = GetParam();
    const auto m = defaults(p);
    const auto bytes = writeSettingsFile(*m, p);
    const auto lines = crlfLines(bytes);
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(traits(p).settingsFileLines));
    EXPECT_EQ(lines, expectedDefaultFile(p));
}

TEST_P(BothModels, RoundTripReproducesEveryField) {
    const Product p = GetParam();
    auto source = distinct(p);
    const auto bytes = writeSettingsFile(*source, p);

    auto target = defaults(p);
    const auto r = readSettingsFile(bytes, *target, p);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.linesUsed, static_cast<std::size_t>(traits(p).settingsFileLines));
    EXPECT_EQ(r.linesRejected, 0u);
    EXPECT_FALSE(r.extraLines);
    EXPECT_EQ(writeSettingsFile(*target, p), bytes);
    EXPECT_EQ(target->spareSetting1, -42);
    EXPECT_EQ(target->spareSetting2, 2147483647);
    EXPECT_EQ(target->alarmHoldTime, "123");
    EXPECT_EQ(target->powerOnPage, kPagePas);
    EXPECT_EQ(target->schedulePage[21][9], (21 * 24 + 9) % 514);
    if (p == Product::F) {
        EXPECT_EQ(target->titleText[0][9], source->titleText[0][9]);
        EXPECT_EQ(target->titleText[511][4].size(), 56u);
        EXPECT_EQ(target->eraseTime[100][3], source->eraseTime[100][3]);
    } else {
        EXPECT_EQ(target->titlePageText[511].size(), 560u);
        EXPECT_EQ(target->titlePageText[511], source->titlePageText[511]);
        EXPECT_EQ(target->eraseTime[100][0], source->eraseTime[100][0]);
    }
}

TEST_P(BothModels, LfLineEndsReadLikeCrLf) {
    const Product p = GetParam();
    auto source = distinct(p);
    const auto bytes = writeSettingsFile(*source, p);
    auto target = defaults(p);
    const auto r = readSettingsFile(toLf(bytes), *target, p);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(writeSettingsFile(*target, p), bytes);
}

TEST_P(BothModels, MissingFinalLineEndStillReadsTheLastValue) {
    const Product p = GetParam();
    auto source = defaults(p);
    source->fontType[511][9] = 1;
    auto bytes = writeSettingsFile(*source, p);
    bytes.resize(bytes.size() - 2);
    auto target = defaults(p);
    EXPECT_TRUE(readSettingsFile(bytes, *target, p).complete());
    EXPECT_EQ(target->fontType[511][9], 1);
}

INSTANTIATE_TEST_SUITE_P(Models, BothModels, ::testing::Values(Product::F, Product::S),
                         [](const auto& param) { return param.param == Product::F ? "F" : "S"; });

TEST(SettingsFileTitles, EmptyTitleIsWrittenAsSAndReadBackEmpty) {
    auto m = defaults(Product::F);
    m->titleText[0][1].assign("\x82\xa0");
    const auto lines = crlfLines(writeSettingsFile(*m, Product::F));
    EXPECT_EQ(lines[3], "s");
    EXPECT_EQ(lines[4], "\x82\xa0");
    EXPECT_EQ(lines[5], "s");

    auto back = defaults(Product::F);
    back->titleText[0][0].assign("\x82\xa2");
    readSettingsFile(writeSettingsFile(*m, Product::F), *back, Product::F);
    EXPECT_TRUE(back->titleText[0][0].empty());
    EXPECT_EQ(back->titleText[0][1].view(), "\x82\xa0");
}

TEST(SettingsFileTitles, ControlByteGlyphsAreEscapedAndComeBackAtStartMiddleAndEnd) {
    const std::string a = "\x82\xa0";
    for (const int number : {63, 73, 76, 157, 167, 170, 251}) {
        const std::uint16_t unit = glyphUnit(number);
        const std::string g = unitBytes(unit);
        const char second = g[1];
        ASSERT_TRUE(second == '\x00' || second == '\x0A' || second == '\x0D') << number;
        const char escape = second == '\x00' ? '\x14' : second == '\x0A' ? '\x15' : '\x16';
        const std::string written = {escape, g[0]};

        for (int place = 0; place < 3; ++place) {
            std::string text;
            std::string expectedLine;
            if (place == 0) {
                text = g + a + a;
                expectedLine = written + a + a;
            } else if (place == 1) {
                text = a + g + a;
                expectedLine = a + written + a;
            } else {
                text = std::string(27 * 2, '\x88') + g; // the 28th character
                text.replace(0, 2, a);
                expectedLine = text.substr(0, 54) + written;
            }
            auto m = defaults(Product::F);
            m->titleText[3][5].assign(text);
            m->titleText[3][6].assign(a);
            m->charSize[0][0] = 1;
            const auto bytes = writeSettingsFile(*m, Product::F);
            const auto lines = crlfLines(bytes);
            ASSERT_EQ(lines.size(), 60626u) << number;
            EXPECT_EQ(lines[3 + 35], expectedLine) << number << " at " << place;

            auto back = defaults(Product::F);
            const auto r = readSettingsFile(bytes, *back, Product::F);
            EXPECT_TRUE(r.complete());
            EXPECT_EQ(back->titleText[3][5].view(), text) << number << " at " << place;
            EXPECT_EQ(back->titleText[3][6].view(), a);
            EXPECT_EQ(back->charSize[0][0], 1);
            EXPECT_EQ(writeSettingsFile(*back, Product::F), bytes);
        }
    }
}

TEST(SettingsFileTitles, ModelSPageKeepsControlByteGlyphs) {
    std::string page;
    for (const int number : {63, 73, 76, 157, 167, 170, 251, 1}) {
        page += unitBytes(glyphUnit(number)) + "\x82\xa0";
    }
    auto m = defaults(Product::S);
    m->titlePageText[7].assign(page);
    const auto bytes = writeSettingsFile(*m, Product::S);
    EXPECT_EQ(crlfLines(bytes).size(), 41170u);
    auto back = defaults(Product::S);
    EXPECT_TRUE(readSettingsFile(bytes, *back, Product::S).complete());
    EXPECT_EQ(back->titlePageText[7].view(), page);
}

TEST(SettingsFileTitles, EscapesDecodeOnlyToGlyphUnits) {
    EXPECT_EQ(decodeTitleLine("\x15\x11"), std::string("\x11\x0A", 2));
    EXPECT_EQ(decodeTitleLine("\x14\x13"), std::string("\x13\x00", 2));
    EXPECT_EQ(decodeTitleLine("\x16\x12"), std::string("\x12\x0D", 2));
    // 0x1400 and up are no glyph: the bytes stay as they are.
    EXPECT_EQ(decodeTitleLine("\x14\x14"), "\x14\x14");
    EXPECT_EQ(decodeTitleLine("\x15\x82"), "\x15\x82");
    // An escape only counts at a character boundary.
    EXPECT_EQ(decodeTitleLine("\x82\x15\x11"), "\x82\x15\x11");
    // The unit 0x0000 ends the text, however it is written.
    EXPECT_EQ(decodeTitleLine(std::string("\x82\xa0\x14\x00\x82\xa0", 6)), "\x82\xa0");
    EXPECT_EQ(decodeTitleLine(std::string("\x82\xa0\x00\x00\x82\xa0", 6)), "\x82\xa0");
}

TEST(SettingsFileTitles, UnwritableUnitsNeverBreakTheFile) {
    // First byte LF or CR: no glyph has such a code; a full-width space keeps
    // the line whole.
    EXPECT_EQ(encodeTitleLine("\x82\xa0\x0A\x41\x82\xa0"), "\x82\xa0\x81\x40\x82\xa0");
    EXPECT_EQ(encodeTitleLine("\x0D\x0A"), "\x81\x40");
    // Text after the unit 0x0000 is not part of the title.
    EXPECT_EQ(encodeTitleLine(std::string("\x82\xa0\x00\x00\x82\xa2", 6)), "\x82\xa0");
    // A glyph unit whose second byte is NUL but first is not a control byte.
    EXPECT_EQ(encodeTitleLine(std::string("\x10\x00", 2)), "\x14\x10");
    // A text that encodes to nothing is still written as "s".
    auto m = defaults(Product::F);
    m->titleText[0][0].assign(std::string("\x00\x00\x82\xa0", 4));
    EXPECT_EQ(crlfLines(writeSettingsFile(*m, Product::F))[3], "s");
}

TEST(SettingsFileRead, FileEndingAfterTheTitlesKeepsEveryOtherField) {
    auto source = defaults(Product::F);
    source->dateTimeDisplay = 1;
    source->dateTimeRange = 4;
    source->dateTimeSize = 1;
    source->titleText[9][9].assign("\x82\xa0");
    const auto full = writeSettingsFile(*source, Product::F);
    std::size_t cut = 0;
    for (int i = 0; i < 3 + 5120; ++i) {
        cut = full.find("\r\n", cut) + 2;
    }
    auto m = distinct(Product::F);
    auto expected = distinct(Product::F);
    const auto r = readSettingsFile(full.substr(0, cut), *m, Product::F);
    EXPECT_EQ(r.linesUsed, 5123u);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(m->dateTimeDisplay, 1);
    EXPECT_EQ(m->dateTimeRange, 4);
    EXPECT_EQ(m->dateTimeSize, 1);
    EXPECT_TRUE(m->titleText[0][0].empty());
    EXPECT_EQ(m->titleText[9][9].view(), "\x82\xa0");
    // Every field after the titles as it was before the read.
    expected->dateTimeDisplay = 1;
    expected->dateTimeRange = 4;
    expected->dateTimeSize = 1;
    expected->titleText = m->titleText;
    EXPECT_EQ(writeSettingsFile(*m, Product::F), writeSettingsFile(*expected, Product::F));
}

TEST(SettingsFileRead, EmptyFileKeepsNumbersAndEmptiesTitles) {
    auto m = distinct(Product::F);
    auto expected = distinct(Product::F);
    for (auto& page : expected->titleText) {
        for (auto& line : page) {
            line.clear();
        }
    }
    const auto r = readSettingsFile("", *m, Product::F);
    EXPECT_EQ(r.linesUsed, 0u);
    EXPECT_EQ(writeSettingsFile(*m, Product::F), writeSettingsFile(*expected, Product::F));
}

TEST(SettingsFileRead, TruncatedInsideANumberFieldStopsThere) {
    auto source = distinct(Product::F);
    const auto full = writeSettingsFile(*source, Product::F);
    // Up to and including the first 100 charSize lines.
    std::size_t cut = 0;
    for (int i = 0; i < 3 + 5120 + 100; ++i) {
        cut = full.find("\r\n", cut) + 2;
    }
    auto m = defaults(Product::F);
    readSettingsFile(full.substr(0, cut - 1), *m, Product::F); // the last CR LF half gone
    EXPECT_EQ(m->charSize[9][9], source->charSize[9][9]);
    EXPECT_EQ(m->charSize[10][0], 2); // default kept
    EXPECT_EQ(m->fontType[0][0], 0);
}

TEST(SettingsFileRead, DamagedNumberKeepsItsFieldAndTheRestStaysAligned) {
    auto source = distinct(Product::F);
    auto lines = crlfLines(writeSettingsFile(*source, Product::F));
    const std::size_t charSize0 = 3 + 5120;
    lines[0] = "abc";                     // not a number
    lines[1] = "12abc";                   // a number followed by junk
    lines[charSize0] = "9";               // outside 0..3
    lines[charSize0 + 1] = "";            // empty
    lines[charSize0 + 2] = "99999999999"; // beyond int32
    lines[charSize0 + 3] = " +3 ";        // blanks and a sign are fine
    std::string bytes;
    for (const auto& l : lines) {
        bytes += l + "\r\n";
    }
    auto m = defaults(Product::F);
    const auto r = readSettingsFile(bytes, *m, Product::F);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.linesRejected, 5u);
    EXPECT_EQ(r.firstRejectedLine, 1u);
    // The first damaged line is named also where one-digit lines are taken
    // in bulk.
    bytes.replace(0, 12, "0\r\n0\r\n"); // the first two lines repaired
    auto again = defaults(Product::F);
    EXPECT_EQ(readSettingsFile(bytes, *again, Product::F).firstRejectedLine, charSize0 + 1);
    EXPECT_EQ(m->dateTimeDisplay, 0);
    EXPECT_EQ(m->dateTimeRange, 0);
    EXPECT_EQ(m->dateTimeSize, 1);
    EXPECT_EQ(m->charSize[0][0], 2);
    EXPECT_EQ(m->charSize[0][1], 2);
    EXPECT_EQ(m->charSize[0][2], 2);
    EXPECT_EQ(m->charSize[0][3], 3);
    EXPECT_EQ(m->titleText[0][9], source->titleText[0][9]);
    EXPECT_EQ(m->fontType, source->fontType);
    EXPECT_EQ(m->spareSetting1, -42);
}

TEST(SettingsFileRead, NumberLinesReadAlikeMidFileAndAtItsEnd) {
    // The same lines near the start of the number fields and as the file's
    // very last lines, with CR LF and with LF.
    const std::vector<std::string> odd = {"x", " 1", "+1", "1\rjunk", "-0", "01", "2", "1 1"};
    const std::vector<int> expected = {0, 1, 1, 1, 0, 1, 0, 0};
    for (const char* end : {"\r\n", "\n"}) {
        auto lines = crlfLines(writeSettingsFile(*defaults(Product::F), Product::F));
        const std::size_t blink0 = 3 + 5120 * 3; // blink, 0..1
        const std::size_t tail = lines.size() - odd.size();
        for (std::size_t i = 0; i < odd.size(); ++i) {
            lines[blink0 + i] = odd[i];
            lines[tail + i] = odd[i];
        }
        std::string bytes;
        for (const auto& l : lines) {
            bytes += l + end;
        }
        auto m = defaults(Product::F);
        const auto r = readSettingsFile(bytes, *m, Product::F);
        EXPECT_TRUE(r.complete());
        EXPECT_EQ(r.linesRejected, 6u);
        for (std::size_t i = 0; i < odd.size(); ++i) {
            EXPECT_EQ(m->blink[0][i], expected[i]) << odd[i];
            EXPECT_EQ(m->fontType[511][kLines - odd.size() + i], expected[i]) << odd[i];
        }
    }
}

TEST(SettingsFileRead, OverlongTitleLineIsCutToTheSlotAndTheNextLineStaysNext) {
    auto m = defaults(Product::F);
    const auto lines = crlfLines(writeSettingsFile(*m, Product::F));
    std::string bytes = "0\r\n0\r\n0\r\n";
    const std::string longLine(200, '\x88');
    bytes += longLine + "\r\n";
    bytes += "\x82\xa0\r\n";
    for (std::size_t i = 5; i < lines.size(); ++i) {
        bytes += lines[i] + "\r\n";
    }
    auto back = defaults(Product::F);
    const auto r = readSettingsFile(bytes, *back, Product::F);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(back->titleText[0][0].view(), longLine.substr(0, 56));
    EXPECT_EQ(back->titleText[0][1].view(), "\x82\xa0");
    EXPECT_EQ(r.linesRejected, 0u);
}

TEST(SettingsFileRead, ModelSPageLineIsCutToItsSlot) {
    auto m = defaults(Product::S);
    auto lines = crlfLines(writeSettingsFile(*m, Product::S));
    lines[3] = std::string(5000, '\x88');
    std::string bytes;
    for (const auto& l : lines) {
        bytes += l + "\n";
    }
    auto back = defaults(Product::S);
    EXPECT_TRUE(readSettingsFile(bytes, *back, Product::S).complete());
    EXPECT_EQ(back->titlePageText[0].size(), kTitlePageBytes);
    EXPECT_TRUE(back->titlePageText[1].empty());
    EXPECT_EQ(back->charSize[0][0], 2);
}

// Every numeric field lies in what its controls and commands can carry.
void expectUsable(const SettingsModel& m) {
    for (std::size_t p = 0; p < kPages; ++p) {
        for (std::size_t l = 0; l < kLines; ++l) {
            ASSERT_LE(m.titleText[p][l].size(), kTitleLineBytes);
            ASSERT_TRUE(m.charSize[p][l] >= 0 && m.charSize[p][l] <= 3);
            ASSERT_TRUE(m.charColour[p][l] >= 0 && m.charColour[p][l] <= 9);
            ASSERT_TRUE(m.centering[p][l] >= 0 && m.centering[p][l] <= 2);
            ASSERT_TRUE(m.eraseTime[p][l] >= 0 && m.eraseTime[p][l] <= 999);
            ASSERT_TRUE(m.fontType[p][l] >= 0 && m.fontType[p][l] <= 1);
        }
        ASSERT_LE(m.titlePageText[p].size(), kTitlePageBytes);
    }
    for (const auto& day : m.schedulePage) {
        for (int v : day) {
            ASSERT_TRUE(v >= 0 && v <= kPageNoEntry);
        }
    }
    for (int v : m.connectorPages) {
        ASSERT_TRUE(v >= 0 && v < 512);
    }
    ASSERT_TRUE(m.powerOnPage >= 0 && m.powerOnPage <= kPagePas);
    ASSERT_LE(m.alarmHoldTime.size(), 3u);
}

TEST(SettingsFileRead, ModelSFileOpenedByModelFReadsAsFarAsItGoes) {
    auto s = distinct(Product::S);
    const auto bytes = writeSettingsFile(*s, Product::S);
    auto f = defaults(Product::F);
    const auto r = readSettingsFile(bytes, *f, Product::F);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.linesUsed, 41170u);
    expectUsable(*f);
    // The first page line comes through, cut to a line's 56 bytes.
    EXPECT_EQ(f->titleText[0][0].view(), s->titlePageText[0].view());
    EXPECT_EQ(f->titleText[51][1].view(), std::string(s->titlePageText[511].view()).substr(0, 56));
}

TEST(SettingsFileRead, ModelFFileOpenedByModelSLeavesLinesOver) {
    auto f = distinct(Product::F);
    auto s = defaults(Product::S);
    const auto r = readSettingsFile(writeSettingsFile(*f, Product::F), *s, Product::S);
    EXPECT_TRUE(r.complete());
    EXPECT_TRUE(r.extraLines);
    expectUsable(*s);
}

TEST(SettingsFileRead, BinaryGarbageNeverLeavesTheFieldsRanges) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(static_cast<std::size_t>(1000 + round * 20000), '\0');
        for (auto& c : bytes) {
            const auto v = rng() % 40;
            // Plenty of digits and line ends so that many values get through.
            c = v < 10   ? static_cast<char>('0' + v)
                : v < 16 ? '\n'
                : v < 18 ? '-'
                         : static_cast<char>(rng());
        }
        for (const Product p : {Product::F, Product::S}) {
            auto m = defaults(p);
            readSettingsFile(bytes, *m, p);
            expectUsable(*m);
        }
    }
}

TEST(SettingsFileRead, ReadingLeavesProgramStateAlone) {
    auto m = defaults(Product::F);
    m->dataModified = true;
    m->busyStep = 0;
    m->currentFilePath = "/x/y.dat";
    m->zoomFont = 1;
    m->firmwareVersion = "1.20";
    m->devicePortNumber = "10001";
    readSettingsFile(writeSettingsFile(*defaults(Product::F), Product::F), *m, Product::F);
    EXPECT_TRUE(m->dataModified);
    EXPECT_EQ(m->currentFilePath, "/x/y.dat");
    EXPECT_EQ(m->zoomFont, 1);
    EXPECT_EQ(m->firmwareVersion, "1.20");
    EXPECT_EQ(m->devicePortNumber, "10001");
}

TEST(SettingsFileRead, HoldTimeTextIsOneLineOfAtMostThreeBytes) {
    auto m = defaults(Product::F);
    m->alarmHoldTime = "";
    auto bytes = writeSettingsFile(*m, Product::F);
    auto back = defaults(Product::F);
    back->connectorPages[0] = 9;
    EXPECT_TRUE(readSettingsFile(bytes, *back, Product::F).complete());
    EXPECT_EQ(back->alarmHoldTime, "");
    EXPECT_EQ(back->connectorPages[0], 0);

    auto lines = crlfLines(bytes);
    lines[40127] = "12345";
    std::string edited;
    for (const auto& l : lines) {
        edited += l + "\r\n";
    }
    readSettingsFile(edited, *back, Product::F);
    EXPECT_EQ(back->alarmHoldTime, "123");
}

} // namespace
} // namespace tlx
