# Glyph editor, size derivation, lists, transfer and insertion.
tlx_add_core_test(tlx_glyph_dialog_tests
  dialogs/glyph_editor_test.cpp
  dialogs/glyph_insert_test.cpp
  dialogs/glyph_list_test.cpp
  glyphs/glyph_scale_test.cpp
  runs/glyph_transfer_test.cpp)
