# Unit tests of the per-line and per-page attribute dialogs.
tlx_add_core_test(tlx_attribute_dialog_tests dialogs/attribute_line_test.cpp
                  dialogs/attribute_page_test.cpp)
