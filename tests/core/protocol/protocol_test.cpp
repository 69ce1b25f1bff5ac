#include "protocol/protocol.h"

#include <gtest/gtest.h>
#include <tuple>

#include "protocol/app_state.h"
#include "protocol/replies.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"
#include "support/reply_lines.h"

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;
using test::ShownMessage;

ShownMessage errorBox(std::string text) { return {MessageKind::Error, std::move(text), "Error"}; }
ShownMessage warningBox(std::string text) { return {MessageKind::Warning, std::move(text), "Error"}; }
ShownMessage noticeBox(std::string text) { return {MessageKind::Notice, std::move(text), "Success"}; }

class ProtocolTest : public ::testing::TestWithParam<Product> {
protected:
    std::unique_ptr<AppState> state = makeAppState(GetParam());
    AppState& s = *state;
    FakeHost host;
    FakeTransport link;

    int pastEnd() const { return s.traits().busyStepPastEnd; }
    void useRs485(int address) {
        s.connection.interfaceKind = InterfaceKind::Serial;
        s.connection.rsControl = 1;
        s.connection.slaveAddress = address;
    }
    void useTcp() {
        s.connection.interfaceKind = InterfaceKind::Tcp;
        s.link.socketConnected = true;
    }
    // Bytes of page 1's first title line (model S: of the page).
    std::size_t firstTitleBytes() const {
        return GetParam() == Product::F ? s.model.titleText[0][0].size()
                                        : s.model.titlePageText[0].size();
    }
    std::size_t fullTitleBytes() const { return GetParam() == Product::F ? 56u : 560u; }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            tickWork(s, host);
        }
    }
};

INSTANTIATE_TEST_SUITE_P(BothModels, ProtocolTest, ::testing::Values(Product::F, Product::S),
                         [](const ::testing::TestParamInfo<Product>& p) {
                             return p.param == Product::F ? "F" : "S";
                         });

// --- sending ---------------------------------------------------------------

TEST_P(ProtocolTest, Rs485PrefixesTheSlaveAddress) {
    useRs485(5);
    sendCommand(s, host, link, "RCA001\r\n");
    ASSERT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(link.serialWrites[0], "05RCA001\r\n");
    EXPECT_TRUE(s.link.awaitingAnswer);
    useRs485(31);
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_EQ(link.serialWrites[1], "31RVN\r\n");
}

TEST_P(ProtocolTest, BroadcastClearsAwaitingAnswerSoNoNoConnectFollows) {
    useRs485(5);
    sendCommand(s, host, link, "RCA001\r\n");
    useRs485(kSlaveBroadcast);
    sendCommand(s, host, link, "CBS001L01ON\r\n");
    EXPECT_EQ(link.serialWrites.back(), "FFCBS001L01ON\r\n");
    EXPECT_FALSE(s.link.awaitingAnswer);
    ticks(40);
    EXPECT_TRUE(host.messages.empty());
}

TEST_P(ProtocolTest, Rs232cSendsAndReceivesWithoutPrefix) {
    s.connection.slaveAddress = 7;
    sendCommand(s, host, link, "RCA001\r\n");
    EXPECT_EQ(link.serialWrites.at(0), "RCA001\r\n");
    dispatchSerialReply(s, host, "GO\r\n");
    EXPECT_TRUE(s.link.successPending);
}

TEST_P(ProtocolTest, Rs485ReplyLosesItsAddressBeforeTesting) {
    useRs485(5);
    sendCommand(s, host, link, "RCA001\r\n");
    dispatchSerialReply(s, host, "05GO\r\n");
    EXPECT_FALSE(s.link.awaitingAnswer);
    EXPECT_TRUE(s.link.successPending);
    dispatchSerialReply(s, host, "05ADOF\r\n");
    EXPECT_EQ(s.model.alarmDisplay, 0);
    // The status panel's last reply: without its address, cut short.
    EXPECT_EQ(s.link.lastReply, "ADOF");
    EXPECT_EQ(s.link.repliesReceived, 2u);
    dispatchSerialReply(s, host, "05CA001212121212121\r\n");
    EXPECT_EQ(s.link.lastReply, "CA0012121212");
}

