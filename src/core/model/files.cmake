# Settings file (.dat): format, file I/O helpers, name rule and the four file commands.
target_sources(tlx_core PRIVATE
  settings_file.cpp
  settings_file.h
  settings_file_commands.cpp
  settings_file_commands.h
  settings_file_io.h
  # The disk itself, behind settings_file_io.h; another platform adds its own.
  file_io_posix.cpp
  file_io_posix.h
  settings_file_name.cpp
  settings_file_name.h)
