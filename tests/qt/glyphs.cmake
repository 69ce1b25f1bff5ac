# Glyph lists, editor, insertion and information dialogs, offscreen; the
# transfers run against the in-process emulated device.
tlx_add_qt_test(tlx_qt_glyph_dialog_tests dialogs/glyph_dialogs_test.cpp)
target_link_libraries(tlx_qt_glyph_dialog_tests PRIVATE tlx_qt_app_support tlx_desktop tlx_res
                                                        Qt6::Widgets)
