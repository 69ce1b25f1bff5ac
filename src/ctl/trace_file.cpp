#include "trace_file.h"

#include <cerrno>
#include <cstring>

namespace tlx::ctl {

std::unique_ptr<TraceFile> TraceFile::open(const std::string& path, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<TraceFile>(new TraceFile(file));
}

TraceFile::~TraceFile() { std::fclose(file_); }

void TraceFile::writeLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace tlx::ctl
