# Glyph list files and the picture export.
target_sources(tlx_core PRIVATE
  glyph_bmp.cpp
  glyph_bmp.h
  glyph_files.cpp
  glyph_files.h)
