# Qt tests of this piece: tlx_add_qt_test(name sources...), linking tlx_qt_app_support tlx_desktop tlx_res Qt6::Widgets
tlx_add_qt_test(tlx_qt_title_dialog_tests dialogs/title_dialog_test.cpp)
tlx_add_qt_test(tlx_qt_date_time_dialog_tests dialogs/date_time_dialog_test.cpp)
tlx_add_qt_test(tlx_qt_titles_windows_tests dialogs/titles_windows_test.cpp)
foreach(test tlx_qt_title_dialog_tests tlx_qt_date_time_dialog_tests tlx_qt_titles_windows_tests)
  target_link_libraries(${test} PRIVATE tlx_qt_app_support tlx_desktop tlx_res Qt6::Widgets)
endforeach()
