# Title, date/time and display page dialogs: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE
  dialogs/title_dialogs.cpp
  model/date_time_window.cpp
  model/date_time_window.h
  model/display_page_dialog.cpp
  model/display_page_dialog.h
  model/title_dialog.cpp
  model/title_dialog.h
  model/title_text_edit.cpp
  model/title_text_edit.h
  model/titles_windows.cpp
  model/titles_windows.h)
