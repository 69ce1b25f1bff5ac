#pragma once

#include "dialogs/slave_address_logic.h"
#include "glyphs/glyph_store.h"
#include "protocol/forward.h"
#include "runs/glyph_transfer.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

inline constexpr std::string_view kAskClearUnsaved = "データを保存せずにクリアしますか？";
inline constexpr std::string_view kCaptionBufferClear = "バッファクリア";
inline constexpr std::string_view kAskDeriveSizes = "この外字をベースに他のサイズを作成しますか？";
inline constexpr std::string_view kCaptionDeriveSizes = "他サイズ作成";

// The three editors differ only in these.
struct GlyphEditorDescriptor {
    GlyphSize size;
    int dialogTemplate;
    std::string_view templateTitleF;
    std::string_view templateTitleS;
    std::string_view titleWord; // followed by the connection's address
    int cellWidth;              // one glyph pixel on the grid
    int cellHeight;
    int numberDigits; // of the glyph number selector's items
};

const GlyphEditorDescriptor& glyphEditorDescriptor(GlyphSize size);

// The grid's top-left corner in the coordinates the mouse operations take.
inline constexpr int kEditorGridOrigin = 12;


// The JIS X 0208 code the device knows a Shift-JIS character by: IBM
// extension characters as their NEC-selected equivalents, anything that has
// no code as the full-width space.
std::uint16_t sampleJisCode(std::string_view sjis);


// The glyph editor: one glyph drawn on a magnified grid with the mouse,
// read from the device, registered, and built in the two other sizes.
// Everything drawn goes straight into the glyph store at currentGlyph.
class GlyphEditorLogic {
  public:
    // Opening: the working copy becomes the stored glyph at currentGlyph.
    GlyphEditorLogic(const GlyphEditorDescriptor& d, AppState& state, Host& host,
                     Transport& transport);

    const GlyphEditorDescriptor& descriptor() const { return d_; }
    std::string title(std::string_view address) const;

    std::vector<std::string> numberItems() const;
    int currentNumber() const; // the selected item: currentGlyph
    void chooseNumber(int item);
    SlaveAddressChoice& slaveAddress() { return slave_; }

    // Mouse, in coordinates with the grid's corner at kEditorGridOrigin. Each
    // returns true when the grid is to be redrawn. A move while a button is
    // down draws every pixel on the straight line from the last position, so
    // a quick drag leaves no gaps.
    bool leftDown(int x, int y);
    bool rightDown(int x, int y);
    void leftUp() { leftDrag_ = false; }
    void rightUp() { rightDrag_ = false; }
    bool move(int x, int y);
    bool leftDragging() const { return leftDrag_; }
    bool rightDragging() const { return rightDrag_; }

    // The working copy (its meaningful digits) and one of its pixels.
    std::string_view workingGlyph() const;
    bool pixel(int x, int y) const;

    // "バッファクリア": true when the glyph was cleared.
    bool clearBuffer();
    // "登録": after the operator's confirmation.
    void registerGlyph();
    // "リード" by glyph number.
    void readByNumber();
    // The sample field: the Shift-JIS bytes typed; fewer than two bytes
    // leave no sample.
    void setSample(std::string_view sjis);
    const std::string& sample() const { return sample_; }
    // "リード" of the sample character's bitmap.
    void readSample();
    // "他のサイズ作成": true when the other sizes were built.
    bool deriveSizes();

    // Close: a read still awaited is given up.
    void close();

  private:
    bool apply(int x, int y, bool lit);
    // A button goes down: the left one lights pixels, the right one clears.
    bool press(int x, int y, bool lit);
    bool stroke(int x, int y, bool lit);
    void storeWorkingGlyph();
    void read(std::uint16_t code);
    std::string& buffer();

    const GlyphEditorDescriptor& d_;
    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    bool leftDrag_ = false;
    bool rightDrag_ = false;
    int lastX_ = 0; // the mouse at the last press or move
    int lastY_ = 0;
    std::string sample_;
};

} // namespace tlx
