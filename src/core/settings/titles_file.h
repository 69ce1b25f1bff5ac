#pragma once

#include "base/product.h"
#include "settings/settings_model.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

class SjisCodec;

// Every title as UTF-8 text for spreadsheets and text editors: a header line,
// then one row per non-empty title in page and line order. Model F rows are
// page, line, text; model S rows are page, text (one string per page). A user
// glyph in a title is written {G:v} with v its stored code in decimal; "{{"
// stands for "{". TSV has no quoting (a title holds no tab or line break);
// CSV quotes as RFC 4180 does.
enum class TitlesFormat { Tsv, Csv };

// ".csv" at the end of the name (any case) is CSV; anything else TSV.
TitlesFormat titlesFormatOf(std::string_view path);

// No real titles file comes near this (5,120 full lines take about 1.2 MB);
// anything larger is refused before it is read or shown anywhere.
inline constexpr std::size_t kMaxTitlesFileBytes = std::size_t{4} * 1024 * 1024;
inline constexpr std::size_t kMaxReportedRowErrors = 100;

// Longest text of a row, in Shift-JIS bytes: the line (F) or the page as it
// is sent (S).
std::size_t titleRowLimit(Product p);

struct TitlesExport {
    std::string bytes;
    // Pages (and lines) whose title holds bytes that are not Shift-JIS text:
    // each such byte is written as U+FFFD, which an import refuses.
    std::vector<std::pair<std::size_t, std::size_t>> unreadable; // 0-based
};

TitlesExport exportTitles(const SettingsModel& model, Product p, TitlesFormat format,
                          SjisCodec& codec);

enum class TitleRowProblem {
    TooLarge,   // the whole file (line 0)
    NotUtf8,
    Header,     // the first line is not this model's header
    OtherModel, // the first line is the other model's header
    Columns,    // detail: the number of columns found
    Quote,      // CSV: a quoted field not closed, or followed by more text
    Page,       // detail: the field
    Line,       // detail: the field
    GlyphToken, // detail: the token
    Control,    // a tab, line break or control character in the text
    Jis,        // detail: the character
    TooLong,    // detail: the text's length in Shift-JIS bytes
};

struct TitleRowError {
    std::size_t fileLine = 0; // the header is line 1; 0 for the whole file
    TitleRowProblem problem = TitleRowProblem::Header;
    std::string detail;
};

// A later row names a page (and line) an earlier row named: the later wins.
struct TitleRowDuplicate {
    std::size_t fileLine = 0;
    std::size_t earlierLine = 0;
    std::size_t page = 0; // 0-based
    std::size_t line = 0; // 0-based; 0 for model S
};

struct TitleRow {
    std::size_t page = 0; // 0-based
    std::size_t line = 0; // 0-based; 0 for model S
    std::string text;     // stored Shift-JIS bytes with glyph units
};

struct TitlesImport {
    std::vector<TitleRow> rows;        // every checked row, in file order
    std::vector<TitleRowError> errors; // the first kMaxReportedRowErrors
    std::size_t errorCount = 0;        // every refused row
    std::vector<TitleRowDuplicate> duplicates;
    std::string readFailure; // the file could not be read: why (no rows were checked)
    bool ok() const { return errorCount == 0 && readFailure.empty(); }
};

// Checks every row of a titles file (TSV or CSV, told apart by the header;
// UTF-8 with or without a byte order mark; LF or CR LF) without touching any
// model. Empty lines are skipped.
TitlesImport parseTitles(std::string_view bytes, Product p, SjisCodec& codec);

// parseTitles of a file's contents; a file larger than kMaxTitlesFileBytes
// is refused (TooLarge) without being read whole.
TitlesImport readTitlesFile(const std::string& path, Product p, SjisCodec& codec);

// The checked rows into the model, the last row of a page (and line) winning.
// replaceAll empties every title first. Nothing when the import failed.
// Only titles change; marking the model modified is the caller's choice.
void applyTitles(const TitlesImport& import, SettingsModel& model, Product p, bool replaceAll);

// One problem as the operator reads it, with its line number: English for
// the command line, Japanese for the desktop.
enum class TitlesLanguage { English, Japanese };
std::string titleRowErrorText(const TitleRowError& e, Product p, TitlesLanguage language);
std::string titleDuplicateText(const TitleRowDuplicate& d, Product p, TitlesLanguage language);

} // namespace tlx
