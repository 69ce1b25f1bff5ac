#pragma once

#include "dialogs/attribute_dialog.h"
#include "dialogs/page_attribute_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tlx {

// The logic of a per-page attribute dialog: one value (or two) per page,
// edited in the model in place; the page command of the current page, and
// "全設定" as one line holding all 512 pages (model S erase time: a paced
// run of page commands).
class PageAttributeDialog final : public AttributeDialog {
  public:
    PageAttributeDialog(const PageAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport);

    const PageAttributeDescriptor& descriptor() const { return d_; }

    int value(int which) const override;
    int allPagesChoice(int which) const override;

    // The block of pages around the current page.
    std::vector<PreviewText> preview() const override;

    void chooseValue(int which, int index) override;
    void chooseAllPages(int which, int index) override;
    bool pressSendAll() override;

    std::string pageCommand(std::size_t page) const override;
    std::string allPagesCommand() const;

  private:
    std::int32_t stored(int which, std::size_t page) const;
    bool knows(int which) const { return which >= 0 && which < d_.valueCount; }
    std::string entry(std::string_view prefix, std::size_t page) const;

    const PageAttributeDescriptor& d_;
    // The all-pages boxes of the dialogs that do not remember preset the
    // memory's value at every opening but follow the choice while open.
    std::array<std::int32_t, 2> shownAllPages_{};
};

} // namespace tlx
