# Attribute dialogs: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE dialogs/attribute_dialogs.cpp)
