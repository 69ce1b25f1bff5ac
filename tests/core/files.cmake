# Test executables of the files piece: settings file, INI and connection
# settings, connection dialogs, glyph files.
tlx_add_core_test(tlx_files_tests
  files/connection_dialogs_test.cpp
  files/connection_ini_test.cpp
  files/file_io_test.cpp
  files/glyph_files_test.cpp
  files/ini_file_test.cpp
  files/settings_file_commands_test.cpp
  files/settings_file_test.cpp
  files/temp_dir.h)
