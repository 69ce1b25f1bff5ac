#pragma once

#include "dialogs/attribute_dialog.h"
#include "dialogs/line_attribute_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tlx {

// The logic of a per-line attribute dialog (model F): it shows one page of
// the model at a time, edits the attribute of the current line, of all lines
// of the page or of all pages in the model in place, and sends one line, one
// page, or all pages as a paced run.
class LineAttributeDialog final : public AttributeDialog {
  public:
    LineAttributeDialog(const LineAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport);

    const LineAttributeDescriptor& descriptor() const { return d_; }

    int line() const;
    int value(int which) const override;
    int allPagesChoice(int which) const override;
    int allLinesChoice(int which) const;

    // The page's ten values.
    std::vector<PreviewText> preview() const override;

    void chooseLine(int index);
    void chooseValue(int which, int index) override;
    void chooseAllPages(int which, int index) override;
    void chooseAllLines(int which, int index);
    void sendLine();

    // The commands, CR LF included; page and line are 0-based.
    std::string lineCommand(std::size_t page, std::size_t line) const;
    std::string pageCommand(std::size_t page) const override;

  private:
    std::int32_t stored(int which, std::size_t page, std::size_t line) const;
    // The line's values from pos on, in the given field of each (the line
    // or the page command's); returns the position after them.
    std::size_t writeValues(std::string& out, std::size_t pos, std::size_t page, std::size_t line,
                            WireField LineValue::*field) const;
    AllSameMemory& memory(int which) const;
    // An all-pages or all-lines box: a changed choice is remembered and set
    // on every line of the pages from firstPage up to endPage.
    void fill(int which, int index, std::int32_t AllSameMemory::*choice, std::size_t firstPage,
              std::size_t endPage);
    bool knows(int which) const { return which >= 0 && which < d_.valueCount; }

    const LineAttributeDescriptor& d_;
};

} // namespace tlx
