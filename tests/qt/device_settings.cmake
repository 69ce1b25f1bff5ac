# Qt tests of the schedule, alarm, remote, others and device network dialogs.
tlx_add_qt_test(tlx_qt_device_settings_tests dialogs/alarm_form_dialog_test.cpp)
tlx_add_qt_test(tlx_qt_schedule_dialog_tests dialogs/schedule_dialog_test.cpp)
foreach(test tlx_qt_device_settings_tests tlx_qt_schedule_dialog_tests)
  target_link_libraries(${test} PRIVATE tlx_qt_app_support tlx_desktop tlx_res Qt6::Widgets)
endforeach()
