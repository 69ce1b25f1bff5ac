// The seeded state: deterministic, and valid in the strongest sense: every
// data reply of a seeded device is itself a command a fresh device accepts,
// and afterwards the two answer every read alike.
#include "device/device_charset.h"
#include "device/read_table.h"
#include "device/seeded_state.h"
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

std::unique_ptr<Device> seeded(Product p, std::uint64_t seed) {
    auto state = makeDeviceState(p);
    seedDeviceState(*state, seed);
    return std::make_unique<Device>(std::move(state));
}

std::string page3(std::size_t page) {
    std::string s = std::to_string(page + 1);
    return std::string(3 - s.size(), '0') + s;
}

// Every read the device answers, with its page or day filled in.
std::vector<std::string> everyRead(Product p) {
    std::vector<std::string> reads;
    for (const ReadRow& row : readTable(p)) {
        const std::string_view form = row.command;
        const std::size_t space = form.find(' ');
        const std::string mnemonic(form.substr(0, space));
        if (space == std::string_view::npos) {
            reads.push_back(mnemonic);
        } else if (form.ends_with("ppp")) {
            for (std::size_t page = 0; page < kPages; ++page) {
                reads.push_back(mnemonic + page3(page));
            }
        } else if (form.ends_with("dd")) {
            for (int day = 1; day <= 31; ++day) {
                reads.push_back(mnemonic + (day < 10 ? "0" : "") + std::to_string(day));
            }
        }
    }
    // Glyph slots by code, every size class.
    for (const auto& [size, count] :
         {std::pair{"L", 70}, std::pair{"M", 160}, std::pair{"S", 256}}) {
        for (int i = 0; i < count; ++i) {
            std::string code;
            const std::uint16_t c = codeOfGlyphIndex(i);
            static constexpr std::string_view kHex = "0123456789ABCDEF";
            for (int shift = 12; shift >= 0; shift -= 4) {
                code.push_back(kHex[(c >> shift) & 0xF]);
            }
            reads.push_back(std::string("RFBM") + size + code);
        }
    }
    return reads;
}

// The command that writes back what a reply reports; empty when the reply
// has no write form (version, MAC address).
std::string writeOf(const std::string& reply) {
    if (reply.starts_with("VN") || reply.starts_with("EMA")) {
        return {};
    }
    if (reply.starts_with("FBM")) {
        const char size = reply[3];
        const auto code = static_cast<std::uint16_t>(std::stoi(reply.substr(4, 4), nullptr, 16));
        const auto index = glyphIndexOfCode(code);
        const int count = size == 'L' ? 70 : (size == 'M' ? 160 : 256);
        if (!index || *index >= count) {
            return {};
        }
        return std::string("GR") + size + page3(static_cast<std::size_t>(*index)) + reply.substr(8);
    }
    return reply;
}

class SeededState : public ::testing::TestWithParam<Product> {};

INSTANTIATE_TEST_SUITE_P(Device, SeededState, ::testing::Values(Product::F, Product::S),
                         [](const auto& param) { return param.param == Product::F ? "F" : "S"; });

TEST_P(SeededState, SameSeedSameStateOtherSeedOtherState) {
    const auto a = seeded(GetParam(), 42);
    const auto b = seeded(GetParam(), 42);
    const auto c = seeded(GetParam(), 43);
    EXPECT_TRUE(stateDiff(a->state(), b->state()).empty());
    EXPECT_GT(stateDiff(a->state(), c->state()).size(), 1000u);
}

TEST_P(SeededState, EveryReplyIsAnAcceptedWriteAndCopiesTheDevice) {
    const Product p = GetParam();
    const auto source = seeded(p, 7);
    Device copy(makeDeviceState(p));
    const std::vector<std::string> reads = everyRead(p);
    std::size_t writes = 0;
    for (const auto& read : reads) {
        const std::string reply = source->execute(read);
        ASSERT_NE(reply, "E3") << read;
        const std::string write = writeOf(reply);
        if (!write.empty()) {
            ASSERT_EQ(copy.execute(write), "GO") << read << " -> " << write.substr(0, 40);
            ++writes;
        }
    }
    EXPECT_GT(writes, 1000u);
    for (const auto& read : reads) {
        if (read != "RVN" && read != "REMA") {
            ASSERT_EQ(copy.execute(read), source->execute(read)) << read;
        }
    }
}

TEST_P(SeededState, TitlesMixKanjiKanaLettersAndGlyphsIncludingAwkwardOnes) {
    const auto d = seeded(GetParam(), 1);
    // An empty title is a line of model F, a page of model S.
    const std::size_t unit = GetParam() == Product::F ? 28 : 280;
    bool kanji = false, kana = false, letters = false, glyph = false, awkward = false,
         empty = false;
    for (std::size_t page = 0; page < kPages; ++page) {
        const std::string reply = d->execute("RCA" + page3(page));
        bool allSpace = true;
        for (std::size_t i = 5, n = 0; i + 4 <= reply.size(); i += 4, ++n) {
            if (n % unit == 0) {
                empty = empty || (n > 0 && allSpace);
                allSpace = true;
            }
            const auto code =
                static_cast<std::uint16_t>(std::stoi(reply.substr(i, 4), nullptr, 16));
            allSpace = allSpace && code == kJisFullWidthSpace;
            kanji = kanji || (code >= 0x3021 && code <= 0x7426);
            kana = kana || (code >= 0x2421 && code <= 0x2576);
            letters = letters || (code >= 0x2330 && code <= 0x237A);
            if (const auto index = glyphIndexOfCode(code)) {
                glyph = true;
                awkward = awkward || *index == 62 || *index == 72 || *index == 75;
            }
        }
        empty = empty || allSpace;
    }
    EXPECT_TRUE(kanji && kana && letters && glyph && awkward && empty);
}

TEST_P(SeededState, SchedulesHoldPasAndEmptyEntries) {
    const auto d = seeded(GetParam(), 3);
    bool pas = false, none = false, page = false;
    for (const auto& day : d->state().model.schedulePage) {
        for (const int v : day) {
            pas = pas || v == kPagePas;
            none = none || v == kPageNoEntry;
            page = page || (v >= 0 && v < 512);
        }
    }
    EXPECT_TRUE(pas && none && page);
}

TEST_P(SeededState, NormalisingBringsStrayValuesIntoRange) {
    auto state = makeDeviceState(GetParam());
    SettingsModel& m = state->model;
    m.charSize[0][0] = 9;
    m.eraseTime[0][0] = -4;
    m.whiteLevel[3] = 77;
    m.alarmMode = 5;
    m.alarmHoldTime = "1";
    m.powerOnPage = 900;
    m.schedulePage[0][0] = -1;
    m.devicePortNumber = "80";
    normaliseDeviceState(*state);
    EXPECT_EQ(m.charSize[0][0], 3);
    EXPECT_EQ(m.eraseTime[0][0], 0);
    EXPECT_EQ(m.whiteLevel[3], 4);
    EXPECT_EQ(m.alarmMode, 1);
    EXPECT_EQ(m.alarmHoldTime, "010");
    EXPECT_EQ(m.powerOnPage, 0);
    EXPECT_EQ(m.schedulePage[0][0], kPageNoEntry);
    EXPECT_EQ(m.devicePortNumber, "09004");
}

} // namespace
} // namespace tlx::device::test
