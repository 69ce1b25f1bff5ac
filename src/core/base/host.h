#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlx {

enum class MessageKind { Notice, Error, Warning };

inline constexpr std::string_view kCaptionSuccess = "Success";
inline constexpr std::string_view kCaptionError = "Error";

struct FileFilter {
    std::string label;   // e.g. "データ(*.dat)"
    std::string pattern; // e.g. "*.dat"
};

struct FileChoice {
    bool save = false; // save chooser (confirms overwriting) or open chooser (file must exist)
    std::string title;
    std::vector<FileFilter> filters;
    std::string initialPath;
};

// What the core asks of the user interface. Every message box is preceded by
// the beep; the implementation decides how (and, while a reply is being
// dispatched, queues the box until the dispatch returns).
class Host {
public:
    virtual ~Host() = default;
    virtual void showMessage(MessageKind kind, std::string_view text, std::string_view caption) = 0;
    virtual bool askYesNo(std::string_view text, std::string_view caption) = 0;
    virtual std::optional<std::string> chooseFile(const FileChoice& choice) = 0;
    // The glyph editor's working copy changed from a device reply.
    virtual void glyphEditorChanged() {}
    // The settings file now current, shown where the operator sees it; an
    // empty path shows the "File Name" placeholder.
    virtual void settingsFileShown(std::string_view /*path*/) {}

    void notice(std::string_view text) { showMessage(MessageKind::Notice, text, kCaptionSuccess); }
    void error(std::string_view text) { showMessage(MessageKind::Error, text, kCaptionError); }
    void warning(std::string_view text) { showMessage(MessageKind::Warning, text, kCaptionError); }
};

} // namespace tlx
