#pragma once

#include "base/host.h"
#include "dialogs/slave_address_logic.h"
#include "glyphs/glyph_store.h"
#include "protocol/forward.h"
#include "runs/glyph_transfer.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// The three glyph lists differ only in these.
struct GlyphListDescriptor {
    GlyphSize size;
    int dialogTemplate;
    std::string_view templateTitleF;
    std::string_view templateTitleS;
    std::string_view titleWordF; // followed by the connection's address
    std::string_view titleWordS;
    int columns;
    int rows;
    int pages;
    int pageNumberWidth; // of the numbers in the page selector's items
    std::string_view exportSizeWord; // "大文字" ...
    std::string_view exportPrefix;   // proposed picture name: "gl01.bmp" ...
    int numberDigits;                // of the glyph number in the picture's name and title
};

const GlyphListDescriptor& glyphListDescriptor(GlyphSize size);

// The cell grid of a list, in the coordinates of the area that holds it.
struct GlyphCellGeometry {
    static constexpr int pitch = 114;     // from one column to the next
    static constexpr int left = 12;       // of column 0
    static constexpr int topRow = 11;
    static constexpr int bottomRow = 158;
    // A cell holds a large glyph at twice its size, whole: 96 x 96.
    static constexpr int width = 96;
    static constexpr int height = 96;
    // A double click counts on x 12 .. 106 and y 11 .. 105 / 158 .. 252 of
    // a cell, as it always has.
    static constexpr int hitWidth = 95;
    static constexpr int hitHeight = 95;
};

// The cell under the pointer, or nothing between and beside the cells.
std::optional<int> glyphCellAt(const GlyphListDescriptor& d, int x, int y);

// A glyph list: one size class of the glyph store page by page, its list
// file, picture export, the editor's entry, and whole-table transfers.
class GlyphListLogic {
  public:
    // Opening: the editor's working copy is cleared and the shared page is
    // brought within this list.
    GlyphListLogic(const GlyphListDescriptor& d, AppState& state, Host& host, Transport& transport);

    const GlyphListDescriptor& descriptor() const { return d_; }
    std::string title(std::string_view address) const;

    std::vector<std::string> pageItems() const;
    int page() const;
    void choosePage(int page);
    int cellsPerPage() const { return d_.columns * d_.rows; }
    // The glyph index shown in a cell of the current page, or -1 past the table.
    int glyphOfCell(int cell) const;
    std::string cellLabel(int cell) const; // "No.7"
    std::string_view cellGlyph(int cell) const;

    SlaveAddressChoice& slaveAddress() { return slave_; }

    // A left double click on a cell: true when the editor is to open, with
    // currentGlyph on the cell's glyph.
    bool openEditor(int cell);
    // A right double click on a cell: the cell's picture (the glyph drawn at
    // twice its size on the cell's background) goes to a chosen BMP file.
    bool exportPicture(int cell, int cellWidth, int cellHeight, std::uint32_t background);
    // The chooser the export offers for a glyph index.
    FileChoice pictureFileChoice(int index) const;

    // The table and its file; each does nothing while a transfer runs, so
    // the table is not changed under a registration.
    bool clearBuffer();
    bool openFile();
    bool saveFile();
    bool saveFileAs();

    // "リード" and "登録" of the whole table: true when the timer is to start.
    bool pressRead();
    bool pressRegister();
    // One timer tick of a running transfer; false when it has ended. A
    // transfer cut short says where it stopped.
    bool tick();
    const GlyphTransferRun& transfer() const { return run_; }
    bool glyphArrived() { return run_.glyphArrived(); }
    bool transferring() const;

    // Close: refused (false) while a transfer runs.
    bool close();
    // The dialog goes away whatever runs (the program ends).
    void abandon();

  private:
    bool writeTable(const std::string& path);
    std::vector<std::string>& table();

    const GlyphListDescriptor& d_;
    AppState& state_;
    Host& host_;
    SlaveAddressChoice slave_;
    GlyphTransferRun run_;
};

} // namespace tlx
