#pragma once

#include "device/routes.h"

namespace tlx::device {

// Handlers of the routing table, grouped by the files that hold them.

// Pieces the plain settings' handlers share (setting_commands.cpp).
// A setting kept as the digits it was written with: exactly `width` digits
// whose value lies in [lo, hi].
bool writeDigitSetting(std::string_view rest, std::size_t width, int lo, int hi,
                       std::string& setting, std::string& reply);
// The read of a text setting: prefix, then the text cut or padded with pad
// to width.
bool readTextSetting(std::string_view rest, std::string_view prefix, std::string_view text,
                     std::size_t width, char pad, std::string& reply);
// A page "001".."512" that is the whole rest.
bool writePageSetting(std::string_view rest, int& page, std::string& reply);

// attribute_commands.cpp
bool attributeWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool attributeRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);

// setting_commands.cpp
bool choiceWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool choiceRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool holdTimeWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool holdTimeRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
// variant: the reply prefix differs ("ACA" alarm, "RCA" remote); both hold
// the one table of connector pages.
bool connectorWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool connectorRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool powerOnPageWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool powerOnPageRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool versionRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool scheduleWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool scheduleRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);

// network_commands.cpp; variant 0 IP, 1 gateway, 2 active address
bool addressWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool addressRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool portWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool portRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool macRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);

// clock_commands.cpp; variant: which clock field
bool clockWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool clockAdjust(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool displayOnOff(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool displayPage(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);

// title_commands.cpp
bool titleWrite(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool titleRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool glyphInsert(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);

// glyph_commands.cpp; variant: size class 0 large, 1 medium, 2 small
bool glyphRegister(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);
bool glyphRead(DeviceState& s, const Route& r, std::string_view rest, std::string& reply);

} // namespace tlx::device
