#include "settings/ini_file.h"

#include "base/settings_file_io.h"

#include <filesystem>
#include <system_error>

namespace tlx {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

enum class LineKind { Other, Section, Key };

struct Parsed {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key
    std::string_view value; // key lines only
};

Parsed classify(std::string_view text) {
    Parsed p;
    const std::string_view t = trim(text);
    if (t.empty() || t.front() == ';') {
        return p;
    }
    if (t.front() == '[') {
        const auto close = t.find(']');
        p.kind = LineKind::Section;
        p.name =
            trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return p;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        return p;
    }
    p.kind = LineKind::Key;
    p.name = trim(t.substr(0, eq));
    p.value = trim(t.substr(eq + 1));
    if (p.value.size() >= 2 && (p.value.front() == '"' || p.value.front() == '\'') &&
        p.value.back() == p.value.front()) {
        p.value = p.value.substr(1, p.value.size() - 2);
    }
    return p;
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        doc.bom_.assign(bytes.substr(0, 3));
        bytes.remove_prefix(3);
    }
    while (!bytes.empty()) {
        const auto lf = bytes.find('\n');
        std::string_view text = bytes.substr(0, lf);
        std::string_view end = lf == std::string_view::npos ? "" : "\n";
        bytes = lf == std::string_view::npos ? std::string_view{} : bytes.substr(lf + 1);
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
            end = end.empty() ? "\r" : "\r\n";
        }
        doc.lines_.push_back(Line{std::string(text), std::string(end)});
    }
    return doc;
}

IniDocument::Found IniDocument::find(std::string_view section, std::string_view key) const {
    const std::size_t none = lines_.size();
    Found f{none, none, none};
    bool inside = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Parsed p = classify(lines_[i].text);
        if (p.kind == LineKind::Section) {
            if (inside) {
                break; // only the first section of that name counts
            }
            if (sameName(p.name, section)) {
                inside = true;
                f.sectionLine = i;
                f.lastLine = i;
            }
            continue;
        }
        if (!inside) {
            continue;
        }
        if (!trim(lines_[i].text).empty()) {
            f.lastLine = i;
        }
        if (p.kind == LineKind::Key && f.keyLine == none && sameName(p.name, key)) {
            f.keyLine = i;
        }
    }
    return f;
}

std::optional<std::string_view> IniDocument::value(std::string_view section,
                                                   std::string_view key) const {
    const Found f = find(section, key);
    if (f.keyLine == lines_.size()) {
        return std::nullopt;
    }
    return classify(lines_[f.keyLine].text).value;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    for (char c : value) {
        if (c != '\r' && c != '\n') {
            line += c;
        }
    }
    const Found f = find(section, key);
    if (f.keyLine != lines_.size()) {
        lines_[f.keyLine].text = std::move(line);
        return;
    }
    if (f.sectionLine != lines_.size()) {
        endWithLineBreak(lines_[f.lastLine]);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(f.lastLine + 1),
                      Line{std::move(line), "\r\n"});
        return;
    }
    if (!lines_.empty()) {
        endWithLineBreak(lines_.back());
    }
    std::string header = "[";
    header += section;
    header += ']';
    lines_.push_back(Line{std::move(header), "\r\n"});
    lines_.push_back(Line{std::move(line), "\r\n"});
}

void IniDocument::endWithLineBreak(Line& line) {
    // A last line ending in nothing or in a lone CR would run into the line
    // added after it.
    if (line.end.find('\n') == std::string::npos) {
        line.end = "\r\n";
    }
}

std::string IniDocument::bytes() const {
    std::string out = bom_;
    for (const auto& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::string profileString(const IniDocument& doc, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) {
    const auto v = doc.value(section, key);
    const std::string_view text = v ? *v : defaultValue;
    return std::string(text.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
}

std::int32_t profileNumber(const IniDocument& doc, std::string_view section, std::string_view key) {
    // Nine characters cannot overflow 32 bits.
    const std::string text = profileString(doc, section, key, "0", 10);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int32_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

IniDocument IniFile::load() const {
    const auto file = readWholeFile(path_);
    return file.bytes ? IniDocument::parse(*file.bytes) : IniDocument{};
}

bool IniFile::write(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& keyValues) const {
    if (path_.empty()) {
        return false;
    }
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    IniDocument doc;
    if (pathExists(path_)) {
        const auto file = readWholeFile(path_);
        if (!file.bytes) {
            return false; // rewriting an unreadable file would lose its other keys
        }
        doc = IniDocument::parse(*file.bytes);
    }
    for (const auto& [key, value] : keyValues) {
        doc.set(section, key, value);
    }
    return writeFileAtomically(path_, doc.bytes()).ok();
}

} // namespace tlx
