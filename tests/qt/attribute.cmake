# Qt tests of the attribute dialogs, against the in-process device.
tlx_add_qt_test(tlx_qt_attribute_line_tests dialogs/attribute_line_dialogs_test.cpp)
tlx_add_qt_test(tlx_qt_attribute_page_tests dialogs/attribute_page_dialogs_test.cpp)
foreach(test tlx_qt_attribute_line_tests tlx_qt_attribute_page_tests)
  target_link_libraries(${test} PRIVATE tlx_qt_app_support tlx_desktop tlx_res Qt6::Widgets)
endforeach()
