#pragma once

#include <optional>
#include <string>

namespace tlx {

// The POSIX side of settings_file_io.h.

// The configuration folder of the XDG rule: $XDG_CONFIG_HOME when it is an
// absolute path, else $HOME/.config; nothing when neither gives a folder.
std::optional<std::string> xdgConfigFolder(const char* xdgConfigHome, const char* home);

} // namespace tlx
