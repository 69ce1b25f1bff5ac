#pragma once

#include "protocol/forward.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

namespace tlx {

// How long the TCP/IP link waits for an answer: about the serial link's
// no-answer time.
inline constexpr std::chrono::milliseconds kSocketAnswerWait{3300};

// The shortest wait for an answer at any pacing scale (the emulator's
// shortened pacing): a busy machine must not miss a prompt answer.
inline constexpr std::chrono::milliseconds kShortestAnswerWait{300};

// The answer wait at a pacing scale.
inline std::chrono::milliseconds scaledSocketAnswerWait(double paceScale) {
    const auto ms = static_cast<long long>(static_cast<double>(kSocketAnswerWait.count()) * paceScale);
    return std::max(std::chrono::milliseconds(ms), kShortestAnswerWait);
}

// Message texts of the link.
inline constexpr std::string_view kMsgNotConnected = "Socket が接続されていません";
inline constexpr std::string_view kMsgSocketSend = "Socket 送信";
inline constexpr std::string_view kMsgNoAnswer = "Answer が､きません";
inline constexpr std::string_view kMsgNoConnect = "No Connect";
inline constexpr std::string_view kMsgSuccess = "Success";
inline constexpr std::string_view kMsgSocketOk = "Socket ＯＫ";

// True when commands can go out: the serial link always, TCP/IP only while
// connected.
bool linkReady(const AppState& s);

// The bytes that go on the serial line for a command: the RS-485 address
// ("00".."31", or "FF" for broadcast) in front when the bus is RS-485.
std::string serialFrame(const AppState& s, std::string_view line);

// The one send entry. The line carries its own CR LF. Over TCP/IP one whole
// answer line is awaited (the transport bounds the wait from the send) and
// dispatched before this returns; no whole line in time, or a closed
// connection, sets abortFlag with a warning.
void sendCommand(AppState& s, Host& host, Transport& transport, std::string_view line);

// One complete line from the serial link (with its address, if any). On
// RS-485 a line that does not begin with the addressed device's address is
// dropped unanswered.
void dispatchSerialReply(AppState& s, Host& host, std::string_view line);

// Raw bytes from a serial read: every complete line is dispatched in order,
// the rest waits for the next read.
void receiveSerialBytes(AppState& s, Host& host, std::string_view bytes);

// Bytes from one socket receive: assembled into lines, each complete line
// dispatched; a line without its LF waits (partialLinePending). Returns the
// number of lines completed.
int dispatchSocketReply(AppState& s, Host& host, std::string_view received);

// Bytes for a transport that answers later: dispatched like any reply; the
// answer is in once a whole line has come.
void receiveSocketAnswer(AppState& s, Host& host, std::string_view received);

// The main window's 150 ms tick: the no-answer rule and the pending notices.
void tickWork(AppState& s, Host& host);

} // namespace tlx
