# Glyph editor, lists, information and insertion: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE glyphs/glyph_dialogs.cpp)
