#include "model_diff.h"

#include <sstream>

namespace tlx::device::test {

namespace {

class Differ {
  public:
    std::vector<std::string> out;

    template <typename T> void scalar(const char* name, const T& a, const T& b) {
        if (!(a == b)) {
            out.emplace_back(name);
        }
    }
    template <typename T, std::size_t N>
    void array(const char* name, const std::array<T, N>& a, const std::array<T, N>& b) {
        for (std::size_t i = 0; i < N; ++i) {
            if (!(a[i] == b[i])) {
                out.push_back(name + ("[" + std::to_string(i) + "]"));
            }
        }
    }
    template <typename T, std::size_t N, std::size_t M>
    void table(const char* name, const std::array<std::array<T, M>, N>& a,
               const std::array<std::array<T, M>, N>& b) {
        for (std::size_t i = 0; i < N; ++i) {
            for (std::size_t j = 0; j < M; ++j) {
                if (!(a[i][j] == b[i][j])) {
                    out.push_back(name +
                                  ("[" + std::to_string(i) + "][" + std::to_string(j) + "]"));
                }
            }
        }
    }
};

} // namespace

std::vector<std::string> stateDiff(const DeviceState& before, const DeviceState& after) {
    const SettingsModel& a = before.model;
    const SettingsModel& b = after.model;
    Differ d;
    d.table("titleText", a.titleText, b.titleText);
    d.array("titlePageText", a.titlePageText, b.titlePageText);
    d.table("charSize", a.charSize, b.charSize);
    d.table("lineSpacing", a.lineSpacing, b.lineSpacing);
    d.table("blink", a.blink, b.blink);
    d.table("charColour", a.charColour, b.charColour);
    d.table("outlineColour", a.outlineColour, b.outlineColour);
    d.table("backgroundFill", a.backgroundFill, b.backgroundFill);
    d.table("horizontalOffset", a.horizontalOffset, b.horizontalOffset);
    d.table("centering", a.centering, b.centering);
    d.table("eraseTime", a.eraseTime, b.eraseTime);
    d.table("fontType", a.fontType, b.fontType);
    d.array("autoSwitchTime", a.autoSwitchTime, b.autoSwitchTime);
    d.array("whiteLevel", a.whiteLevel, b.whiteLevel);
    d.array("blackLevel", a.blackLevel, b.blackLevel);
    d.array("titlePosition", a.titlePosition, b.titlePosition);
    d.array("scrollSpeed", a.scrollSpeed, b.scrollSpeed);
    d.table("scheduleHour", a.scheduleHour, b.scheduleHour);
    d.table("scheduleMinute", a.scheduleMinute, b.scheduleMinute);
    d.table("schedulePage", a.schedulePage, b.schedulePage);
    d.scalar("alarmMode", a.alarmMode, b.alarmMode);
    d.scalar("alarmPolarity", a.alarmPolarity, b.alarmPolarity);
    d.scalar("alarmReturn", a.alarmReturn, b.alarmReturn);
    d.scalar("alarmDisplay", a.alarmDisplay, b.alarmDisplay);
    d.scalar("alarmHoldTime", a.alarmHoldTime, b.alarmHoldTime);
    d.array("connectorPages", a.connectorPages, b.connectorPages);
    d.scalar("remoteMode", a.remoteMode, b.remoteMode);
    d.scalar("connectorInput", a.connectorInput, b.connectorInput);
    d.scalar("powerOnPage", a.powerOnPage, b.powerOnPage);
    d.scalar("videoLossBlue", a.videoLossBlue, b.videoLossBlue);
    d.scalar("zoomFont", a.zoomFont, b.zoomFont);
    d.scalar("dateTimeDisplay", a.dateTimeDisplay, b.dateTimeDisplay);
    d.scalar("dateTimeRange", a.dateTimeRange, b.dateTimeRange);
    d.scalar("dateTimeSize", a.dateTimeSize, b.dateTimeSize);
    d.scalar("spareSetting1", a.spareSetting1, b.spareSetting1);
    d.scalar("spareSetting2", a.spareSetting2, b.spareSetting2);
    d.scalar("deviceIpAddress", a.deviceIpAddress, b.deviceIpAddress);
    d.scalar("deviceGatewayAddress", a.deviceGatewayAddress, b.deviceGatewayAddress);
    d.scalar("deviceActiveAddress", a.deviceActiveAddress, b.deviceActiveAddress);
    d.scalar("deviceMacAddress", a.deviceMacAddress, b.deviceMacAddress);
    d.scalar("deviceSubnetClass", a.deviceSubnetClass, b.deviceSubnetClass);
    d.scalar("devicePortNumber", a.devicePortNumber, b.devicePortNumber);
    d.scalar("deviceConnectionTry", a.deviceConnectionTry, b.deviceConnectionTry);
    d.scalar("deviceKeepAlive", a.deviceKeepAlive, b.deviceKeepAlive);
    d.scalar("deviceTimeRegister", a.deviceTimeRegister, b.deviceTimeRegister);
    d.scalar("firmwareVersion", a.firmwareVersion, b.firmwareVersion);

    for (GlyphSize size : {GlyphSize::Large, GlyphSize::Medium, GlyphSize::Small}) {
        const auto& ta = before.glyphs.table(GlyphFace::Gothic, size);
        const auto& tb = after.glyphs.table(GlyphFace::Gothic, size);
        for (std::size_t i = 0; i < ta.size(); ++i) {
            if (ta[i] != tb[i]) {
                d.out.push_back("glyph" + std::to_string(static_cast<int>(size)) + "[" +
                                std::to_string(i) + "]");
            }
        }
    }
    const DeviceClock& ca = before.clock;
    const DeviceClock& cb = after.clock;
    d.scalar("clock.year", ca.year, cb.year);
    d.scalar("clock.month", ca.month, cb.month);
    d.scalar("clock.day", ca.day, cb.day);
    d.scalar("clock.hour", ca.hour, cb.hour);
    d.scalar("clock.minute", ca.minute, cb.minute);
    d.scalar("clock.second", ca.second, cb.second);
    d.scalar("displayOn", before.displayOn, after.displayOn);
    d.scalar("displayPage", before.displayPage, after.displayPage);
    return d.out;
}

} // namespace tlx::device::test
