# Glyph editor, lists, information and insertion.
target_sources(tlx_desktop PRIVATE
  glyphs/glyph_dialogs.cpp
  glyphs/glyph_editor_dialog.cpp
  glyphs/glyph_editor_dialog.h
  glyphs/glyph_info_dialog.cpp
  glyphs/glyph_info_dialog.h
  glyphs/glyph_insert_dialog.cpp
  glyphs/glyph_insert_dialog.h
  glyphs/glyph_list_dialog.cpp
  glyphs/glyph_list_dialog.h
  glyphs/glyph_sample_text.cpp
  glyphs/glyph_sample_text.h)
