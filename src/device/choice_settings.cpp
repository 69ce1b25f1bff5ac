#include "device/choice_settings.h"

#include <array>

namespace tlx::device {

namespace {

using M = SettingsModel;

constexpr std::array<ChoiceSetting, 15> kChoices{{
    {"AM", "RAM", "IE", 1, &M::alarmMode},
    {"AP", "RAP", "MB", 1, &M::alarmPolarity},
    {"ARO", "RAR", "FN", 1, &M::alarmReturn},
    {"ADO", "RAD", "FN", 1, &M::alarmDisplay},
    {"CI", "RCI", "AR", 1, &M::connectorInput},
    {"RM", "RRM", "BINBITOPE", 3, &M::remoteMode},
    {"VLBC", "RVLBC", "NB", 1, &M::videoLossBlue},
    {"CFZO", "", "FN", 1, &M::zoomFont},
    {"TSDO", "RTSD", "FN", 1, &M::dateTimeDisplay},
    {"TSDR", "RTSDR", "12345678", 1, &M::dateTimeRange},
    {"TSDS", "RTSDS", "LN", 1, &M::dateTimeSize},
    {"ESM", "RESM", "ABC", 1, &M::deviceSubnetClass},
    {"ECTO", "RECT", "FN", 1, &M::deviceConnectionTry},
    {"EKAO", "REKA", "FN", 1, &M::deviceKeepAlive},
    {"ETR", "RETR", "123456", 1, &M::deviceTimeRegister},
}};

} // namespace

std::span<const ChoiceSetting> choiceSettings() {
    return kChoices;
}

} // namespace tlx::device
