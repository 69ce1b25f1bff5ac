#include "dialogs/alarm_form.h"

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "runs/send_all_steps.h"

namespace tlx {

std::vector<std::string> pageItems(bool withPas) {
    std::vector<std::string> items;
    items.reserve(kPages + 1);
    for (std::size_t p = 1; p <= kPages; ++p) {
        items.push_back(encode3(static_cast<int>(p)));
    }
    if (withPas) {
        items.emplace_back("PAS");
    }
    return items;
}

std::string dottedAddress(const Ipv4& a) {
    std::string text;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i > 0) {
            text += '.';
        }
        append3(text, a[i]);
    }
    return text;
}

std::optional<Ipv4> parseDottedAddress(std::string_view text) {
    Ipv4 a{};
    std::size_t pos = 0;
    for (std::size_t part = 0; part < a.size(); ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.') {
                return std::nullopt;
            }
            ++pos;
        }
        int value = 0;
        std::size_t digits = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            if (++digits > 3) {
                return std::nullopt;
            }
            value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        if (digits == 0 || value > 255) {
            return std::nullopt;
        }
        a[part] = static_cast<std::uint8_t>(value);
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return a;
}

namespace {

std::optional<std::string> portCommand(std::string_view mnemonic, std::string_view port) {
    if (port.empty() || port.size() > 5) {
        return std::nullopt;
    }
    for (char c : port) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // The device takes exactly five digits; a shorter port means the same
    // number with leading zeros.
    std::string line(mnemonic);
    line.append(5 - port.size(), '0');
    line += port;
    return line + "\r\n";
}

// What a digits-only field keeps of the typed text: ASCII digits, full-width
// digits (an input method left on) as their ASCII twins, nothing else, and
// at most maxChars of them. Never a piece of a multi-byte character.
std::string typedDigits(std::string_view text, std::size_t maxChars) {
    std::string digits;
    for (std::size_t i = 0; i < text.size() && digits.size() < maxChars; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= '0' && c <= '9') {
            digits += static_cast<char>(c);
        } else if (c == 0xEF && i + 2 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0xBC &&
                   static_cast<unsigned char>(text[i + 2]) >= 0x90 &&
                   static_cast<unsigned char>(text[i + 2]) <= 0x99) {
            // U+FF10..U+FF19
            digits += static_cast<char>('0' + (static_cast<unsigned char>(text[i + 2]) - 0x90));
            i += 2;
        }
    }
    return digits;
}

std::optional<std::string> pageCommand(const FormGroup& g, std::int32_t page) {
    if (page == kPagePas) {
        // "POSP" + "AS": the power-on page's automatic switching.
        return std::string(g.mnemonic.substr(0, g.mnemonic.size() - 1)) + "PAS\r\n";
    }
    if (page < 0 || page >= kPagePas) {
        return std::nullopt;
    }
    std::string line(g.mnemonic);
    append3(line, page + 1);
    return line + "\r\n";
}

} // namespace

std::optional<std::string> formCommand(const FormGroup& g, const SettingsModel& m,
                                       std::string_view* refusal) {
    switch (g.kind) {
    case FormFieldKind::Choice: {
        const std::int32_t v = m.*g.number;
        if (v < 0 || static_cast<std::size_t>(v) >= g.commands.size()) {
            return std::nullopt;
        }
        return std::string(g.commands[static_cast<std::size_t>(v)]) + "\r\n";
    }
    case FormFieldKind::Text: {
        auto line = g.rule == TextRule::HoldTime ? holdTimeCommand(m.*g.text)
                                                 : portCommand(g.mnemonic, m.*g.text);
        if (!line && refusal != nullptr) {
            *refusal = g.rule == TextRule::HoldTime ? kMsgHoldTimeTooShort : kMsgBadPort;
        }
        return line;
    }
    case FormFieldKind::Connectors: {
        std::string line(g.mnemonic);
        for (std::int32_t page : m.connectorPages) {
            append3(line, page + 1);
        }
        return line + "\r\n";
    }
    case FormFieldKind::Page:
        return pageCommand(g, m.*g.number);
    case FormFieldKind::Address:
        return std::string(g.mnemonic) + dottedAddress(m.*g.address) + "\r\n";
    case FormFieldKind::Display:
        break;
    }
    return std::nullopt;
}

SettingForm::SettingForm(const FormDescriptor& d, AppState& state, Host& host, Transport& transport)
    : d_(d), state_(state), host_(host), transport_(transport), slave_(state, true) {
    if (d_.readBack != nullptr) {
        run_.emplace(*d_.readBack, state_, host_, transport_);
    }
}

int SettingForm::selection(std::size_t groupIndex) const {
    const FormGroup& g = group(groupIndex);
    if (g.number == nullptr) {
        return -1;
    }
    const std::int32_t v = state_.model.*g.number;
    const std::size_t count = g.kind == FormFieldKind::Page ? kPages + 1 : g.items.size();
    return v >= 0 && static_cast<std::size_t>(v) < count ? v : -1;
}

std::string SettingForm::text(std::size_t groupIndex) const {
    const FormGroup& g = group(groupIndex);
    if (g.address != nullptr) {
        return dottedAddress(state_.model.*g.address);
    }
    if (g.text != nullptr) {
        return state_.model.*g.text;
    }
    return {};
}

int SettingForm::connector(std::size_t n) const {
    if (n >= kConnectorInputs) {
        return -1;
    }
    const std::int32_t v = state_.model.connectorPages[n];
    return v >= 0 && static_cast<std::size_t>(v) < kPages ? v : -1;
}

void SettingForm::choose(std::size_t groupIndex, int index) {
    const FormGroup& g = group(groupIndex);
    const std::size_t count = g.kind == FormFieldKind::Page ? kPages + 1 : g.items.size();
    if (g.number == nullptr || index < 0 || static_cast<std::size_t>(index) >= count) {
        return;
    }
    state_.model.*g.number = index;
}

void SettingForm::chooseConnector(std::size_t n, int index) {
    if (n >= kConnectorInputs || index < 0 || static_cast<std::size_t>(index) >= kPages) {
        return;
    }
    state_.model.connectorPages[n] = index;
}

void SettingForm::editText(std::size_t groupIndex, std::string_view text) {
    const FormGroup& g = group(groupIndex);
    if (g.kind != FormFieldKind::Text) {
        return;
    }
    state_.model.*g.text = typedDigits(text, g.maxChars);
}

void SettingForm::pressSet(std::size_t groupIndex, std::string_view fieldText) {
    const FormGroup& g = group(groupIndex);
    if (g.modelFOnly && state_.product != Product::F) {
        return;
    }
    if (g.kind == FormFieldKind::Address) {
        const auto parsed = parseDottedAddress(fieldText);
        if (!parsed) {
            host_.error(kMsgBadAddress);
            return;
        }
        state_.model.*g.address = *parsed;
    }
    std::string_view refusal;
    const auto line = formCommand(g, state_.model, &refusal);
    if (!line) {
        if (!refusal.empty()) {
            host_.error(refusal);
        }
        return;
    }
    sendCommand(state_, host_, transport_, *line);
}

bool SettingForm::pressRead() {
    return run_ && run_->start();
}

ReadBackTick SettingForm::tick() {
    return run_ ? run_->tick() : ReadBackTick::Stopped;
}

bool SettingForm::closeEnabled() const {
    return !(reading() && d_.readBack->holdsClose);
}

void SettingForm::close() {
    if (run_) {
        run_->close();
    }
}

} // namespace tlx
