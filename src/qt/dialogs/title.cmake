# Title, date/time and display page dialogs: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE dialogs/title_dialogs.cpp)
