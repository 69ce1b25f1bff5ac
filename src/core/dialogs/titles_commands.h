#pragma once

#include "protocol/forward.h"

#include <string>
#include <string_view>
#include <vector>

namespace tlx {

class SjisCodec;

// The titles in bulk from the desktop's tools menu: the text form of
// titles_file.h written to and read from a file the operator chooses.

inline constexpr std::string_view kTitlesOverviewTitle = "タイトル一覧";
inline constexpr std::string_view kTitlesExportTitle = "タイトルの書き出し";
inline constexpr std::string_view kTitlesImportTitle = "タイトルの読み込み";
inline constexpr std::string_view kAskReplaceAllTitles =
    "ファイルにないタイトルをすべて消去しますか？\n"
    "（いいえ: ファイルにあるタイトルだけを置き換えます）";
inline constexpr std::string_view kTitlesRefused =
    "読み込めない行があります。タイトルは何も変わっていません。";
inline constexpr std::string_view kNoSjisConversion =
    "この環境では Shift-JIS（コードページ 932）の変換ができません。";

// Chooses a file and writes every title to it: CSV when the name ends in
// ".csv", else TSV (".tsv" is added to a name without either ending). A
// title holding bytes that are not text is written with U+FFFD and named in
// a warning. codec may be null (then the operator is told).
void exportTitlesToFile(AppState& state, Host& host, SjisCodec* codec);

// Chooses a file and checks it. When every row is good, asks whether the
// titles the file does not list are to be emptied, applies the rows and marks
// the model modified. Does nothing while a transfer runs. Returns the refused
// rows' texts (nothing was changed) for the caller to list; empty otherwise.
std::vector<std::string> importTitlesFromFile(AppState& state, Host& host, SjisCodec* codec);

} // namespace tlx
