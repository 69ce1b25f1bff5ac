# INI file, connection settings and the connection dialogs' logic.
target_sources(tlx_core PRIVATE
  connection_dialogs.cpp
  connection_dialogs.h
  connection_ini.cpp
  connection_ini.h
  ini_file.cpp
  ini_file.h)
