#include "settings/titles_file.h"

#include "base/settings_file_io.h"
#include "base/sjis_codec.h"
#include "settings/title_code.h"
#include "settings/title_encoder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <system_error>
#include <unordered_map>

namespace tlx {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

std::uint8_t byteAt(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

bool isLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Single bytes that code page 932 reads as a character of their own: ASCII
// without its control characters, and half-width katakana.
bool isSingleCharacter(std::uint8_t b) {
    return (b >= 0x20 && b < 0x7F) || (b >= 0xA1 && b <= 0xDF);
}

bool isControl(std::uint8_t b) { return b < 0x20 || b == 0x7F; }

// The length of the UTF-8 sequence at i, or 0 when it is not valid UTF-8
// (overlong forms and surrogates included).
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const std::uint8_t b = byteAt(s, i);
    if (b < 0x80) {
        return 1;
    }
    std::size_t n = 0;
    std::uint8_t lo = 0x80;
    std::uint8_t hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        lo = b == 0xE0 ? 0xA0 : 0x80;
        hi = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        lo = b == 0xF0 ? 0x90 : 0x80;
        hi = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + n > s.size()) {
        return 0;
    }
    const std::uint8_t second = byteAt(s, i + 1);
    if (second < lo || second > hi) {
        return 0;
    }
    for (std::size_t k = 2; k < n; ++k) {
        if ((byteAt(s, i + k) & 0xC0u) != 0x80) {
            return 0;
        }
    }
    return n;
}

// At most n bytes of UTF-8 text, never cutting a character.
std::string clipped(std::string_view s, std::size_t n) {
    std::size_t end = 0;
    while (end < s.size()) {
        const std::size_t k = std::max<std::size_t>(utf8Length(s, end), 1);
        if (end + k > n) {
            break;
        }
        end += k;
    }
    return std::string(s.substr(0, end));
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Length(s, i);
        if (n == 0) {
            return false;
        }
        i += n;
    }
    return true;
}

// ---------------------------------------------------------------- export

void appendDecoded(std::string& out, std::string_view run, SjisCodec& codec, bool& unreadable) {
    if (run.empty()) {
        return;
    }
    std::string utf8;
    if (!codec.sjisToUtf8(run, utf8)) {
        // Character by character, so that only what cannot be read is lost.
        for (std::size_t i = 0; i < run.size();) {
            const std::size_t n = isLeadByte(byteAt(run, i)) && i + 1 < run.size() ? 2 : 1;
            if (!codec.sjisToUtf8(run.substr(i, n), utf8)) {
                utf8 += kReplacement;
                unreadable = true;
            }
            i += n;
        }
    }
    for (const char c : utf8) {
        out += c;
        if (c == '{') {
            out += '{';
        }
    }
}

// The stored title as UTF-8 with glyph tokens.
std::string titleToUtf8(std::string_view stored, SjisCodec& codec, bool& unreadable) {
    std::string out;
    std::size_t runStart = 0;
    std::size_t i = 0;
    auto flush = [&] {
        appendDecoded(out, stored.substr(runStart, i - runStart), codec, unreadable);
    };
    while (i < stored.size()) {
        const std::uint8_t b = byteAt(stored, i);
        if (i + 1 < stored.size()) {
            const auto unit = static_cast<std::uint16_t>(b << 8 | byteAt(stored, i + 1));
            if (isGlyphUnit(unit)) {
                flush();
                out += "{G:" + std::to_string(unit) + "}";
                i += 2;
                runStart = i;
                continue;
            }
            if (isLeadByte(b)) {
                i += 2;
                continue;
            }
        }
        if (isSingleCharacter(b)) {
            i += 1;
            continue;
        }
        flush();
        out += kReplacement;
        unreadable = true;
        i += 1;
        runStart = i;
    }
    flush();
    return out;
}

void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

// ---------------------------------------------------------------- records

struct Record {
    std::size_t line = 0; // where the record begins, 1-based
    std::vector<std::string> fields;
    bool quoteError = false;
};

