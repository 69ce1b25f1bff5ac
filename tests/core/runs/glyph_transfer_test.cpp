#include "base/codecs.h"
#include "dialogs/glyph_list.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/glyph_transfer.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using std::chrono::milliseconds;
using test::FakeHost;
using test::FakeTransport;

class GlyphTransferTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeHost host;
    FakeTransport transport;

    GlyphTransferRun run(GlyphSize size) {
        const auto& w = glyphWire(size);
        return GlyphTransferRun(*state, host, transport, size, w.readInterval, w.registerInterval);
    }
};

TEST(GlyphTransferPercent, OneDecimalWithALeadingBlank) {
    EXPECT_EQ(glyphTransferPercent(30, 70), " 42.8");
    EXPECT_EQ(glyphTransferPercent(35, 70), " 50.0");
    EXPECT_EQ(glyphTransferPercent(1, 256), " 00.3");
    EXPECT_EQ(glyphTransferPercent(0, 160), " 00.0");
}

// Each read goes out only after the previous glyph's reply: the codes run
// A365..A37E, then A421..A44C.
TEST_F(GlyphTransferTest, ReadingTheLargeTableAsksEachCodeAfterThePreviousReply) {
    auto r = run(GlyphSize::Large);
    ASSERT_EQ(r.start(GlyphTransferMode::Read), RunStart::Started);
    EXPECT_EQ(r.interval(), milliseconds{400});
    EXPECT_TRUE(state->link.glyphTransferBusy);
    EXPECT_EQ(r.barMax(), 72);

    std::vector<std::string> expected;
    for (int n = 0; n < 70; ++n) {
        std::string line = "RFBML";
        appendHex4(line, glyphCode(n));
        expected.push_back(line + "\r\n");
    }
    EXPECT_EQ(expected[25], "RFBMLA37E\r\n");
    EXPECT_EQ(expected[26], "RFBMLA421\r\n");
    EXPECT_EQ(expected[69], "RFBMLA44C\r\n");

    for (int n = 0; n < 70; ++n) {
        r.tick();
        ASSERT_EQ(transport.serialWrites.size(), static_cast<std::size_t>(n + 1));
        EXPECT_EQ(transport.serialWrites.back(), expected[static_cast<std::size_t>(n)]);
        // A tick before the reply sends nothing.
        r.tick();
        ASSERT_EQ(transport.serialWrites.size(), static_cast<std::size_t>(n + 1));
        EXPECT_FALSE(r.glyphArrived());
        const char digit = "0123456789ABCDEF"[n % 16];
        dispatchSerialReply(*state, host,
                            "FBML" + expected[static_cast<std::size_t>(n)].substr(5, 4) +
                                std::string(576, digit) + "\r\n");
        EXPECT_EQ(state->glyphs.currentGlyph, n + 1);
        EXPECT_TRUE(r.glyphArrived()); // the list redraws each glyph as it comes
        if (n == 29) {
            r.tick();
            EXPECT_EQ(r.percent(), " 42.8");
            transport.serialWrites.pop_back();
            state->link.glyphReplyWait = false;
            state->glyphs.currentGlyph = 30;
        }
    }
    EXPECT_TRUE(r.running());
    r.tick();
    EXPECT_FALSE(r.running());
    EXPECT_EQ(r.end(), GlyphTransferEnd::Completed);
    EXPECT_EQ(r.percent(), "   ");
    EXPECT_EQ(r.bar(), 0);
    EXPECT_EQ(state->glyphs.currentGlyph, 0);
    EXPECT_FALSE(state->link.glyphTransferBusy);
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Large, 17), std::string(576, '1'));
    // The replies raised no notices while the transfer ran.
    tickWork(*state, host);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(GlyphTransferTest, RegisteringTheMediumTableSendsEveryGlyphWithoutWaiting) {
    auto& table = state->glyphs.table(GlyphFace::Gothic, GlyphSize::Medium);
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i].assign(256, "0123456789ABCDEF"[i % 16]);
    }
    auto r = run(GlyphSize::Medium);
    ASSERT_EQ(r.start(GlyphTransferMode::Register), RunStart::Started);
    EXPECT_EQ(r.interval(), milliseconds{2000});
    for (int n = 0; n < 160; ++n) {
        r.tick();
    }
    EXPECT_FALSE(r.running());
    ASSERT_EQ(transport.serialWrites.size(), 160u);
    EXPECT_EQ(transport.serialWrites[0], "GRM001" + std::string(256, '0') + "\r\n");
    EXPECT_EQ(transport.serialWrites[26], "GRM027" + std::string(256, 'A') + "\r\n");
    EXPECT_EQ(transport.serialWrites[159], "GRM160" + std::string(256, 'F') + "\r\n");
    EXPECT_EQ(state->glyphs.currentGlyph, 0);
}

TEST_F(GlyphTransferTest, ProgressStepsOncePerTick) {
    auto r = run(GlyphSize::Large);
    r.start(GlyphTransferMode::Register);
    for (int n = 0; n < 35; ++n) {
        r.tick();
    }
    EXPECT_EQ(r.percent(), " 50.0");
    EXPECT_EQ(r.bar(), 35);
}

