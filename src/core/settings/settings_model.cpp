#include "settings/settings_model.h"

namespace tlx {

namespace {

template <typename T> void fillLines(PerLine<T>& table, const T& value) {
    for (auto& page : table) {
        page.fill(value);
    }
}

} // namespace

void resetModelToDefaults(SettingsModel& m, Product p) {
    for (auto& page : m.titleText) {
        for (auto& line : page) {
            line.clear();
        }
    }
    for (auto& page : m.titlePageText) {
        page.clear();
    }
    fillLines(m.charSize, 2);
    fillLines(m.lineSpacing, 0);
    fillLines(m.blink, 0);
    fillLines(m.charColour, 7);
    fillLines(m.outlineColour, 0);
    fillLines(m.backgroundFill, 0);
    fillLines(m.horizontalOffset, 0);
    fillLines(m.centering, 0);
    fillLines(m.eraseTime, 0);
    fillLines(m.fontType, 0);

    m.autoSwitchTime.fill(p == Product::F ? 3 : 1);
    m.whiteLevel.fill(2);
    m.blackLevel.fill(2);
    m.titlePosition.fill(1);
    m.scrollSpeed.fill(2);

    for (std::size_t day = 0; day < kDays; ++day) {
        for (std::size_t entry = 0; entry < kScheduleEntries; ++entry) {
            m.scheduleHour[day][entry] = static_cast<std::int32_t>(entry);
            m.scheduleMinute[day][entry] = 0;
            m.schedulePage[day][entry] = kPageNoEntry;
        }
    }

    m.alarmMode = 0;
    m.alarmPolarity = 0;
    m.alarmReturn = 1;
    m.alarmDisplay = 1;
    m.alarmHoldTime = "010";
    for (std::size_t i = 0; i < kConnectorInputs; ++i) {
        m.connectorPages[i] = static_cast<std::int32_t>(i);
    }
    m.remoteMode = 0;
    m.connectorInput = 0;
    m.powerOnPage = 0;
    m.videoLossBlue = 0;
    m.zoomFont = 0;
    m.dateTimeDisplay = 0;
    m.dateTimeRange = 0;
    m.dateTimeSize = 0;
    m.spareSetting1 = 7;
    m.spareSetting2 = 7;
    m.deviceIpAddress = {};
    m.deviceGatewayAddress = {};
    m.deviceActiveAddress = {};
    m.deviceMacAddress = "00-00-00-00-00-00";
    m.deviceSubnetClass = 2;
    m.devicePortNumber = "09004";
    m.deviceConnectionTry = 0;
    m.deviceKeepAlive = 0;
    m.deviceTimeRegister = 5;
    m.firmwareVersion = "0.00";

    m.dataModified = false;
    m.busyStep = 0;
}

} // namespace tlx
