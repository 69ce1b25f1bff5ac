// The four dialogs made of "設定" groups, one descriptor each.

#include "dialogs/alarm_form.h"

#include <array>

namespace tlx {

namespace {

using M = SettingsModel;
using K = FormFieldKind;
using Items = std::array<std::string_view, 2>;

constexpr Items kAlarmModes{"Internal", "External"};
constexpr Items kAlarmModeCommands{"AMI", "AME"};
constexpr Items kPolarities{"Make ", "Break"};
constexpr Items kPolarityCommands{"APM", "APB"};
constexpr Items kOffOnRight{"OFF", " ON"};
constexpr Items kDisplayCommands{"ADOF", "ADON"};
constexpr Items kReturnCommands{"AROF", "ARON"};

constexpr std::array<FormGroup, 6> kAlarmGroups{{
    {.kind = K::Choice,
     .label = "モード",
     .controlId = 1000,
     .buttonId = 1001,
     .items = kAlarmModes,
     .commands = kAlarmModeCommands,
     .number = &M::alarmMode},
    {.kind = K::Text,
     .label = "保持時間",
     .controlId = 1006,
     .buttonId = 1002,
     .mnemonic = "ADT",
     .text = &M::alarmHoldTime,
     .maxChars = 3,
     .rule = TextRule::HoldTime},
    {.kind = K::Choice,
     .label = "入力極性",
     .controlId = 1007,
     .buttonId = 1003,
     .items = kPolarities,
     .commands = kPolarityCommands,
     .number = &M::alarmPolarity},
    {.kind = K::Choice,
     .label = "表示",
     .controlId = 1008,
     .buttonId = 1004,
     .items = kOffOnRight,
     .commands = kDisplayCommands,
     .number = &M::alarmDisplay},
    {.kind = K::Choice,
     .label = "リターン",
     .controlId = 1009,
     .buttonId = 1005,
     .items = kOffOnRight,
     .commands = kReturnCommands,
     .number = &M::alarmReturn},
    {.kind = K::Connectors,
     .label = "コネクター番号割り付け",
     .controlId = 1074,
     .buttonId = 1082,
     .mnemonic = "ACA"},
}};

constexpr std::array<std::string_view, 3> kRemoteModes{"BINARY   ", "BIT      ", "OPERATION"};
constexpr std::array<std::string_view, 3> kRemoteModeCommands{"RMBIN", "RMBIT", "RMOPE"};

constexpr std::array<FormGroup, 2> kRemoteGroups{{
    {.kind = K::Connectors,
     .label = "コネクター番号割り付け",
     .controlId = 1074,
     .buttonId = 1082,
     .mnemonic = "RCA"},
    {.kind = K::Choice,
     .label = "モード",
     .controlId = 1073,
     .buttonId = 1072,
     .items = kRemoteModes,
     .commands = kRemoteModeCommands,
     .number = &M::remoteMode},
}};

constexpr Items kConnectorInputs{"ALARM ", "REMOTE"};
constexpr Items kConnectorInputCommands{"CIA", "CIR"};
constexpr Items kVideoLoss{"Normal", "Blue  "};
constexpr Items kVideoLossCommands{"VLBCN", "VLBCB"};
constexpr Items kOffOnLeft{"OFF", "ON "};
constexpr Items kZoomCommands{"CFZOF", "CFZON"};

constexpr std::array<FormGroup, 5> kOthersGroups{{
    {.kind = K::Choice,
     .label = "コネクター入力",
     .controlId = 1018,
     .buttonId = 1019,
     .items = kConnectorInputs,
     .commands = kConnectorInputCommands,
     .number = &M::connectorInput},
    // "POSP" + page, or "POSPAS" for automatic switching.
    {.kind = K::Page,
     .label = "電源投入時ページ",
     .controlId = 1020,
     .buttonId = 1026,
     .mnemonic = "POSP",
     .number = &M::powerOnPage},
    {.kind = K::Choice,
     .label = "ビデオロス背景色",
     .controlId = 1023,
     .buttonId = 1031,
     .items = kVideoLoss,
     .commands = kVideoLossCommands,
     .number = &M::videoLossBlue},
    // The device's zoom font is not offered to the operator.
    {.kind = K::Choice,
     .label = "Zoomフォント",
     .controlId = 1024,
     .buttonId = 1029,
     .items = kOffOnLeft,
     .commands = kZoomCommands,
     .number = &M::zoomFont,
     .hidden = true,
     .modelFOnly = true},
    {.kind = K::Display,
     .label = "Version Read",
     .controlId = 1143,
     .buttonId = 1030,
     .text = &M::firmwareVersion},
}};

constexpr std::array<std::string_view, 3> kSubnetClasses{"Class A", "Class B", "Class C"};
constexpr std::array<std::string_view, 3> kSubnetCommands{"ESMA", "ESMB", "ESMC"};
constexpr Items kTryCommands{"ECTOF", "ECTON"};
constexpr Items kKeepAliveCommands{"EKAOF", "EKAON"};
constexpr std::array<std::string_view, kTimeRegisterCount> kTimeRegisters{" 1", " 2", " 3",
                                                                          " 4", " 5", " 6"};
constexpr std::array<std::string_view, 6> kTimeRegisterCommands{"ETR1", "ETR2", "ETR3",
                                                                "ETR4", "ETR5", "ETR6"};

constexpr std::array<FormGroup, 10> kNetworkGroups{{
    {.kind = K::Address,
     .label = "IP Address",
     .controlId = 1052,
     .buttonId = 1051,
     .mnemonic = "EIA",
     .address = &M::deviceIpAddress},
    {.kind = K::Address,
     .label = "Gateway Address",
     .controlId = 1053,
     .buttonId = 1055,
     .mnemonic = "EGA",
     .address = &M::deviceGatewayAddress},
    {.kind = K::Address,
     .label = "Active Address",
     .controlId = 1054,
     .buttonId = 1056,
     .mnemonic = "EAA",
     .address = &M::deviceActiveAddress},
    {.kind = K::Choice,
     .label = "Subnet Mask",
     .controlId = 1061,
     .buttonId = 1064,
     .items = kSubnetClasses,
     .commands = kSubnetCommands,
     .number = &M::deviceSubnetClass},
    {.kind = K::Text,
     .label = "Port Number",
     .controlId = 1049,
     .buttonId = 1065,
     .mnemonic = "EPN",
     .text = &M::devicePortNumber,
     .maxChars = 5,
     .rule = TextRule::Port},
    {.kind = K::Choice,
     .label = "Connection Try",
     .controlId = 1060,
     .buttonId = 1066,
     .items = kOffOnLeft,
     .commands = kTryCommands,
     .number = &M::deviceConnectionTry},
    {.kind = K::Choice,
     .label = "Keep Alive",
     .controlId = 1009,
     .buttonId = 1067,
     .items = kOffOnLeft,
     .commands = kKeepAliveCommands,
     .number = &M::deviceKeepAlive},
    {.kind = K::Choice,
     .label = "Time Register",
     .controlId = 1062,
     .buttonId = 1068,
     .items = kTimeRegisters,
     .commands = kTimeRegisterCommands,
     .number = &M::deviceTimeRegister},
    {.kind = K::Display,
     .label = "MAC Address",
     .controlId = 1057,
     .buttonId = 1046,
     .text = &M::deviceMacAddress},
    {.kind = K::Display,
     .label = "Version Number",
     .controlId = 1063,
     .buttonId = 0,
     .text = &M::firmwareVersion},
}};

} // namespace

const FormDescriptor kAlarmForm{Feature::Alarm, kAlarmGroups, nullptr, true, 0};
const FormDescriptor kRemoteForm{Feature::Remote, kRemoteGroups, nullptr, true, 0};
const FormDescriptor kOthersForm{Feature::Others, kOthersGroups, &kVersionRead, false, 0};
const FormDescriptor kDeviceNetworkForm{Feature::DeviceNetwork, kNetworkGroups, &kNetworkReadBack,
                                        false, 1059};

const FormDescriptor* formOf(Feature f) {
    for (const FormDescriptor* d : {&kAlarmForm, &kRemoteForm, &kOthersForm, &kDeviceNetworkForm}) {
        if (d->feature == f) {
            return d;
        }
    }
    return nullptr;
}

} // namespace tlx
