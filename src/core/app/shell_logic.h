#pragma once

#include "base/product.h"
#include "protocol/forward.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tlx {

inline constexpr std::string_view kMsgSecondInstance = "２重に起動はできません";
inline constexpr std::string_view kMsgDisconnectFirst = "TCP/IPを切断してください。";
inline constexpr std::string_view kAskExitWithoutSaving = "データを保存せずに終了しますか？";

// "TLX-500F_Z200 Client Program" and its kin, chosen by clientServer.
std::string_view mainWindowTitle(Product p, std::int32_t clientServer);

// The window title with the current settings file's name after it, so that
// the operator always sees which file Save writes to; the narrow window has
// no room for the folder.
std::string mainWindowTitle(Product p, std::int32_t clientServer, std::string_view filePath);

struct WindowSize {
    int width;
    int height;
};

// The size class of an operating system version (major.minor): 0 for 4.0, 1
// for 4.10, 2 for other 4.x, 3 for 5.x but 5.1, 4 for 5.1 and every major
// other than 4, 5 and 6, 5 for 6.x.
int versionClass(int major, int minor);
WindowSize mainWindowSize(Product p, int versionClass);

// The status bar clock: "2024年 3月 5日  火曜日" (weekday 0 = Sunday) and
// "09：05：07".
std::string clockDateText(int year, int month, int day, int weekday);
std::string clockTimeText(int hour, int minute, int second);

enum class ExitDecision { Refused, Exit };

// The exit flow of the window's close and of "ｱﾌﾟﾘｹｰｼｮﾝの終了": refused while
// a TCP/IP connection is up; with unsaved changes the operator may save
// first. A save that was asked for and did not happen (the chooser was
// cancelled, or the write failed) keeps the program open, so the changes are
// not lost.
ExitDecision exitFlow(AppState& state, Host& host);

// A dialog's title: its own title, followed by the connection's address when
// one is selected.
std::string dialogTitle(std::string_view title, const AppState& state, const LinkControl& links);

} // namespace tlx
