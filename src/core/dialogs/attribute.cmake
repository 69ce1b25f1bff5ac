# Attribute dialogs logic: target_sources(tlx_core PRIVATE ...)
