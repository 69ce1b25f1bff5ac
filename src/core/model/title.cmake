# Title entry, date/time and display page logic: target_sources(tlx_core PRIVATE ...)
target_sources(tlx_core PRIVATE
  date_time_dialog.cpp
  date_time_dialog.h
  display_page.cpp
  display_page.h
  title_caption.cpp
  title_caption.h
  title_entry.cpp
  title_entry.h)
