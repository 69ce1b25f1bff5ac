# Unit tests of this piece: tlx_add_core_test(name sources...)
tlx_add_core_test(tlx_title_entry_tests dialogs/title_entry_test.cpp dialogs/date_time_dialog_test.cpp
                  settings/titles_file_test.cpp)
