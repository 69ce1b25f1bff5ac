# Test executables of the files piece: settings file, INI and connection
# settings, connection dialogs, glyph files.
tlx_add_core_test(tlx_files_tests
  dialogs/connection_dialogs_test.cpp
  settings/connection_ini_test.cpp
  base/file_io_test.cpp
  glyphs/glyph_files_test.cpp
  settings/ini_file_test.cpp
  dialogs/settings_file_commands_test.cpp
  settings/settings_file_test.cpp
  base/temp_dir.h)