// Splits the text into records. TSV: one line each, fields between tabs.
// CSV: RFC 4180 fields, a quoted field may run over line ends.
class RecordReader {
  public:
    RecordReader(std::string_view text, TitlesFormat format) : text_(text), format_(format) {}

    bool next(Record& r) {
        if (pos_ >= text_.size()) {
            return false;
        }
        r.line = line_;
        r.fields.clear();
        r.quoteError = false;
        if (format_ == TitlesFormat::Tsv) {
            readTsv(r);
        } else {
            readCsv(r);
        }
        return true;
    }

  private:
    void endLine() {
        ++line_;
        ++pos_;
    }

    void readTsv(Record& r) {
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        std::string_view lineText = text_.substr(pos_, end - pos_);
        if (!lineText.empty() && lineText.back() == '\r') {
            lineText.remove_suffix(1);
        }
        for (;;) {
            const std::size_t tab = lineText.find('\t');
            r.fields.emplace_back(lineText.substr(0, tab));
            if (tab == std::string_view::npos) {
                break;
            }
            lineText.remove_prefix(tab + 1);
        }
        pos_ = end;
        if (pos_ < text_.size()) {
            endLine();
        }
    }

    bool atRecordEnd() const {
        return pos_ >= text_.size() || text_[pos_] == '\n' ||
               (text_[pos_] == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] == '\n'));
    }

    void finishRecord() {
        if (pos_ < text_.size() && text_[pos_] == '\r') {
            ++pos_;
        }
        if (pos_ < text_.size()) {
            endLine();
        }
    }

    void readCsv(Record& r) {
        for (;;) {
            std::string field;
            if (pos_ < text_.size() && text_[pos_] == '"') {
                ++pos_;
                bool closed = false;
                while (pos_ < text_.size()) {
                    const char c = text_[pos_];
                    if (c == '"') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                            field += '"';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        closed = true;
                        break;
                    }
                    if (c == '\n') {
                        ++line_;
                    }
                    field += c;
                    ++pos_;
                }
                if (!closed || (!atRecordEnd() && text_[pos_] != ',')) {
                    r.quoteError = true;
                    skipRestOfLine();
                    r.fields.push_back(std::move(field));
                    return;
                }
            } else {
                while (!atRecordEnd() && text_[pos_] != ',') {
                    field += text_[pos_];
                    ++pos_;
                }
            }
            r.fields.push_back(std::move(field));
            if (atRecordEnd()) {
                finishRecord();
                return;
            }
            ++pos_; // the comma
        }
    }

    void skipRestOfLine() {
        const std::size_t end = text_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end;
        if (pos_ < text_.size()) {
            endLine();
        }
    }

    std::string_view text_;
    TitlesFormat format_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

// ---------------------------------------------------------------- rows

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

