#pragma once

#include "app/slave_address_logic.h"
#include "dialogs/attribute_pages_run.h"
#include "dialogs/page_attribute_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tlx {

struct AppState;
class Host;
class Transport;

// The logic of a per-page attribute dialog: one value (or two) per page,
// edited in the model in place; the page command of the current page, and
// "全設定" as one line holding all 512 pages (model S erase time: a paced
// run of page commands).
class PageAttributeDialog {
  public:
    PageAttributeDialog(const PageAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport);
    ~PageAttributeDialog();
    PageAttributeDialog(const PageAttributeDialog&) = delete;
    PageAttributeDialog& operator=(const PageAttributeDialog&) = delete;

    const PageAttributeDescriptor& descriptor() const { return d_; }
    SlaveAddressChoice& slaveAddress() { return slave_; }
    const SlaveAddressChoice& slaveAddress() const { return slave_; }

    int page() const;
    // -1 when the stored value is not in the list.
    int value(int which) const;
    int allPagesChoice(int which) const;

    // The block of pages around the current page, as drawn on the preview.
    std::vector<PreviewText> preview() const;

    void choosePage(int index);
    void chooseValue(int which, int index);
    void chooseAllPages(int which, int index);
    void sendPage();
    // True when a paced run started and the timer is to run.
    bool pressSendAll();
    bool tick();

    bool transferring() const { return run_.running(); }
    bool closeEnabled() const { return !run_.running(); }
    std::chrono::milliseconds interval() const { return run_.interval(); }
    const RunProgress& progress() const { return run_.progress(); }
    const AttributePagesRun& run() const { return run_; }

    // CR LF included; page is 0-based.
    std::string pageCommand(std::size_t page) const;
    std::string allPagesCommand() const;

  private:
    std::int32_t stored(int which, std::size_t page) const;
    bool knows(int which) const { return which >= 0 && which < d_.valueCount; }
    std::string entry(std::string_view prefix, std::size_t page) const;

    const PageAttributeDescriptor& d_;
    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    AttributePagesRun run_;
    // The all-pages boxes of the dialogs that do not remember preset the
    // memory's value at every opening but follow the choice while open.
    std::array<std::int32_t, 2> shownAllPages_{};
};

} // namespace tlx
