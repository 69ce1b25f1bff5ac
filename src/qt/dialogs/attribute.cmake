# Per-line and per-page attribute dialogs: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE dialogs/attribute_dialogs.cpp dialogs/attribute_widgets.cpp
                                   dialogs/attribute_widgets.h
                                   dialogs/attribute_window.cpp
                                   dialogs/attribute_window.h
                                   dialogs/line_attribute_window.cpp
                                   dialogs/line_attribute_window.h
                                   dialogs/page_attribute_window.cpp
                                   dialogs/page_attribute_window.h)
