# Desktop programs: sources added to tlx_qt (target_sources) and the two executables.
