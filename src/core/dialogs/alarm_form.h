#pragma once

#include "base/feature.h"
#include "dialogs/slave_address_logic.h"
#include "protocol/forward.h"
#include "runs/device_network_read_run.h"
#include "settings/settings_model.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tlx {

// The alarm dialog and the dialogs made in its manner (remote, others and the
// device's network settings) are rows of groups: a value the operator edits
// in the model and a "設定" button that sends it as one command line.

enum class FormFieldKind {
    Choice,     // list box; its index is the model's value, one command per item
    Text,       // edit field holding a model text, checked when sent
    Connectors, // eight page lists No.1..No.8 (the shared connector table)
    Page,       // "001".."512", then "PAS" (index 512)
    Address,    // dotted IPv4 field, read only when its "設定" is pressed
    Display,    // read-only model text; its button starts the dialog's read-back
};

enum class TextRule {
    HoldTime, // leading digits, 3 s or more: "ADT" + three digits (the send-all's own rule)
    Port,     // up to five digits, sent as five after the mnemonic
};

struct FormGroup {
    FormFieldKind kind;
    std::string_view label;
    int controlId;               // the list or field (connectors: No.1; No.n is controlId + n - 1)
    int buttonId;                // its button, 0 when it has none
    std::string_view mnemonic{}; // Text, Connectors, Page, Address
    std::span<const std::string_view> items{};     // Choice
    std::span<const std::string_view> commands{};  // Choice: the line of each item
    std::int32_t SettingsModel::*number = nullptr; // Choice, Page
    std::string SettingsModel::*text = nullptr;    // Text, Display
    Ipv4 SettingsModel::*address = nullptr;        // Address
    std::size_t maxChars = 0;                      // Text
    TextRule rule = TextRule::HoldTime;            // Text
    bool hidden = false;     // kept in the form but out of the operator's reach
    bool modelFOnly = false; // its button does nothing on model S
};

struct FormDescriptor {
    Feature feature;
    std::span<const FormGroup> groups;
    const ReadBackDescriptor* readBack; // started by the Display group's button
    bool enterCloses;                   // Enter ends the dialog like Close
    int progressId;                     // the read-back's progress bar, 0 when none
};

extern const FormDescriptor kAlarmForm;
extern const FormDescriptor kRemoteForm;
extern const FormDescriptor kOthersForm;
extern const FormDescriptor kDeviceNetworkForm;

// The form of a routed feature, null for any other.
const FormDescriptor* formOf(Feature f);

inline constexpr std::string_view kButtonSet = "設定";
inline constexpr std::string_view kButtonRead = "読み込み";
inline constexpr std::string_view kMsgBadAddress = "IPアドレスを正しく入力してください。";
inline constexpr std::string_view kMsgBadPort = "ポート番号を正しく入力してください。";

// "001".."512", with "PAS" after them when asked.
std::vector<std::string> pageItems(bool withPas);

// "192.168.001.003": three digits per octet.
std::string dottedAddress(const Ipv4& a);
// Four parts of one to three digits, each at most 255; nothing otherwise.
std::optional<Ipv4> parseDottedAddress(std::string_view text);

// The line a group's button sends (with CR LF), or nothing when the value is
// refused; the refusal's message, if any, in *refusal.
std::optional<std::string> formCommand(const FormGroup& g, const SettingsModel& m,
                                       std::string_view* refusal);

// The logic of one such dialog over the model: the widget forwards each
// operator action and shows what these accessors return.
class SettingForm {
  public:
    SettingForm(const FormDescriptor& d, AppState& state, Host& host, Transport& transport);

    const FormDescriptor& descriptor() const { return d_; }
    SlaveAddressChoice& slaveAddress() { return slave_; }

    // The selected item of a Choice or Page group, -1 when the model's value
    // is in no item.
    int selection(std::size_t groupIndex) const;
    // The text of a Text, Display or Address group.
    std::string text(std::size_t groupIndex) const;
    // The item showing connector No.(n + 1).
    int connector(std::size_t n) const;

    void choose(std::size_t groupIndex, int index);
    void chooseConnector(std::size_t n, int index);
    // A Text group takes digits only (full-width ones as ASCII); text(groupIndex)
    // then holds what the field is to show.
    void editText(std::size_t groupIndex, std::string_view text);
    // The group's "設定"; an Address group reads fieldText first.
    void pressSet(std::size_t groupIndex, std::string_view fieldText = {});

    // The read-back button: true when the timer is to start.
    bool pressRead();
    ReadBackTick tick();
    bool reading() const { return run_ && run_->running(); }
    int progress() const { return run_ ? run_->progress().bar : 0; }
    bool closeEnabled() const;
    void close();

  private:
    const FormGroup& group(std::size_t i) const { return d_.groups[i]; }

    const FormDescriptor& d_;
    AppState& state_;
    Host& host_;
    Transport& transport_;
    SlaveAddressChoice slave_;
    std::optional<ReadBackRun> run_;
};

} // namespace tlx
