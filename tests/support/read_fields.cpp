#include "support/read_fields.h"

namespace tlx::test {

std::string trimmedTitle(std::string_view text) {
    while (text.size() >= 2 && text.substr(text.size() - 2) == "\x81\x40") {
        text.remove_suffix(2);
    }
    return std::string(text);
}

namespace {

template <typename T> bool sameLine0(const PerLine<T>& a, const PerLine<T>& b) {
    for (std::size_t p = 0; p < kPages; ++p) {
        if (a[p][0] != b[p][0]) {
            return false;
        }
    }
    return true;
}

} // namespace

// clang-format off
#define TLX_SAME(field) if (!(a.field == b.field)) { return #field; }
#define TLX_SAME_LINE0(field) if (!sameLine0(a.field, b.field)) { return #field; }
std::string readFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
    if (p == Product::F) {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            for (std::size_t l = 0; l < kLines; ++l) {
                if (trimmedTitle(a.titleText[pg][l].view()) != trimmedTitle(b.titleText[pg][l].view())) {
                    return "titleText[" + std::to_string(pg) + "][" + std::to_string(l) + "]";
                }
            }
        }
        TLX_SAME(charSize) TLX_SAME(blink) TLX_SAME(charColour) TLX_SAME(outlineColour)
        TLX_SAME(backgroundFill) TLX_SAME(lineSpacing) TLX_SAME(horizontalOffset)
        TLX_SAME(centering) TLX_SAME(eraseTime) TLX_SAME(autoSwitchTime) TLX_SAME(fontType)
    } else {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if (trimmedTitle(a.titlePageText[pg].view()) != trimmedTitle(b.titlePageText[pg].view())) {
                return "titlePageText[" + std::to_string(pg) + "]";
            }
            if (a.eraseTime[pg][0] != b.eraseTime[pg][0]) {
                return "eraseTime[" + std::to_string(pg) + "]";
            }
        }
        TLX_SAME_LINE0(charSize) TLX_SAME_LINE0(blink) TLX_SAME_LINE0(charColour)
        TLX_SAME_LINE0(outlineColour) TLX_SAME_LINE0(backgroundFill) TLX_SAME_LINE0(lineSpacing)
        TLX_SAME(titlePosition) TLX_SAME(autoSwitchTime)
    }
    TLX_SAME(whiteLevel) TLX_SAME(blackLevel) TLX_SAME(scheduleHour) TLX_SAME(scheduleMinute)
    TLX_SAME(schedulePage) TLX_SAME(alarmMode) TLX_SAME(alarmPolarity) TLX_SAME(alarmReturn)
    TLX_SAME(alarmDisplay) TLX_SAME(alarmHoldTime) TLX_SAME(connectorPages) TLX_SAME(remoteMode)
    TLX_SAME(connectorInput) TLX_SAME(powerOnPage) TLX_SAME(videoLossBlue)
    TLX_SAME(dateTimeDisplay) TLX_SAME(dateTimeRange) TLX_SAME(dateTimeSize)
    if (p == Product::S) {
        TLX_SAME_LINE0(fontType) // model S reads the font type page by page
    }
    return {};
}
#undef TLX_SAME_LINE0
#undef TLX_SAME
// clang-format on

std::string sentFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
    return readFieldsDiff(a, b, p);
}

} // namespace tlx::test
