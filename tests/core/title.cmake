# Unit tests of this piece: tlx_add_core_test(name sources...)
tlx_add_core_test(tlx_title_entry_tests model/title_entry_test.cpp model/date_time_dialog_test.cpp
                  model/titles_file_test.cpp)
