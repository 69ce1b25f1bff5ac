# Glyph editor, lists, transfer, insertion and information logic.
target_sources(tlx_core PRIVATE
  glyph_editor.cpp
  glyph_editor.h
  glyph_info.cpp
  glyph_info.h
  glyph_insert.cpp
  glyph_insert.h
  glyph_list.cpp
  glyph_list.h
  glyph_scale.cpp
  glyph_scale.h
  glyph_table_run.cpp
  glyph_table_run.h
  glyph_transfer.cpp
  glyph_transfer.h)
