#include "device/device_state_file.h"

#include "device/seeded_state.h"
#include "model/settings_file.h"
#include "model/settings_file_io.h"

namespace tlx::device {

StateFileResult loadDeviceStateFile(const std::string& path, DeviceState& state) {
    StateFileResult result;
    const FileReadResult file = readWholeFile(path);
    if (!file.bytes) {
        result.message = path + ": " + file.reason;
        return result;
    }
    const SettingsReadResult read = readSettingsFile(*file.bytes, state.model, state.product);
    normaliseDeviceState(state);
    result.ok = true;
    result.complete = read.complete() && read.linesRejected == 0 && !read.extraLines;
    if (!result.complete) {
        result.message = path + ": " + describeSettingsFileProblem(read, *file.bytes, state.product);
    }
    return result;
}

StateFileResult saveDeviceStateFile(const std::string& path, const DeviceState& state) {
    StateFileResult result;
    const FileWriteResult written =
        writeFileAtomically(path, writeSettingsFile(state.model, state.product));
    result.ok = written.ok();
    result.complete = result.ok;
    if (!result.ok) {
        result.message = path + ": " + written.reason;
    }
    return result;
}

} // namespace tlx::device
