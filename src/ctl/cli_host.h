#pragma once

#include <functional>
#include <string>

#include "base/host.h"

namespace tlx::ctl {

// What went wrong, in the order of the exit statuses.
enum class Failure { None = 0, Refused = 1, Usage = 2, Link = 3 };

// The command-line tool's Host: messages go to stderr in English (with the
// program's own text), and each is classed as a refusal or a link failure.
class CliHost : public Host {
public:
    void showMessage(MessageKind kind, std::string_view text, std::string_view caption) override;
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> chooseFile(const FileChoice&) override { return std::nullopt; }

    Failure failure() const { return failure_; }
    void fail(Failure f, const std::string& message);
    void clearFailure() { failure_ = Failure::None; }
    bool noConnect() const { return noConnect_; }
    // The first message that was not a notice, as the core raised it.
    const std::string& firstFailure() const { return firstFailure_; }
    bool verbose = false;
    // Sees every message the core raises, before it is shown.
    std::function<void(std::string_view text)> onMessage;

private:
    void worst(Failure f);
    Failure failure_ = Failure::None;
    bool noConnect_ = false;
    std::string firstFailure_;
};

// The English explanation of a message the core raises.
std::string explain(std::string_view text, Failure* failure);

} // namespace tlx::ctl