std::string headerKey(const std::vector<std::string>& fields) {
    std::string key;
    for (const std::string& f : fields) {
        for (const char c : trimmed(f)) {
            key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        key += '|';
    }
    return key;
}

std::string headerKeyOf(Product p) { return p == Product::F ? "page|line|text|" : "page|text|"; }

bool number(std::string_view field, std::size_t lo, std::size_t hi, std::size_t& value) {
    const std::string_view s = trimmed(field);
    if (s.empty() || s.size() > 4) {
        return false;
    }
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size() && value >= lo && value <= hi;
}

// The first character of a literal run that cannot become a title character.
std::string refusedCharacter(std::string_view run, SjisCodec& codec) {
    for (std::size_t i = 0; i < run.size();) {
        const std::size_t n = std::max<std::size_t>(utf8Length(run, i), 1);
        const std::string_view c = run.substr(i, n);
        std::string sjis;
        if (!codec.utf8ToSjis(c, sjis) || sjis.size() != 2 ||
            !titleWireCode(static_cast<std::uint16_t>(byteAt(sjis, 0) << 8 | byteAt(sjis, 1)))) {
            return std::string(c);
        }
        i += n;
    }
    return std::string(run.substr(0, 1));
}

// A literal run as title bytes: every character must become a double-byte
// character the device can draw.
bool appendRun(std::string_view run, SjisCodec& codec, std::string& out) {
    const std::size_t old = out.size();
    if (!codec.utf8ToSjis(run, out)) {
        return false;
    }
    for (std::size_t i = old; i < out.size(); i += 2) {
        if (!isLeadByte(byteAt(out, i)) || i + 1 >= out.size() ||
            !titleWireCode(static_cast<std::uint16_t>(byteAt(out, i) << 8 | byteAt(out, i + 1)))) {
            out.resize(old);
            return false;
        }
    }
    return true;
}

// The text field as stored title bytes, or the row's problem.
bool titleFromUtf8(std::string_view text, SjisCodec& codec, std::string& out,
                   TitleRowError& error) {
    std::string run;
    auto flush = [&] {
        if (!appendRun(run, codec, out)) {
            error.problem = TitleRowProblem::Jis;
            error.detail = refusedCharacter(run, codec);
            return false;
        }
        run.clear();
        return true;
    };
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (isControl(static_cast<std::uint8_t>(c))) {
            error.problem = TitleRowProblem::Control;
            return false;
        }
        if (c != '{') {
            run += c;
            ++i;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '{') {
            run += '{';
            i += 2;
            continue;
        }
        const std::size_t close = text.find('}', i);
        const std::string_view token =
            text.substr(i, close == std::string_view::npos ? 12 : close + 1 - i);
        std::size_t value = 0;
        if (close == std::string_view::npos || token.substr(0, 3) != "{G:" ||
            token.find(' ') != std::string_view::npos ||
            !number(token.substr(3, token.size() - 4), 0, kGlyphStoredMax, value)) {
            error.problem = TitleRowProblem::GlyphToken;
            error.detail = clipped(token, 16);
            return false;
        }
        if (!flush()) {
            return false;
        }
        out += static_cast<char>(value >> 8);
        out += static_cast<char>(value & 0xFFu);
        i = close + 1;
    }
    return flush();
}

} // namespace

