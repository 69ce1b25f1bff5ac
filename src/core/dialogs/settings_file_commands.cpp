#include "dialogs/settings_file_commands.h"

#include "base/settings_file_io.h"
#include "protocol/app_state.h"
#include "settings/settings_file.h"
#include "settings/settings_file_name.h"

#include <utility>

namespace tlx {

FileChoice settingsFileChoice(bool save) {
    FileChoice c;
    c.save = save;
    c.title = save ? "ファイルの保存" : "ファイルのオープン";
    c.filters = {{"データ(*.dat)", "*.dat"}, {"すべて(*.*)", "*.*"}};
    return c;
}

namespace {

// No run holds the settings, and their unsaved changes, if any, may go: the
// operator said yes to question.
bool settingsMayBeReplaced(AppState& state, Host& host, std::string_view question) {
    if (state.model.busyStep != 0) {
        return false;
    }
    return !state.model.dataModified || host.askYesNo(question, state.traits().productString);
}

} // namespace

std::string fileWriteFailureText(const std::string& path, const FileWriteResult& written) {
    if (written.failure == WriteFailure::Create) {
        return std::string(kMsgCantFileOpen);
    }
    return std::string(kMsgCantFileWrite) + "\n" + path + "\n" + written.reason;
}

bool newSettingsFile(AppState& state, Host& host) {
    if (!settingsMayBeReplaced(state, host, kAskNewWithoutSaving)) {
        return false;
    }
    auto& m = state.model;
    // The port text is also the PC's own TCP/IP port from the INI file, which
    // a new settings file does not touch.
    std::string port = std::move(m.devicePortNumber);
    resetModelToDefaults(m, state.product);
    m.devicePortNumber = std::move(port);
    state.dialogs.reset();
    m.currentFilePath.clear();
    host.settingsFileShown({});
    return true;
}

bool openSettingsFile(AppState& state, Host& host) {
    if (!settingsMayBeReplaced(state, host, kAskOpenWithoutSaving)) {
        return false;
    }
    const auto path = host.chooseFile(settingsFileChoice(false));
    if (!path) {
        return false;
    }
    return loadSettingsFrom(state, host, *path);
}

bool loadSettingsFrom(AppState& state, Host& host, const std::string& path) {
    const auto file = readWholeFile(path);
    if (!file.bytes) {
        host.warning(kMsgCantFileOpen);
        return false;
    }
    auto& m = state.model;
    m.currentFilePath = path;
    readSettingsFile(*file.bytes, m, state.product);
    m.dataModified = false;
    host.settingsFileShown(m.currentFilePath);
    return true;
}

bool saveSettingsFile(AppState& state, Host& host) {
    auto& m = state.model;
    if (m.busyStep != 0) {
        return false;
    }
    if (m.currentFilePath.empty()) {
        host.warning(kMsgDontFileOpen);
        return false;
    }
    const std::string path = m.currentFilePath;
    return saveSettingsTo(state, host, path);
}

bool saveSettingsFileAs(AppState& state, Host& host) {
    if (state.model.busyStep != 0) {
        return false;
    }
    const auto chosen = host.chooseFile(settingsFileChoice(true));
    if (!chosen) {
        return false;
    }
    const std::string path = withFileExtension(*chosen, kSettingsExtension);
    // The chooser confirmed overwriting the name it was given, not the one
    // the extension rule made of it.
    if (path != *chosen && pathExists(path) &&
        !host.askYesNo(path + std::string(kOverwriteSuffix), state.traits().productString)) {
        return false;
    }
    return saveSettingsTo(state, host, path);
}

bool saveSettingsTo(AppState& state, Host& host, const std::string& path) {
    auto& m = state.model;
    const auto written = writeFileAtomically(path, writeSettingsFile(m, state.product));
    if (!written.ok()) {
        host.warning(fileWriteFailureText(path, written));
        return false;
    }
    m.currentFilePath = path;
    m.dataModified = false;
    host.settingsFileShown(m.currentFilePath);
    return true;
}

} // namespace tlx