// A device answering without the bus address (or with another one) has not
// answered: the operator hears "No Connect", never silence.
TEST_P(ProtocolTest, Rs485ReplyWithoutTheAddressIsNoAnswer) {
    const int limit = GetParam() == Product::F ? 22 : 27;
    useRs485(5);
    sendCommand(s, host, link, "AMI\r\n");
    dispatchSerialReply(s, host, "GO\r\n");
    dispatchSerialReply(s, host, "07GO\r\n");
    dispatchSerialReply(s, host, "ADOF\r\n");
    EXPECT_TRUE(s.link.awaitingAnswer);
    EXPECT_EQ(s.model.alarmDisplay, 1);
    ticks(limit);
    EXPECT_EQ(host.messages, std::vector{errorBox("No Connect")});
}

TEST_P(ProtocolTest, TcpNotConnectedSendsNothing) {
    s.connection.interfaceKind = InterfaceKind::Tcp;
    EXPECT_FALSE(linkReady(s));
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_TRUE(link.socketSends.empty());
    EXPECT_EQ(host.messages, std::vector{warningBox("Socket が接続されていません")});
    s.connection.interfaceKind = InterfaceKind::Serial;
    EXPECT_TRUE(linkReady(s));
}

TEST_P(ProtocolTest, TcpAnswerIsDispatchedBeforeSendReturns) {
    useTcp();
    link.queueData("GO\r\n");
    sendCommand(s, host, link, "CBS001L01ON\r\n");
    ASSERT_EQ(link.socketSends.size(), 1u);
    EXPECT_EQ(link.socketSends[0], (std::pair<int, std::string>{-1, "CBS001L01ON\r\n"}));
    EXPECT_EQ(host.messages, std::vector{noticeBox("Socket ＯＫ")});
}

TEST_P(ProtocolTest, TcpServerSendsToTheSelectedSlot) {
    useTcp();
    s.connection.clientServer = 1;
    s.connection.selectNumber = 12;
    link.queueData("GO\r\n");
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_EQ(link.socketSends.at(0).first, 12);
    EXPECT_EQ(link.receiveSlots.at(0), 12);
}

TEST_P(ProtocolTest, TcpSendFailureAbortsWithWarning) {
    useTcp();
    link.nextSendStatus = SocketSendStatus::Failed;
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_TRUE(s.link.abortFlag);
    EXPECT_EQ(host.messages, std::vector{warningBox("Socket 送信")});
    EXPECT_TRUE(link.receiveSlots.empty());
}

TEST_P(ProtocolTest, TcpWouldBlockIsSilentOnlyForModelF) {
    useTcp();
    link.nextSendStatus = SocketSendStatus::WouldBlock;
    sendCommand(s, host, link, "RVN\r\n");
    if (GetParam() == Product::F) {
        EXPECT_FALSE(s.link.abortFlag);
        EXPECT_TRUE(host.messages.empty());
    } else {
        EXPECT_TRUE(s.link.abortFlag);
        EXPECT_EQ(host.messages, std::vector{warningBox("Socket 送信")});
    }
    EXPECT_TRUE(link.receiveSlots.empty());
}

TEST_P(ProtocolTest, TcpMissingAnswerAbortsWithWarning) {
    useTcp();
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_TRUE(s.link.abortFlag);
    EXPECT_EQ(host.messages, std::vector{warningBox("Answer が､きません")});
}

TEST_P(ProtocolTest, TcpReplySplitOverTwoReceivesIsDispatchedOnceWhole) {
    useTcp();
    link.queueData("ADT");
    link.queueData("045\r\n");
    sendCommand(s, host, link, "RADT\r\n");
    EXPECT_EQ(s.model.alarmHoldTime, "045");
    EXPECT_FALSE(s.link.partialLinePending);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(s.link.abortFlag);
}

TEST_P(ProtocolTest, TcpAnswerWaitCountsOnlyWholeLines) {
    // Pieces without their LF until the transport's bound: no answer.
    useTcp();
    link.queueData("CA001");
    link.queueData("0000");
    sendCommand(s, host, link, "RCA001\r\n");
    EXPECT_TRUE(s.link.abortFlag);
    EXPECT_EQ(host.messages, std::vector{warningBox("Answer が､きません")});
    EXPECT_EQ(link.receiveSlots.size(), 3u);
    // The device closing the connection before its answer.
    host.clear();
    link.queueData("");
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_TRUE(s.link.abortFlag);
    EXPECT_EQ(host.messages, std::vector{warningBox("Socket 送信")});
}

