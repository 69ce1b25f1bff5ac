# Glyph editor, lists, transfer and insertion logic: target_sources(tlx_core PRIVATE ...)
