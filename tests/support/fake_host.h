#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/host.h"

namespace tlx::test {

struct ShownMessage {
    MessageKind kind;
    std::string text;
    std::string caption;
    bool operator==(const ShownMessage&) const = default;
};

// Records every message; answers questions and file choosers from queues.
class FakeHost : public Host {
public:
    void showMessage(MessageKind kind, std::string_view text, std::string_view caption) override;
    bool askYesNo(std::string_view text, std::string_view caption) override;
    std::optional<std::string> chooseFile(const FileChoice& choice) override;
    void glyphEditorChanged() override { ++glyphEditorRefreshes; }

    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> questions;
    std::vector<FileChoice> fileChoices;
    std::deque<bool> answers;                        // empty: answer yes
    std::deque<std::optional<std::string>> chosenFiles; // empty: cancelled
    int glyphEditorRefreshes = 0;

    std::vector<std::string> texts() const;
    void clear() { messages.clear(); }
};

} // namespace tlx::test
