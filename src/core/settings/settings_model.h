#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/fixed_text.h"
#include "base/product.h"

namespace tlx {

inline constexpr std::size_t kTitleLineBytes = 56;   // 28 full-width characters
inline constexpr std::size_t kTitlePageBytes = 1120; // model S: one string per page

// Entries of the lists that show these choices.
inline constexpr int kDateTimeRangeCount = 8;
inline constexpr int kTimeRegisterCount = 6;
inline constexpr int kScrollSpeedCount = 4; // model S: speeds 1..4
inline constexpr int kSubnetClassCount = 3; // Class A, B, C

using TitleLine = FixedText<kTitleLineBytes>;
using TitlePage = FixedText<kTitlePageBytes>;

template <typename T> using PerLine = std::array<std::array<T, kLines>, kPages>;
template <typename T> using PerPage = std::array<T, kPages>;
template <typename T> using PerSchedule = std::array<std::array<T, kScheduleEntries>, kDays>;

using Ipv4 = std::array<std::uint8_t, 4>;

// Everything that can be set on the device. Pages and lines are 0-based here
// and 1-based on the wire. Model S keeps its per-page values in line 0 of the
// per-line tables.
struct SettingsModel {
    // Titles: model F has ten lines per page, model S one string per page.
    PerLine<TitleLine> titleText;
    PerPage<TitlePage> titlePageText;

    PerLine<std::int32_t> charSize;         // 0 E-LARGE, 1 LARGE, 2 MEDIUM, 3 SMALL
    PerLine<std::int32_t> lineSpacing;      // model S: line 0 is the page's vertical offset
    PerLine<std::int32_t> blink;            // 0 off, 1 on
    PerLine<std::int32_t> charColour;       // colour list index 0..8
    PerLine<std::int32_t> outlineColour;    // colour list index 0..8
    PerLine<std::int32_t> backgroundFill;   // 0 off, 1 on
    PerLine<std::int32_t> horizontalOffset; // model F only
    PerLine<std::int32_t> centering;        // model F only: 0 LEFT, 1 CENTER, 2 RIGHT
    PerLine<std::int32_t> eraseTime;        // model S: line 0, per page
    PerLine<std::int32_t> fontType;         // 0 gothic, 1 mincho

    PerPage<std::int32_t> autoSwitchTime; // model F: seconds; model S: 0 SKIP, 1 LIVE
    PerPage<std::int32_t> whiteLevel;
    PerPage<std::int32_t> blackLevel;
    PerPage<std::int32_t> titlePosition; // 0 TOP, 1 BOTTOM
    PerPage<std::int32_t> scrollSpeed;   // model S only: wire digit minus 1

    PerSchedule<std::int32_t> scheduleHour;
    PerSchedule<std::int32_t> scheduleMinute;
    PerSchedule<std::int32_t> schedulePage; // page index, kPagePas or kPageNoEntry

    std::int32_t alarmMode = 0;
    std::int32_t alarmPolarity = 0;
    std::int32_t alarmReturn = 1;
    std::int32_t alarmDisplay = 1;
    std::string alarmHoldTime = "010"; // three characters
    std::array<std::int32_t, kConnectorInputs> connectorPages{};
    std::int32_t remoteMode = 0;
    std::int32_t connectorInput = 0;
    std::int32_t powerOnPage = 0;
    std::int32_t videoLossBlue = 0;
    std::int32_t zoomFont = 0;
    std::int32_t dateTimeDisplay = 0;
    std::int32_t dateTimeRange = 0;
    std::int32_t dateTimeSize = 0;
    std::int32_t spareSetting1 = 7;
    std::int32_t spareSetting2 = 7;

    Ipv4 deviceIpAddress{};
    Ipv4 deviceGatewayAddress{};
    Ipv4 deviceActiveAddress{};
    std::string deviceMacAddress = "00-00-00-00-00-00";
    std::int32_t deviceSubnetClass = 2;
    // One and the same text as the PC's own TCP port: the connection settings
    // read and write it here.
    std::string devicePortNumber = "09004";
    std::int32_t deviceConnectionTry = 0;
    std::int32_t deviceKeepAlive = 0;
    std::int32_t deviceTimeRegister = 5;
    std::string firmwareVersion = "0.00";

    // Program state kept beside the settings.
    bool dataModified = false;
    std::string currentFilePath; // not touched by a reset
    std::int32_t busyStep = 0;
};

// Every setting to its default for the given model; clears dataModified and
// busyStep, keeps currentFilePath.
void resetModelToDefaults(SettingsModel& m, Product p);

} // namespace tlx
