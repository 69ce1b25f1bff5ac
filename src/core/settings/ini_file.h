#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlx {

// An INI document that behaves like the private profile functions: section
// names and keys match without regard to case, the first of duplicate
// sections or keys is the one used, blanks around keys and values do not
// count, and a write changes only its own line, leaving other sections,
// keys, comments and line ends as they were.
class IniDocument {
  public:
    static IniDocument parse(std::string_view bytes);

    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Replaces the key's value, or adds the key at the end of its section, or
    // adds the section at the end of the document. Line breaks in the value
    // are dropped so that it stays one line.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string bytes() const;

  private:
    struct Line {
        std::string text;
        std::string end; // "\r\n", "\n" or "" for a last line without one
    };
    struct Found {
        std::size_t sectionLine; // lines_.size() when the section is missing
        std::size_t keyLine;     // lines_.size() when the key is missing
        std::size_t lastLine;    // the section's last non-blank line
    };
    Found find(std::string_view section, std::string_view key) const;
    static void endWithLineBreak(Line& line);

    std::string bom_;
    std::vector<Line> lines_;
};

// The value as a profile read returns it into a buffer of bufferSize bytes
// (at most bufferSize - 1 of them), or the default when the key is missing.
std::string profileString(const IniDocument& doc, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize);

// A number read as text into a 10-byte buffer (default "0") and converted
// like atoi: leading blanks, an optional sign, digits up to the first other
// character; text without digits reads as 0.
std::int32_t profileNumber(const IniDocument& doc, std::string_view section, std::string_view key);

// One INI file on disk. Every write reads the file afresh, changes its keys
// and replaces the file atomically, creating the folder and the file on the
// first write.
class IniFile {
  public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // A missing or unreadable file reads as an empty document.
    IniDocument load() const;

    bool write(std::string_view section,
               const std::vector<std::pair<std::string, std::string>>& keyValues) const;

  private:
    std::string path_;
};

} // namespace tlx