TEST_P(ProtocolTest, TcpStoppedLinkEndsTheWaitQuietly) {
    useTcp();
    link.receives.push_back({SocketReceive::Kind::Stopped, {}});
    sendCommand(s, host, link, "RVN\r\n");
    EXPECT_FALSE(s.link.abortFlag);
    EXPECT_TRUE(host.messages.empty());
}

// --- dispatch --------------------------------------------------------------

TEST_P(ProtocolTest, SerialGoMustBeTheWholeLine) {
    dispatchSerialReply(s, host, "GOX\r\n");
    EXPECT_FALSE(s.link.successPending);
    dispatchSerialReply(s, host, "GO\r\n");
    EXPECT_TRUE(s.link.successPending);
}

TEST_P(ProtocolTest, SocketLineBeginningGoIsAnAcknowledgement) {
    dispatchSocketReply(s, host, "GOX\r\n");
    EXPECT_EQ(host.messages, std::vector{noticeBox("Socket ＯＫ")});
}

TEST_P(ProtocolTest, GoDuringATransferOrGlyphTransferRaisesNothing) {
    s.model.busyStep = 3;
    dispatchSerialReply(s, host, "GO\r\n");
    dispatchSocketReply(s, host, "GO\r\n");
    s.model.busyStep = 0;
    s.link.glyphTransferBusy = true;
    dispatchSerialReply(s, host, "GO\r\n");
    dispatchSocketReply(s, host, "GO\r\n");
    EXPECT_FALSE(s.link.successPending);
    ticks(1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_P(ProtocolTest, SuccessIsShownByTheNextTick) {
    dispatchSerialReply(s, host, "GO\r\n");
    EXPECT_TRUE(host.messages.empty());
    ticks(1);
    EXPECT_EQ(host.messages, std::vector{noticeBox("Success")});
    ticks(1);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_P(ProtocolTest, ErrorRepliesAbortAndNameTheLink) {
    // The reply, then its text on the serial link and on the socket.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"E0", "Framing Error", "Socket Framing"},   {"E1", "Parity Error", "Parity Error"},
        {"E2", "Over Run Error", "Socket Over run"}, {"E3", "Command Error", "Socket Command"},
        {"MENU", "Menu Display", "Menu Display"}};
    for (const auto& [reply, serialText, socketText] : cases) {
        host.clear();
        dispatchSerialReply(s, host, reply + "\r\n");
        EXPECT_TRUE(s.link.abortFlag) << reply;
        EXPECT_EQ(host.messages, std::vector{errorBox(serialText)}) << reply;
        host.clear();
        dispatchSocketReply(s, host, reply + "\r\n");
        EXPECT_TRUE(s.link.abortFlag) << reply;
        EXPECT_EQ(host.messages, std::vector{errorBox(socketText)}) << reply;
    }
}

TEST_P(ProtocolTest, SerialErrorCodesAreWholeLinesSocketOnesArePrefixes) {
    dispatchSerialReply(s, host, "E3X\r\n");
    EXPECT_FALSE(s.link.abortFlag);
    EXPECT_TRUE(host.messages.empty());
    dispatchSocketReply(s, host, "E3X\r\n");
    EXPECT_TRUE(s.link.abortFlag);
    dispatchSerialReply(s, host, "MENUX\r\n");
    EXPECT_FALSE(s.link.abortFlag);
    dispatchSocketReply(s, host, "MENUX\r\n"); // MENU is a whole-line test on both links
    EXPECT_FALSE(s.link.abortFlag);
}

TEST_P(ProtocolTest, ModeDifferenceIsARefusalAlsoDuringATransfer) {
    for (const int busyStep : {0, 40}) {
        host.clear();
        s.model.busyStep = busyStep;
        dispatchSerialReply(s, host, "GN\r\n");
        EXPECT_TRUE(s.link.abortFlag);
        s.link.abortFlag = false;
        dispatchSocketReply(s, host, "GN\r\n");
        EXPECT_TRUE(s.link.abortFlag);
        EXPECT_EQ(host.messages,
                  (std::vector{errorBox("Mode Difference"), noticeBox("Socket mode difference")}));
    }
}

TEST_P(ProtocolTest, EveryLineClearsAbortAndGlyphWait) {
    s.link.abortFlag = true;
    s.link.glyphReplyWait = true;
    dispatchSerialReply(s, host, "WHATEVER\r\n");
    EXPECT_FALSE(s.link.abortFlag);
    EXPECT_FALSE(s.link.glyphReplyWait);
    EXPECT_TRUE(host.messages.empty());
    s.link.abortFlag = true;
    s.link.glyphReplyWait = true;
    dispatchSocketReply(s, host, "\r\n");
    EXPECT_FALSE(s.link.abortFlag);
    EXPECT_FALSE(s.link.glyphReplyWait);
}

TEST_P(ProtocolTest, ColourReplyIsNotATitle) {
    EXPECT_EQ(classifyReply(GetParam(), LinkKind::Serial, "CABC001\r\n"), Reply::CABC);
    EXPECT_EQ(classifyReply(GetParam(), LinkKind::Socket, "CABC001\r\n"), Reply::CABC);
    EXPECT_EQ(classifyReply(GetParam(), LinkKind::Serial, "CA001\r\n"), Reply::CA);
}

TEST_P(ProtocolTest, GlyphBitmapIsNotBackgroundFill) {
    for (auto l : {LinkKind::Serial, LinkKind::Socket}) {
        EXPECT_EQ(classifyReply(GetParam(), l, "FBMLA365\r\n"), Reply::FBML);
        EXPECT_EQ(classifyReply(GetParam(), l, "FBMMA365\r\n"), Reply::FBMM);
        EXPECT_EQ(classifyReply(GetParam(), l, "FBMSA365\r\n"), Reply::FBMS);
        EXPECT_EQ(classifyReply(GetParam(), l, "FMBMLA365\r\n"), Reply::FMBML);
        EXPECT_EQ(classifyReply(GetParam(), l, "FB001NNNNNNNNNN\r\n"), Reply::FB);
    }
}

TEST_P(ProtocolTest, GlyphReplyFillsTheCurrentGlyphAndTheEditor) {
    const std::string bitmap = std::string(574, 'F') + "A5";
    s.glyphs.currentGlyph = 4;
    s.link.glyphReplyWait = true;
    dispatchSerialReply(s, host, "FBMLA365" + bitmap + "\r\n");
    EXPECT_EQ(s.glyphs.glyph(GlyphFace::Gothic, GlyphSize::Large, 4), bitmap);
    EXPECT_EQ(s.glyphs.editBuffer, bitmap);
    EXPECT_EQ(s.glyphs.currentGlyph, 4);
    EXPECT_EQ(host.glyphEditorRefreshes, 1);
    EXPECT_FALSE(s.link.glyphReplyWait);
    // Nor is a glyph reply background fill.
    EXPECT_EQ(s.model.backgroundFill[0][0], 0);
}

TEST_P(ProtocolTest, GlyphTransferAdvancesTheCurrentGlyph) {
    s.link.glyphTransferBusy = true;
    s.glyphs.currentGlyph = 0;
    const std::string small = std::string(143, '0') + "1";
    const std::string mincho = std::string(255, '0') + "8";
    dispatchSocketReply(s, host, "FBMSA365" + small + "\r\n");
    dispatchSerialReply(s, host, "FMBMMA366" + mincho + "\r\n");
    EXPECT_EQ(s.glyphs.currentGlyph, 2);
    EXPECT_EQ(s.glyphs.glyph(GlyphFace::Gothic, GlyphSize::Small, 0), small);
    EXPECT_EQ(s.glyphs.glyph(GlyphFace::Mincho, GlyphSize::Medium, 1), mincho);
    EXPECT_EQ(host.glyphEditorRefreshes, 0);
}

TEST_P(ProtocolTest, DateSizeAndVersionRaiseTheirLinksSuccess) {
    dispatchSerialReply(s, host, "TSDSL\r\n");
    EXPECT_TRUE(s.link.successPending);
    dispatchSocketReply(s, host, "VN2.00\r\n");
    EXPECT_TRUE(s.link.socketSuccessPending);
    ticks(1);
    EXPECT_EQ(host.messages, (std::vector{noticeBox("Success"), noticeBox("Socket ＯＫ")}));
}

TEST_P(ProtocolTest, VersionEndingAReadAllStillRaisesSuccess) {
    s.model.busyStep = 100;
    dispatchSerialReply(s, host, "VN1.10\r\n");
    EXPECT_EQ(s.model.busyStep, pastEnd());
    EXPECT_TRUE(s.link.successPending);
    s.link.successPending = false;
    s.model.busyStep = 100;
    dispatchSerialReply(s, host, "VN1.20\r\n");
    EXPECT_EQ(s.model.busyStep, pastEnd() - 1);
    EXPECT_FALSE(s.link.successPending);
}

// --- the no-answer rule ------------------------------------------------------

TEST_P(ProtocolTest, ExactlyOneNoConnectOnTheRightTick) {
    const int limit = GetParam() == Product::F ? 22 : 27;
    sendCommand(s, host, link, "RVN\r\n");
    ticks(limit - 1);
    EXPECT_TRUE(host.messages.empty());
    ticks(1);
    EXPECT_EQ(host.messages, std::vector{errorBox("No Connect")});
    EXPECT_FALSE(s.link.awaitingAnswer);
    EXPECT_EQ(s.link.noAnswerTicks, 0);
    ticks(100);
    EXPECT_EQ(host.messages.size(), 1u);
}

// Only a running transfer is pushed past its end; an idle link stays free
// for the next start.
TEST_P(ProtocolTest, NoConnectCutsShortOnlyARunningTransfer) {
    sendCommand(s, host, link, "RADO\r\n");
    ticks(30);
    EXPECT_EQ(s.model.busyStep, 0);
    s.model.busyStep = 3;
    sendCommand(s, host, link, "RADO\r\n");
    ticks(30);
    EXPECT_EQ(s.model.busyStep, pastEnd());
}

TEST_P(ProtocolTest, LateReplyAfterNoConnectIsStillAppliedButRaisesNoSuccessInARun) {
    s.model.busyStep = 3;
    sendCommand(s, host, link, "RADO\r\n");
    ticks(30);
    host.clear();
    dispatchSerialReply(s, host, "ADOF\r\n");
    EXPECT_EQ(s.model.alarmDisplay, 0);
    dispatchSerialReply(s, host, "GO\r\n");
    ticks(1);
    EXPECT_TRUE(host.messages.empty());
    s.model.busyStep = 0;
    dispatchSerialReply(s, host, "GO\r\n");
    ticks(1);
    EXPECT_EQ(host.messages, std::vector{noticeBox("Success")});
}

TEST_P(ProtocolTest, ReplyResetsTheTickCount) {
    sendCommand(s, host, link, "RVN\r\n");
    ticks(15);
    dispatchSerialReply(s, host, "VN2.00\r\n");
    sendCommand(s, host, link, "RVN\r\n");
    ticks(15);
    EXPECT_EQ(host.messages, std::vector{noticeBox("Success")});
}

// --- line assembly -----------------------------------------------------------

TEST_P(ProtocolTest, SerialChunkWithSeveralLinesDispatchesEachInOrder) {
    receiveSerialBytes(s, host, "ADOF\r\nAROF\r\nADT0");
    EXPECT_EQ(s.model.alarmDisplay, 0);
    EXPECT_EQ(s.model.alarmReturn, 0);
    EXPECT_EQ(s.model.alarmHoldTime, "010");
    receiveSerialBytes(s, host, "99\r\nE3\r\n");
    EXPECT_EQ(s.model.alarmHoldTime, "099");
    EXPECT_TRUE(s.link.abortFlag);
    EXPECT_EQ(host.messages, std::vector{errorBox("Command Error")});
}

TEST_P(ProtocolTest, OverlongSerialLineIsCutAndTheNextLineSurvives) {
    std::string huge = "CA001" + std::string(5000, '4') + "\r\n";
    receiveSerialBytes(s, host, huge + "ADOF\r\n");
    EXPECT_EQ(s.model.alarmDisplay, 0);
    // The cut line kept its first 1199 characters: a full title page decoded.
    EXPECT_EQ(firstTitleBytes(), fullTitleBytes());
}

TEST_P(ProtocolTest, SocketAccumulationIsCapped) {
    useTcp();
    dispatchSocketReply(s, host, "CA001" + std::string(3000, '4'));
    EXPECT_TRUE(s.link.partialLinePending);
    EXPECT_LE(s.link.socketLines.partial().size(), LineFramer::kMaxLineChars);
    dispatchSocketReply(s, host, std::string(3000, '4') + "\r\n");
    EXPECT_FALSE(s.link.partialLinePending);
    EXPECT_EQ(firstTitleBytes(), fullTitleBytes());
}

TEST_P(ProtocolTest, EmptyReceiveDispatchesNothing) {
    s.link.abortFlag = true;
    dispatchSocketReply(s, host, "");
    EXPECT_TRUE(s.link.abortFlag);
}

TEST(LineFramer, KeepsBytesAfterTheLastLineEnd) {
    LineFramer f;
    EXPECT_TRUE(f.push("GO").empty());
    EXPECT_TRUE(f.hasPartial());
    EXPECT_EQ(f.push("\r\nE3\r\nVN"), (std::vector<std::string>{"GO\r\n", "E3\r\n"}));
    EXPECT_EQ(f.partial(), "VN");
    EXPECT_EQ(f.push("1.20\n"), (std::vector<std::string>{"VN1.20\n"}));
    EXPECT_FALSE(f.hasPartial());
}

TEST(LineFramer, CutsOverlongLinesAtTheLimit) {
    LineFramer f;
    const auto lines = f.push(std::string(1500, 'x') + "\r\nGO\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), LineFramer::kMaxLineChars + 1);
    EXPECT_EQ(lines[0].back(), '\n');
    EXPECT_EQ(lines[1], "GO\r\n");
    const auto exact = f.push(std::string(1199, 'y') + "\n");
    ASSERT_EQ(exact.size(), 1u);
    EXPECT_EQ(exact[0].size(), 1200u);
}

// --- the ordered tables --------------------------------------------------------

TEST(DispatchTables, ModelFOrderAndTests) {
    const auto serial = dispatchTable(Product::F, LinkKind::Serial);
    std::vector<std::string> names;
    for (const auto& e : serial) {
        names.emplace_back(e.text);
    }
    const std::vector<std::string> want{
        "GO",   "MENU", "FBML", "FBMM", "FBMS", "FMBML", "FMBMM", "FMBMS", "ACA", "ADO",
        "ADT",  "AM",   "AP",   "ARO",  "CABC", "CA",    "CBS",   "CFS",   "CFT", "CI",
        "CL",   "FB",   "IDLS", "IDP",  "IDOH", "IDRT",  "PAST",  "POSP",  "RCA", "RM",
        "SD",   "TSDO", "TSDR", "TSDS", "VLBC", "VN",    "EAA",   "EGA",   "EIA", "EMA",
        "ESM",  "EPN",  "ECT",  "EKA",  "ETR",  "GN",    "E0",    "E1",    "E2",  "E3"};
    EXPECT_EQ(names, want);
    const auto socket = dispatchTable(Product::F, LinkKind::Socket);
    EXPECT_EQ(socket[17].text, "CFT");
    EXPECT_EQ(socket[18].text, "CFS");
    for (std::size_t i = 0; i < serial.size(); ++i) {
        const bool serialWhole = serial[i].text == "GO" || serial[i].text == "MENU" ||
                                 serial[i].text == "GN" || (serial[i].text[0] == 'E' && serial[i].text.size() == 2);
        EXPECT_EQ(serial[i].wholeLine, serialWhole) << serial[i].text;
        EXPECT_EQ(socket[i].wholeLine, socket[i].text == "MENU") << socket[i].text;
    }
}

TEST(DispatchTables, ModelSReplacesTheLineAttributeEntries) {
    const auto serial = dispatchTable(Product::S, LinkKind::Serial);
    std::vector<std::string> names;
    for (std::size_t i = 22; i <= 28; ++i) {
        names.emplace_back(serial[i].text);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"IDLS", "IDO", "IDP", "IDRT", "ISS", "PAS", "POSP"}));
    EXPECT_EQ(classifyReply(Product::S, LinkKind::Serial, "IDOH001\r\n"), Reply::IDO);
    EXPECT_EQ(classifyReply(Product::S, LinkKind::Serial, "PAST00\r\n"), Reply::PAS);
    EXPECT_EQ(classifyReply(Product::F, LinkKind::Serial, "ISS1\r\n"), Reply::None);
    EXPECT_EQ(serial.back().text, "E3");
}

} // namespace
} // namespace tlx
