#pragma once

#include <string_view>

namespace tlx {

// What a command does: each feature has its dialog, window or file action.
enum class Feature {
    About,
    Exit,
    NewFile,
    OpenFile,
    SaveFile,
    SaveFileAs,
    DateTime,
    TitleInput,
    CharSize,
    LineSpacing,
    Blink,
    AutoSwitch,
    Colours,
    BackgroundFill,
    Levels,
    Schedule,
    Alarm,
    Remote,
    Others,
    DisplayPage,
    HorizontalOffset,
    Centering,
    EraseTime,
    FontType,
    TitlePosition,  // model S
    VerticalOffset, // model S
    ScrollSpeed,    // model S
    GlyphInsert,
    GlyphListSmall,
    GlyphListMedium,
    GlyphListLarge,
    GlyphInfo,
    SendAll,
    SlaveAddress,
    ReadAll,
    Interface,
    RsSettings,
    ClientServer,
    TcpSettings,
    DeviceNetwork,
    // The tools menu.
    TitleOverview,
    TitleExport,
    TitleImport,
    CompareWithFile,
    CompareWithDevice,
    SendChanged,
    TrafficLog,
};

// A menu or toolbar command and what it opens.
struct CommandRoute {
    int command;     // the menu command
    int toolCommand; // the toolbar command on the same row, 0 when none
    Feature feature;
    int dialogTemplate; // 0 for the file commands and the exit flow
    std::string_view title;
};

} // namespace tlx
