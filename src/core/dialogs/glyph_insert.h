#pragma once

#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"

#include <string>
#include <string_view>
#include <vector>

namespace tlx {

enum class InsertSize { Large = 0, Medium = 1, Small = 2 };

// "外字挿入": tells the device to put a registered glyph into a title line
// at a character position. The page and line are the setting dialogs'
// shared ones, the glyph number is currentGlyph, and the size and position
// are remembered in the glyph store for the next opening.
class GlyphInsertLogic {
  public:
    GlyphInsertLogic(AppState& state, Host& host, Transport& transport);

    bool hasLine() const; // model S has no line selector

    std::vector<std::string> pageItems() const;
    std::vector<std::string> lineItems() const;
    static std::vector<std::string> sizeItems();
    std::vector<std::string> glyphItems() const;
    std::vector<std::string> positionItems() const;

    int page() const;
    int line() const;
    InsertSize size() const;
    int glyph() const;
    int position() const;

    void choosePage(int item);
    void chooseLine(int item);
    // The size rule: the glyph and position lists follow the size, and a
    // choice beyond the new list goes back to the first item.
    void chooseSize(InsertSize size);
    void chooseGlyph(int item);
    void choosePosition(int item);

    SlaveAddressChoice& slaveAddress() { return slave_; }

    std::string command() const; // with CR LF
    // "設定": sends the command; a missing connection is reported by the send.
    void send();

  private:
    int glyphCount() const;
    int positionCount() const;

    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
};

} // namespace tlx
