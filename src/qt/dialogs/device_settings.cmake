# Schedule, alarm, remote, others and device network dialogs: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE dialogs/device_settings_dialogs.cpp)
