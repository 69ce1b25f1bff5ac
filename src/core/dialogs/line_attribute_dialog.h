#pragma once

#include "app/slave_address_logic.h"
#include "dialogs/attribute_pages_run.h"
#include "dialogs/line_attribute_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tlx {

struct AppState;
class Host;
class Transport;

// The logic of a per-line attribute dialog (model F): it shows one page of
// the model at a time, edits the attribute of the current line, of all lines
// of the page or of all pages in the model in place, and sends one line, one
// page, or all pages as a paced run.
class LineAttributeDialog {
  public:
    LineAttributeDialog(const LineAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport);
    ~LineAttributeDialog();
    LineAttributeDialog(const LineAttributeDialog&) = delete;
    LineAttributeDialog& operator=(const LineAttributeDialog&) = delete;

    const LineAttributeDescriptor& descriptor() const { return d_; }
    SlaveAddressChoice& slaveAddress() { return slave_; }
    const SlaveAddressChoice& slaveAddress() const { return slave_; }

    // What the boxes show. value() is -1 when the stored value is not in the
    // list (the box then shows no selection).
    int page() const;
    int line() const;
    int value(int which) const;
    int allPagesChoice(int which) const;
    int allLinesChoice(int which) const;

    // The page's ten values as drawn on the preview frame.
    std::vector<PreviewText> preview() const;

    // Operator actions. A list box acts only on a changed selection; an index
    // outside its list is ignored.
    void choosePage(int index);
    void chooseLine(int index);
    void chooseValue(int which, int index);
    void chooseAllPages(int which, int index);
    void chooseAllLines(int which, int index);
    void sendLine();
    void sendPage();
    // "全設定": true when the run started and the timer is to run.
    bool pressSendAll();
    // One tick of the run's timer: true while the run goes on.
    bool tick();

    bool transferring() const { return run_.running(); }
    bool closeEnabled() const { return !run_.running(); }
    std::chrono::milliseconds interval() const { return run_.interval(); }
    const RunProgress& progress() const { return run_.progress(); }
    const AttributePagesRun& run() const { return run_; }

    // The commands, CR LF included; page and line are 0-based.
    std::string lineCommand(std::size_t page, std::size_t line) const;
    std::string pageCommand(std::size_t page) const;

  private:
    std::int32_t stored(int which, std::size_t page, std::size_t line) const;
    AllSameMemory& memory(int which) const;
    bool knows(int which) const { return which >= 0 && which < d_.valueCount; }

    const LineAttributeDescriptor& d_;
    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    AttributePagesRun run_;
};

} // namespace tlx