TitlesFormat titlesFormatOf(std::string_view path) {
    if (path.size() < 4) {
        return TitlesFormat::Tsv;
    }
    std::string tail(path.substr(path.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return tail == ".csv" ? TitlesFormat::Csv : TitlesFormat::Tsv;
}

std::size_t titleRowLimit(Product p) {
    return p == Product::F ? kTitleLineBytes : kTitlePreparedPageBytes;
}

TitlesExport exportTitles(const SettingsModel& model, Product p, TitlesFormat format,
                          SjisCodec& codec) {
    TitlesExport result;
    std::string& out = result.bytes;
    const bool csv = format == TitlesFormat::Csv;
    const char separator = csv ? ',' : '\t';
    // Spreadsheets take a CSV file for UTF-8 only with the mark; RFC 4180 ends
    // its records in CR LF.
    const std::string_view lineEnd = csv ? "\r\n" : "\n";
    if (csv) {
        out += kBom;
    }
    out += p == Product::F ? "page" + std::string(1, separator) + "line" : std::string("page");
    out += separator;
    out += "text";
    out += lineEnd;
    const std::size_t lines = p == Product::F ? kLines : 1;
    for (std::size_t page = 0; page < kPages; ++page) {
        for (std::size_t line = 0; line < lines; ++line) {
            const std::string_view stored =
                p == Product::F ? model.titleText[page][line].view() : model.titlePageText[page].view();
            if (stored.empty()) {
                continue;
            }
            bool unreadable = false;
            const std::string text = titleToUtf8(stored, codec, unreadable);
            if (unreadable) {
                result.unreadable.emplace_back(page, line);
            }
            out += std::to_string(page + 1);
            out += separator;
            if (p == Product::F) {
                out += std::to_string(line + 1);
                out += separator;
            }
            if (csv) {
                appendCsvField(out, text);
            } else {
                out += text;
            }
            out += lineEnd;
        }
    }
    return result;
}

TitlesImport parseTitles(std::string_view bytes, Product p, SjisCodec& codec) {
    TitlesImport result;
    auto refuse = [&](TitleRowError e) {
        if (result.errors.size() < kMaxReportedRowErrors) {
            result.errors.push_back(std::move(e));
        }
        ++result.errorCount;
    };
    if (bytes.size() > kMaxTitlesFileBytes) {
        refuse({0, TitleRowProblem::TooLarge, {}});
        return result;
    }
    if (bytes.substr(0, kBom.size()) == kBom) {
        bytes.remove_prefix(kBom.size());
    }
    const std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
    const TitlesFormat format =
        firstLine.find('\t') != std::string_view::npos ? TitlesFormat::Tsv : TitlesFormat::Csv;
    RecordReader reader(bytes, format);
    Record record;
    const Product other = p == Product::F ? Product::S : Product::F;
    if (!reader.next(record) || headerKey(record.fields) != headerKeyOf(p)) {
        const bool otherModel = !record.fields.empty() && headerKey(record.fields) == headerKeyOf(other);
        refuse({1, otherModel ? TitleRowProblem::OtherModel : TitleRowProblem::Header, {}});
        return result;
    }
    const std::size_t columns = p == Product::F ? 3 : 2;
    const std::size_t limit = titleRowLimit(p);
    std::unordered_map<std::size_t, std::size_t> seen; // page * 10 + line -> file line
    while (reader.next(record)) {
        if (record.fields.size() == 1 && record.fields[0].empty() && !record.quoteError) {
            continue;
        }
        TitleRowError error{record.line, TitleRowProblem::Header, {}};
        auto fail = [&](TitleRowProblem problem, std::string detail) {
            error.problem = problem;
            error.detail = std::move(detail);
            refuse(std::move(error));
        };
        if (record.quoteError) {
            fail(TitleRowProblem::Quote, {});
            continue;
        }
        if (!std::all_of(record.fields.begin(), record.fields.end(),
                         [](const std::string& f) { return isUtf8(f); })) {
            fail(TitleRowProblem::NotUtf8, {});
            continue;
        }
        if (record.fields.size() != columns) {
            fail(TitleRowProblem::Columns, std::to_string(record.fields.size()));
            continue;
        }
        TitleRow row;
        if (!number(record.fields[0], 1, kPages, row.page)) {
            fail(TitleRowProblem::Page, clipped(record.fields[0], 16));
            continue;
        }
        --row.page;
        if (p == Product::F) {
            if (!number(record.fields[1], 1, kLines, row.line)) {
                fail(TitleRowProblem::Line, clipped(record.fields[1], 16));
                continue;
            }
            --row.line;
        }
        if (!titleFromUtf8(record.fields.back(), codec, row.text, error)) {
            refuse(std::move(error));
            continue;
        }
        if (row.text.size() > limit) {
            fail(TitleRowProblem::TooLong, std::to_string(row.text.size()));
            continue;
        }
        const std::size_t key = row.page * kLines + row.line;
        if (const auto [it, fresh] = seen.try_emplace(key, record.line); !fresh) {
            result.duplicates.push_back({record.line, it->second, row.page, row.line});
            it->second = record.line;
        }
        result.rows.push_back(std::move(row));
    }
    if (!result.ok()) {
        result.rows.clear();
    }
    return result;
}

TitlesImport readTitlesFile(const std::string& path, Product p, SjisCodec& codec) {
    const FileReadResult file = readWholeFile(path, kMaxTitlesFileBytes);
    if (file.bytes) {
        return parseTitles(*file.bytes, p, codec);
    }
    TitlesImport result;
    if (file.reason == std::generic_category().message(EFBIG)) {
        result.errors.push_back({0, TitleRowProblem::TooLarge, {}});
        result.errorCount = 1;
    } else {
        result.readFailure = file.reason;
    }
    return result;
}

void applyTitles(const TitlesImport& import, SettingsModel& model, Product p, bool replaceAll) {
    if (!import.ok()) {
        return;
    }
    if (replaceAll) {
        for (auto& page : model.titleText) {
            for (auto& line : page) {
                line.clear();
            }
        }
        for (auto& page : model.titlePageText) {
            page.clear();
        }
    }
    for (const TitleRow& row : import.rows) {
        if (p == Product::F) {
            model.titleText[row.page][row.line].assign(row.text);
        } else {
            model.titlePageText[row.page].assign(row.text);
        }
    }
}

namespace {

struct ProblemText {
    std::string_view english;
    std::string_view japanese;
};

// Indexed by TitleRowProblem; "%" stands for the detail.
constexpr std::array<ProblemText, 12> kProblemTexts{{
    {"the file is larger than 4 MiB: not a titles file",
     "ファイルが大きすぎます（タイトルのファイルは 4 MiB まで）"},
    {"not UTF-8 text", "UTF-8 のテキストではありません"},
    {"the first line must be the header: %", "1 行目は見出し（%）にしてください"},
    {"this is the header of model % titles", "機種 % のタイトルの見出しです"},
    {"% columns where the row needs $", "列が % 個あります（$ 個にしてください）"},
    {"a quoted field is not closed, or text follows its closing quote",
     "引用符で囲んだ欄が閉じていないか、閉じた後に文字があります"},
    {"page \"%\" is not a number 1..512", "ページ「%」は 1～512 の数ではありません"},
    {"line \"%\" is not a number 1..10", "ライン「%」は 1～10 の数ではありません"},
    {"bad glyph token \"%\": write {G:0}..{G:4921}, and {{ for {",
     "外字の書き方「%」が正しくありません（{G:0}～{G:4921}、{ は {{）"},
    {"the text holds a tab, line break or control character",
     "タブ、改行または制御文字が含まれています"},
    {"the character \"%\" is outside JIS levels 1 and 2 (ＪＩＳ第１水準,第２水準以外の字が選択されてます)",
     "ＪＩＳ第１水準,第２水準以外の字が選択されてます「%」"},
    {"the text takes % bytes in Shift-JIS, more than the $ a title holds",
     "Shift-JIS で % バイトあり、$ バイトを超えています"},
}};

std::string filled(std::string_view pattern, std::string_view detail, std::string_view second) {
    std::string out;
    for (const char c : pattern) {
        if (c == '%') {
            out += detail;
        } else if (c == '$') {
            out += second;
        } else {
            out += c;
        }
    }
    return out;
}

std::string linePrefix(std::size_t fileLine, TitlesLanguage language) {
    if (fileLine == 0) {
        return {};
    }
    return language == TitlesLanguage::English ? "line " + std::to_string(fileLine) + ": "
                                               : std::to_string(fileLine) + " 行目: ";
}

} // namespace

std::string titleRowErrorText(const TitleRowError& e, Product p, TitlesLanguage language) {
    const ProblemText& t = kProblemTexts[static_cast<std::size_t>(e.problem)];
    const std::string_view pattern = language == TitlesLanguage::English ? t.english : t.japanese;
    std::string detail = e.detail;
    std::string second;
    switch (e.problem) {
    case TitleRowProblem::Header:
        detail = p == Product::F ? "page, line, text" : "page, text";
        break;
    case TitleRowProblem::OtherModel:
        detail = p == Product::F ? "S" : "F";
        break;
    case TitleRowProblem::Columns:
        second = p == Product::F ? "3" : "2";
        break;
    case TitleRowProblem::TooLong:
        second = std::to_string(titleRowLimit(p));
        break;
    default:
        break;
    }
    return linePrefix(e.fileLine, language) + filled(pattern, detail, second);
}

std::string titleDuplicateText(const TitleRowDuplicate& d, Product p, TitlesLanguage language) {
    const std::string page = std::to_string(d.page + 1);
    const std::string line = std::to_string(d.line + 1);
    const std::string earlier = std::to_string(d.earlierLine);
    if (language == TitlesLanguage::English) {
        const std::string what = p == Product::F ? "page " + page + " line " + line : "page " + page;
        return linePrefix(d.fileLine, language) + what + " is also on line " + earlier +
               "; this later row is used";
    }
    const std::string what = p == Product::F ? "ページ " + page + " ライン " + line : "ページ " + page;
    return linePrefix(d.fileLine, language) + what + " は " + earlier +
           " 行目にもあります（後の行を使います）";
}

} // namespace tlx
