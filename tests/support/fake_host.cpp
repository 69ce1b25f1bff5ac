#include "support/fake_host.h"

namespace tlx::test {

void FakeHost::showMessage(MessageKind kind, std::string_view text, std::string_view caption) {
    messages.push_back({kind, std::string(text), std::string(caption)});
}

bool FakeHost::askYesNo(std::string_view text, std::string_view caption) {
    questions.push_back({MessageKind::Notice, std::string(text), std::string(caption)});
    if (answers.empty()) {
        return true;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<std::string> FakeHost::chooseFile(const FileChoice& choice) {
    fileChoices.push_back(choice);
    if (chosenFiles.empty()) {
        return std::nullopt;
    }
    auto f = chosenFiles.front();
    chosenFiles.pop_front();
    return f;
}

std::vector<std::string> FakeHost::texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) {
        out.push_back(m.text);
    }
    return out;
}

} // namespace tlx::test
