#include "app/shell_logic.h"

#include "base/host.h"
#include "dialogs/connection_dialogs.h"
#include "dialogs/settings_file_commands.h"
#include "protocol/app_state.h"
#include "protocol/link_control.h"

#include <array>
#include <cstdio>
#include <filesystem>

namespace tlx {

std::string_view mainWindowTitle(Product p, std::int32_t clientServer) {
    const bool server = clientServer == 1;
    if (p == Product::F) {
        return server ? "TLX-500F_Z200 Server Program" : "TLX-500F_Z200 Client Program";
    }
    return server ? "TLX-500S Z200 Server Program" : "TLX-500S Z200 Client Program";
}

std::string mainWindowTitle(Product p, std::int32_t clientServer, std::string_view filePath) {
    std::string title(mainWindowTitle(p, clientServer));
    const std::string name = std::filesystem::path(filePath).filename().string();
    if (!name.empty()) {
        title += " - ";
        title += name;
    }
    return title;
}

int versionClass(int major, int minor) {
    if (major == 4) {
        return minor == 0 ? 0 : minor == 10 ? 1 : 2;
    }
    if (major == 5) {
        return minor == 1 ? 4 : 3;
    }
    if (major == 6) {
        return 5;
    }
    return 4;
}

WindowSize mainWindowSize(Product p, int versionClassValue) {
    const int width = p == Product::F ? 711 : 693;
    if (versionClassValue == 5) {
        return {p == Product::F ? 791 : 703, 120};
    }
    if (versionClassValue == 4) {
        return {width, 104};
    }
    return {width, 90};
}

std::string clockDateText(int year, int month, int day, int weekday) {
    static constexpr std::array<std::string_view, 7> kWeekdays{
        "日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
    std::array<char, 64> buf{};
    std::snprintf(buf.data(), buf.size(), "%4d年%2d月%2d日", year, month, day);
    std::string text(buf.data());
    text += "  ";
    if (weekday >= 0 && weekday < 7) {
        text += kWeekdays[static_cast<std::size_t>(weekday)];
    }
    return text;
}

std::string clockTimeText(int hour, int minute, int second) {
    std::array<char, 64> buf{};
    std::snprintf(buf.data(), buf.size(), "%02d：%02d：%02d", hour, minute, second);
    return std::string(buf.data());
}

ExitDecision exitFlow(AppState& state, Host& host) {
    if (state.link.socketConnected) {
        host.error(kMsgDisconnectFirst);
        return ExitDecision::Refused;
    }
    if (state.model.dataModified &&
        !host.askYesNo(kAskExitWithoutSaving, state.traits().productString)) {
        // Whatever keeps the changes unsaved (a cancelled chooser, a failed
        // write) keeps the program open, so nothing is lost.
        const bool saved = state.model.currentFilePath.empty() ? saveSettingsFileAs(state, host)
                                                               : saveSettingsFile(state, host);
        if (!saved) {
            return ExitDecision::Refused;
        }
    }
    return ExitDecision::Exit;
}

std::string dialogTitle(std::string_view title, const AppState& state, const LinkControl& links) {
    std::string text(title);
    const std::string address = connectionAddressText(state, links);
    if (!address.empty()) {
        text += ' ';
        text += address;
    }
    return text;
}

} // namespace tlx
