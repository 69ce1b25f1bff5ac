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

std::string commonDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
#define TLX_SAME(field)                                                                            \
    if (!(a.field == b.field)) {                                                                   \
        return #field;                                                                             \
    }
    if (p == Product::F) {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            for (std::size_t l = 0; l < kLines; ++l) {
                if (trimmedTitle(a.titleText[pg][l].view()) !=
                    trimmedTitle(b.titleText[pg][l].view())) {
                    return "titleText[" + std::to_string(pg) + "][" + std::to_string(l) + "]";
                }
            }
        }
        TLX_SAME(charSize)
        TLX_SAME(blink) TLX_SAME(charColour) TLX_SAME(outlineColour) TLX_SAME(backgroundFill)
            TLX_SAME(lineSpacing) TLX_SAME(horizontalOffset) TLX_SAME(centering) TLX_SAME(eraseTime)
                TLX_SAME(autoSwitchTime) TLX_SAME(fontType)
    } else {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if (trimmedTitle(a.titlePageText[pg].view()) !=
                trimmedTitle(b.titlePageText[pg].view())) {
                return "titlePageText[" + std::to_string(pg) + "]";
            }
            if (a.eraseTime[pg][0] != b.eraseTime[pg][0]) {
                return "eraseTime[" + std::to_string(pg) + "]";
            }
        }
        if (!sameLine0(a.charSize, b.charSize))
            return "charSize";
        if (!sameLine0(a.blink, b.blink))
            return "blink";
        if (!sameLine0(a.charColour, b.charColour))
            return "charColour";
        if (!sameLine0(a.outlineColour, b.outlineColour))
            return "outlineColour";
        if (!sameLine0(a.backgroundFill, b.backgroundFill))
            return "backgroundFill";
        if (!sameLine0(a.lineSpacing, b.lineSpacing))
            return "lineSpacing";
        TLX_SAME(titlePosition) TLX_SAME(autoSwitchTime)
    }
    TLX_SAME(whiteLevel)
    TLX_SAME(blackLevel) TLX_SAME(scheduleHour) TLX_SAME(scheduleMinute) TLX_SAME(schedulePage)
        TLX_SAME(alarmMode) TLX_SAME(alarmPolarity) TLX_SAME(alarmReturn) TLX_SAME(alarmDisplay)
            TLX_SAME(alarmHoldTime) TLX_SAME(connectorPages) TLX_SAME(remoteMode)
                TLX_SAME(connectorInput) TLX_SAME(powerOnPage) TLX_SAME(videoLossBlue)
                    TLX_SAME(dateTimeDisplay) TLX_SAME(dateTimeRange) TLX_SAME(dateTimeSize)
#undef TLX_SAME
                        return {};
}

} // namespace

std::string readFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
    auto d = commonDiff(a, b, p);
    if (d.empty() && p == Product::S) {
        // Model S reads the font type page by page.
        if (!sameLine0(a.fontType, b.fontType)) {
            return "fontType";
        }
    }
    return d;
}

std::string sentFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
    return readFieldsDiff(a, b, p);
}

} // namespace tlx::test
