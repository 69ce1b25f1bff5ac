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
# Titles in bulk: the UTF-8 text form and its checked import; code page 932
# from the platform.
target_sources(tlx_core PRIVATE
  sjis_codec.h
  sjis_codec_iconv.cpp
  titles_file.cpp
  titles_file.h)
target_sources(tlx_core PRIVATE titles_commands.cpp titles_commands.h)
