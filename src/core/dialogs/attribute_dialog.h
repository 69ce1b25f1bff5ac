#pragma once

#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"
#include "runs/attribute_pages_run.h"
#include "settings/attribute_values.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace tlx {

// What the per-line and per-page attribute dialogs share: the current page,
// the slave address box, the page command and "全設定" as a paced run of page
// commands. Each family adds its own boxes and commands.
class AttributeDialog {
  public:
    virtual ~AttributeDialog();
    AttributeDialog(const AttributeDialog&) = delete;
    AttributeDialog& operator=(const AttributeDialog&) = delete;

    SlaveAddressChoice& slaveAddress() { return slave_; }
    const SlaveAddressChoice& slaveAddress() const { return slave_; }

    int page() const;
    // -1 when the stored value is not in the list (the box then shows no
    // selection).
    virtual int value(int which) const = 0;
    virtual int allPagesChoice(int which) const = 0;
    // As drawn on the preview frame.
    virtual std::vector<PreviewText> preview() const = 0;

    // Operator actions. A list box acts only on a changed selection; an index
    // outside its list is ignored.
    void choosePage(int index);
    virtual void chooseValue(int which, int index) = 0;
    virtual void chooseAllPages(int which, int index) = 0;
    void sendPage();
    // "全設定": true when a paced run started and the timer is to run.
    virtual bool pressSendAll();
    // One tick of the run's timer: true while the run goes on.
    bool tick();

    bool transferring() const { return run_.running(); }
    bool closeEnabled() const { return !run_.running(); }
    std::chrono::milliseconds interval() const { return run_.interval(); }
    const RunProgress& progress() const { return run_.progress(); }
    const AttributePagesRun& run() const { return run_; }

    // CR LF included; page is 0-based.
    virtual std::string pageCommand(std::size_t page) const = 0;

  protected:
    AttributeDialog(AppState& state, Host& host, Transport& transport,
                    std::chrono::milliseconds transferInterval);

    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    AttributePagesRun run_;
};

} // namespace tlx
