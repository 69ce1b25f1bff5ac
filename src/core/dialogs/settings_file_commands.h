#pragma once

#include "base/host.h"
#include "base/settings_file_io.h"

#include <string>
#include <string_view>

namespace tlx {

struct AppState;

inline constexpr std::string_view kMsgCantFileOpen = "Can't file open";
inline constexpr std::string_view kMsgDontFileOpen = "Don't file open";
// Our own addition: the file was created but could not be written in full.
// The reason follows on the next line.
inline constexpr std::string_view kMsgCantFileWrite = "Can't file write";

inline constexpr std::string_view kAskNewWithoutSaving = "データを保存せずに新規作成しますか？";
inline constexpr std::string_view kAskOpenWithoutSaving =
    "データを保存せずに別のファイルを開きますか？";
inline constexpr std::string_view kOverwriteSuffix = " は既に存在します。\n上書きしますか？";

inline constexpr std::string_view kSettingsExtension = ".dat";

// What the operator is told when writing path failed: the open message when
// the file could not be made, else the write message with the path and why.
std::string fileWriteFailureText(const std::string& path, const FileWriteResult& written);

// The chooser of open (save = false) and save as (save = true).
FileChoice settingsFileChoice(bool save);

// The four file commands of the main menu. Each does nothing while a transfer
// runs (busyStep not 0) and returns whether it loaded, saved or reset.

// Resets the settings to their defaults after asking about unsaved changes.
// The link, the PC's TCP/IP port text and the glyph tables are left alone,
// and the current file is forgotten so that a later Save cannot overwrite it
// with the new settings.
bool newSettingsFile(AppState& state, Host& host);
bool openSettingsFile(AppState& state, Host& host);
bool saveSettingsFile(AppState& state, Host& host);
bool saveSettingsFileAs(AppState& state, Host& host);

// The read and the write behind the commands, on a chosen path.
bool loadSettingsFrom(AppState& state, Host& host, const std::string& path);
bool saveSettingsTo(AppState& state, Host& host, const std::string& path);

} // namespace tlx
