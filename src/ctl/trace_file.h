#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tlx::ctl {

// The file --trace appends the traffic log to. Each line is flushed as it is
// written, so a hung or killed run still shows its last exchange.
class TraceFile {
public:
    // Nothing, and the reason in words, when the file cannot be opened for
    // appending.
    static std::unique_ptr<TraceFile> open(const std::string& path, std::string& reason);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    void writeLine(std::string_view text);

private:
    explicit TraceFile(std::FILE* file) : file_(file) {}
    std::FILE* file_;
};

} // namespace tlx::ctl
