# Comparison of two settings models, the runs over only what changed, and the
# logic of the "ツール" menu's comparisons.
target_sources(tlx_core PRIVATE
  changed_runs.cpp
  changed_runs.h
  compare_tools.cpp
  compare_tools.h
  settings_compare.cpp
  settings_compare.h)
