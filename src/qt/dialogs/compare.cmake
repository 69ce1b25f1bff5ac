# The "ツール" menu's comparisons and changed-only send.
target_sources(tlx_desktop PRIVATE
  model/compare_window.cpp
  model/compare_window.h)
