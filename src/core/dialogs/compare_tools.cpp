#include "dialogs/compare_tools.h"

#include "base/host.h"
#include "base/settings_file_io.h"
#include "dialogs/settings_file_commands.h"
#include "protocol/app_state.h"
#include "runs/read_all_steps.h"
#include "runs/send_all_steps.h"

#include <algorithm>

namespace tlx {

const RunDialogDescriptor kCompareReadDialog{"装置と比較", "読み込み", false,
                                             "装置の設定を読み込みました。"};
const RunDialogDescriptor kChangedSendDialog{"変更分のみ送信", "設定", true,
                                             "変更された項目を設定しました。"};
const RunDialogDescriptor kReadBackDialog{"読み戻し確認", "読み込み", false,
                                          "送信した項目を読み込みました。"};

namespace {

std::size_t lineCount(std::string_view bytes) {
    const auto n = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return n + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

std::string seconds(std::chrono::milliseconds ms) {
    const auto tenths = (ms.count() + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " 秒";
}

} // namespace

std::optional<SettingsFileFault> settingsFileFault(const SettingsReadResult& r,
                                                   std::string_view bytes, Product p) {
    SettingsFileFault f;
    f.expected = r.linesExpected;
    if (r.linesRejected > 0) {
        f.kind = SettingsFileFault::Kind::Damaged;
        f.line = r.firstRejectedLine;
    } else if (!r.complete()) {
        f.kind = SettingsFileFault::Kind::Short;
        f.line = r.linesUsed;
    } else if (r.extraLines) {
        f.kind = SettingsFileFault::Kind::Long;
        f.line = r.linesExpected;
    } else {
        return std::nullopt;
    }
    const Product other = p == Product::F ? Product::S : Product::F;
    f.otherModelLength =
        lineCount(bytes) == static_cast<std::size_t>(traits(other).settingsFileLines);
    return f;
}

std::string settingsFileFaultText(const SettingsFileFault& fault, Product p) {
    std::string text = std::string("この機種 (") + traits(p).letter + ") の設定ファイルではありません。\n";
    switch (fault.kind) {
    case SettingsFileFault::Kind::Damaged:
        text += std::to_string(fault.line) + " 行目の値が正しくありません。";
        break;
    case SettingsFileFault::Kind::Short:
        text += std::to_string(fault.line) + " 行しかありません (" +
                std::to_string(fault.expected) + " 行必要です)。";
        break;
    case SettingsFileFault::Kind::Long:
        text += std::to_string(fault.expected) + " 行を超えています。";
        break;
    }
    if (fault.otherModelLength) {
        text += std::string("\n") + traits(p == Product::F ? Product::S : Product::F).letter +
                " 機種の設定ファイルの長さです。";
    }
    return text;
}

std::unique_ptr<SettingsModel> chooseSettingsFile(const AppState& state, Host& host,
                                                  std::string_view title) {
    FileChoice choice = settingsFileChoice(false);
    choice.title = std::string(title);
    const auto path = host.chooseFile(choice);
    if (!path) {
        return nullptr;
    }
    const auto file = readWholeFile(*path);
    if (!file.bytes) {
        host.warning(std::string(kMsgCantFileOpen) + "\n" + file.reason);
        return nullptr;
    }
    auto m = std::make_unique<SettingsModel>();
    resetModelToDefaults(*m, state.product);
    const auto r = readSettingsFile(*file.bytes, *m, state.product);
    if (const auto fault = settingsFileFault(r, *file.bytes, state.product)) {
        host.warning(settingsFileFaultText(*fault, state.product));
        return nullptr;
    }
    return m;
}

std::string changedSendQuestion(Product p, const std::vector<int>& changed) {
    const auto performed = stepsToPerform(changed, p);
    const Pacing pacing = sendAllPacing(p);
    const auto commands = std::count_if(performed.begin(), performed.end(), [p](int s) {
        return readAllStep(p, s).kind == RunStep::Kind::Send;
    });
    return "送信するコマンド: " + std::to_string(commands) + " / " +
           std::to_string(traits(p).readAllSteps) + "\n予想時間: " +
           seconds(pacing.timeLeft(performed, 1)) + " 以上 (全項目の設定: " +
           seconds(pacing.timeLeft(1, traits(p).readAllSteps)) + " 以上)\n送信しますか？";
}

std::string differencesText(const std::vector<SettingsDifference>& differences, Wording w) {
    std::string text;
    for (const auto& d : differences) {
        text += differenceLine(d) + "\r\n";
    }
    return text + differenceCount(differences.size(), w) + "\r\n";
}

} // namespace tlx
