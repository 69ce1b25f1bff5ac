#pragma once

#include "base/product.h"
#include "dialogs/run_dialog_controller.h"
#include "protocol/forward.h"
#include "runs/settings_compare.h"
#include "settings/settings_file.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// Why a settings file is not one to compare with or send from.
struct SettingsFileFault {
    enum class Kind {
        Damaged, // a number line that its setting cannot hold
        Short,   // it ends early
        Long,    // it goes on after the last setting
    };
    Kind kind = Kind::Damaged;
    std::size_t line = 0;          // Damaged: that line; Short: the lines it has
    std::size_t expected = 0;      // the lines of a whole file of the model
    bool otherModelLength = false; // exactly as long as a file of the other model
};

// Nothing when the read took a whole, undamaged file of the model.
std::optional<SettingsFileFault> settingsFileFault(const SettingsReadResult& r,
                                                   std::string_view bytes, Product p);

// The desktop's words for a fault, and for the file that has it.
std::string settingsFileFaultText(const SettingsFileFault& fault, Product p);

// The run windows of the "ツール" menu.
extern const RunDialogDescriptor kCompareReadDialog;
extern const RunDialogDescriptor kChangedSendDialog;
extern const RunDialogDescriptor kReadBackDialog;

inline constexpr std::string_view kMsgNoChanges = "基準のファイルから変更された項目はありません。";
inline constexpr std::string_view kAskReadBack = "送信した項目を装置から読み戻して確認しますか？";
inline constexpr std::string_view kMsgReadIncomplete = "読み込みが完了しなかったため、比較できません。";

// Lets the operator choose a settings file (the open chooser, with `title`)
// and reads it into a fresh model of the program's model. Nothing when the
// choice is cancelled, or when the file cannot be read or is not a whole
// file of the model (a warning says which and why).
std::unique_ptr<SettingsModel> chooseSettingsFile(const AppState& state, Host& host,
                                                  std::string_view title);

// The question before a changed-only send: what it sends and how long it
// takes against the whole send-all run.
std::string changedSendQuestion(Product p, const std::vector<int>& changed);

// Differences as text: one line each, then their count.
std::string differencesText(const std::vector<SettingsDifference>& differences, Wording w);

} // namespace tlx
