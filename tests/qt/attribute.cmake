# Qt tests of the attribute dialogs, against the in-process device.
tlx_add_qt_test(tlx_qt_attribute_line_tests dialogs/attribute_line_dialogs_test.cpp)
target_link_libraries(tlx_qt_attribute_line_tests PRIVATE tlx_qt_app_support tlx_desktop tlx_res
                                                          Qt6::Widgets)
