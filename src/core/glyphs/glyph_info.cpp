#include "glyphs/glyph_info.h"

namespace tlx {

std::array<std::string_view, 5> glyphInfoLines(Product p) {
    if (p == Product::S) {
        return {"外字ファイルの拡張子は､", "大文字TLL　中文字TLM　小文字TLSです。",
                "マウス左ボタン ダブルクリックで外字作成画面",
                "マウス右ボタン ダブルクリックでbmpファイルを作成します。",
                "※外字操作は､自動切換え時に行わないでください。"};
    }
    return {"外字ファイルの拡張子は､", "大文字TLL　中文字TLM　小文字TLSです。",
            "マウス左ボタン ダブルクリックで編集画面",
            "マウス右ボタン ダブルクリックでBMPファイルを作成します。",
            "※外字操作は､自動切換え時に行わないでください。"};
}

} // namespace tlx
