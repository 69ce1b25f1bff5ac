#include "device/command_handlers.h"
#include "device/wire_fields.h"

#include <array>

namespace tlx::device {

namespace {

void putPage(std::string& out, std::size_t page) {
    putDigits(out, static_cast<int>(page) + 1, 3);
}

} // namespace

bool attributeWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    const AttributeFamily& f = *r.family;
    SettingsModel& m = s.model;

    if ((f.forms & kLineForm) != 0 && rest.size() == 6 + f.single.width && rest[3] == 'L') {
        const auto page = readPage(rest, 0);
        const auto line = readLine(rest, 4);
        FieldValue v;
        if (!page || !line || !decodeField(f.single, rest, 6, v)) {
            return refuseCommand(reply);
        }
        storeValue(m, f, *page, *line, v);
        return acceptCommand(reply);
    }
    if ((f.forms & kPageLinesForm) != 0 && rest.size() == 3 + kLines * f.multi.width) {
        const auto page = readPage(rest, 0);
        if (!page) {
            return refuseCommand(reply);
        }
        std::array<FieldValue, kLines> values{};
        for (std::size_t line = 0; line < kLines; ++line) {
            if (!decodeField(f.multi, rest, 3 + line * f.multi.width, values[line])) {
                return refuseCommand(reply);
            }
        }
        for (std::size_t line = 0; line < kLines; ++line) {
            storeValue(m, f, *page, line, values[line]);
        }
        return acceptCommand(reply);
    }
    if ((f.forms & kPageForm) != 0 && rest.size() == 3 + f.single.width) {
        const auto page = readPage(rest, 0);
        FieldValue v;
        if (!page || !decodeField(f.single, rest, 3, v)) {
            return refuseCommand(reply);
        }
        storeValue(m, f, *page, 0, v);
        return acceptCommand(reply);
    }
    if ((f.forms & kAllPagesForm) != 0 && rest.size() == kPages * f.multi.width) {
        std::array<FieldValue, kPages> values{};
        for (std::size_t page = 0; page < kPages; ++page) {
            if (!decodeField(f.multi, rest, page * f.multi.width, values[page])) {
                return refuseCommand(reply);
            }
        }
        for (std::size_t page = 0; page < kPages; ++page) {
            storeValue(m, f, page, 0, values[page]);
        }
        return acceptCommand(reply);
    }
    return false;
}

bool attributeRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply) {
    const AttributeFamily& f = *r.family;
    const SettingsModel& m = s.model;

    if ((f.forms & (kReadPageLines | kReadPage)) != 0 && rest.size() == 3) {
        const auto page = readPage(rest, 0);
        if (!page) {
            return refuseCommand(reply);
        }
        reply.assign(f.mnemonic);
        putPage(reply, *page);
        if ((f.forms & kReadPageLines) != 0) {
            for (std::size_t line = 0; line < kLines; ++line) {
                encodeField(f.multi, loadValue(m, f, *page, line), reply);
            }
        } else {
            encodeField(f.single, loadValue(m, f, *page, 0), reply);
        }
        return true;
    }
    if ((f.forms & kReadAllPages) != 0 && rest.empty()) {
        reply.assign(f.mnemonic);
        for (std::size_t page = 0; page < kPages; ++page) {
            encodeField(f.multi, loadValue(m, f, page, 0), reply);
        }
        return true;
    }
    return false;
}

} // namespace tlx::device
