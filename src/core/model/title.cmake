# Title entry, date/time and display page logic: target_sources(tlx_core PRIVATE ...)
