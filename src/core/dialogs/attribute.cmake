# Per-line and per-page attribute dialogs' logic.
target_sources(tlx_core PRIVATE attribute_values.cpp attribute_dialog.cpp attribute_pages_run.cpp
                                line_attribute_table.cpp line_attribute_dialog.cpp
                                page_attribute_table.cpp page_attribute_dialog.cpp)