// An error reply clears the wait without advancing: the same glyph is
// asked for again.
TEST_F(GlyphTransferTest, ErrorReplyAsksForTheSameGlyphAgain) {
    auto r = run(GlyphSize::Small);
    r.start(GlyphTransferMode::Read);
    r.tick();
    dispatchSerialReply(*state, host, "E3\r\n");
    r.tick();
    ASSERT_EQ(transport.serialWrites.size(), 2u);
    EXPECT_EQ(transport.serialWrites[0], "RFBMSA365\r\n");
    EXPECT_EQ(transport.serialWrites[1], "RFBMSA365\r\n");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Command Error"});
    EXPECT_TRUE(r.running());
}

TEST_F(GlyphTransferTest, NotConnectedAndBusyAreRefusedWithAWord) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    auto r = run(GlyphSize::Large);
    EXPECT_EQ(r.start(GlyphTransferMode::Read), RunStart::NotReady);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_FALSE(state->link.glyphTransferBusy);

    state->connection.interfaceKind = InterfaceKind::Serial;
    state->model.busyStep = 3;
    EXPECT_EQ(r.start(GlyphTransferMode::Register), RunStart::Busy);
    EXPECT_EQ(host.texts(),
              (std::vector<std::string>{"Socket が接続されていません", "他の転送を実行中です。"}));
    EXPECT_FALSE(state->link.glyphTransferBusy);
}

// A device that never answers a read ends the transfer once the no-answer
// rule has given up, instead of holding the list forever.
TEST_F(GlyphTransferTest, SilentDeviceEndsTheSerialRead) {
    auto r = run(GlyphSize::Medium);
    r.start(GlyphTransferMode::Read);
    r.tick();
    for (int i = 0; i < 30; ++i) {
        tickWork(*state, host);
        r.tick();
    }
    EXPECT_FALSE(r.running());
    EXPECT_EQ(r.end(), GlyphTransferEnd::DeviceSilent);
    EXPECT_EQ(transport.serialWrites.size(), 1u);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(r.stoppedAt(), 0);
    EXPECT_EQ(state->model.busyStep, 0);
    EXPECT_FALSE(state->link.glyphTransferBusy);
    EXPECT_FALSE(state->link.glyphReplyWait);
    EXPECT_EQ(r.percent(), "   ");

    // The answer arriving after all is stored at the glyph it was asked for.
    EXPECT_EQ(state->glyphs.currentGlyph, 0);
    dispatchSerialReply(*state, host, "FBMMA365" + std::string(256, 'E') + "\r\n");
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Medium, 0), std::string(256, 'E'));
}

// Silent at the third glyph: a late answer lands on the third glyph, and
// glyph 1 keeps what was read.
TEST_F(GlyphTransferTest, LateAnswerAfterASilentEndGoesToItsOwnGlyph) {
    auto r = run(GlyphSize::Small);
    r.start(GlyphTransferMode::Read);
    for (int n = 0; n < 2; ++n) {
        r.tick();
        dispatchSerialReply(*state, host, "FBMSA365" + std::string(144, '1') + "\r\n");
    }
    r.tick();
    for (int i = 0; i < 30 && r.running(); ++i) {
        tickWork(*state, host);
        r.tick();
    }
    ASSERT_EQ(r.end(), GlyphTransferEnd::DeviceSilent);
    dispatchSerialReply(*state, host, "FBMSA367" + std::string(144, '3') + "\r\n");
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Small, 0), std::string(144, '1'));
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Small, 2), std::string(144, '3'));
}

TEST_F(GlyphTransferTest, ReadOverTcpStoresEachReplyAndStopsWhenOneNeverComes) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    state->link.socketConnected = true;
    auto r = run(GlyphSize::Small);
    r.start(GlyphTransferMode::Read);
    transport.queueData("FBMSA365" + std::string(144, '3') + "\r\n");
    transport.queueData("FBMSA366" + std::string(144, '4') + "\r\n");
    r.tick();
    r.tick();
    EXPECT_EQ(state->glyphs.currentGlyph, 2);
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Small, 1), std::string(144, '4'));
    r.tick();
    EXPECT_FALSE(r.running());
    EXPECT_EQ(r.end(), GlyphTransferEnd::DeviceSilent);
    ASSERT_EQ(transport.socketSends.size(), 3u);
    EXPECT_EQ(transport.socketSends[2].second, "RFBMSA367\r\n");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Answer が､きません"});
    EXPECT_EQ(r.stoppedAt(), 2);
}

TEST_F(GlyphTransferTest, LostConnectionEndsTheRegistration) {
    state->connection.interfaceKind = InterfaceKind::Tcp;
    state->link.socketConnected = true;
    auto r = run(GlyphSize::Large);
    r.start(GlyphTransferMode::Register);
    transport.queueData("GO\r\n");
    r.tick();
    state->link.socketConnected = false;
    r.tick();
    EXPECT_FALSE(r.running());
    EXPECT_EQ(r.end(), GlyphTransferEnd::LinkLost);
    EXPECT_EQ(transport.socketSends.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(r.stoppedAt(), 1);
}

} // namespace
} // namespace tlx
