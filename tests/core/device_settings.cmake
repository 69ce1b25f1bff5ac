# Unit tests of the schedule, alarm, remote, others and device network dialogs.
tlx_add_core_test(tlx_device_settings_tests
  dialogs/alarm_form_test.cpp
  dialogs/device_network_form_test.cpp
  dialogs/form_fixture.h
  dialogs/others_form_test.cpp
  dialogs/schedule_logic_test.cpp)
