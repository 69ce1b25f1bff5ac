#include "settings/settings_file_name.h"

namespace tlx {

std::string withFileExtension(std::string path, std::string_view extension) {
    if (path.find(extension, 1) == std::string::npos) {
        path += extension;
    }
    return path;
}

} // namespace tlx
