# Qt tests of the desktop programs (offscreen), and the core logic of their
# shell. An emulated device (tlx_device) answers the runs.
add_library(tlx_qt_app_support STATIC app/device_transport.cpp app/device_transport.h
                                      app/dialog_fixture.h app/window_fixture.h)
set_target_properties(tlx_qt_app_support PROPERTIES AUTOMOC ON)
target_include_directories(tlx_qt_app_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/app)
target_link_libraries(tlx_qt_app_support PUBLIC tlx_desktop tlx_device tlx_test_support
                                         PRIVATE tlx_warnings)

tlx_add_qt_test(tlx_qt_shell_tests app/main_window_test.cpp)
tlx_add_qt_test(tlx_qt_host_tests app/qt_host_test.cpp)
tlx_add_qt_test(tlx_qt_connection_dialog_tests dialogs/connection_dialogs_test.cpp)
tlx_add_qt_test(tlx_qt_run_dialog_tests dialogs/run_dialogs_test.cpp)
tlx_add_qt_test(tlx_qt_traffic_log_tests app/traffic_log_window_test.cpp)
tlx_add_qt_test(tlx_qt_fleet_dialog_tests dialogs/fleet_dialogs_test.cpp)
foreach(test tlx_qt_shell_tests tlx_qt_host_tests tlx_qt_connection_dialog_tests
             tlx_qt_run_dialog_tests tlx_qt_traffic_log_tests tlx_qt_fleet_dialog_tests)
  target_link_libraries(${test} PRIVATE tlx_qt_app_support tlx_desktop tlx_res Qt6::Widgets)
endforeach()
# The single-instance test runs the real program as the first copy.
target_compile_definitions(tlx_qt_host_tests PRIVATE TLX_DESKTOP_F="$<TARGET_FILE:TLX500F_Z200>")
add_dependencies(tlx_qt_host_tests TLX500F_Z200)

tlx_add_core_test(tlx_shell_logic_tests app/shell_logic_test.cpp app/status_panel_test.cpp)

# Pictures for the README (scripts/desktop-screenshots.sh); not a test.
add_executable(tlx-desktop-shots app/desktop_shots.cpp)
set_target_properties(tlx-desktop-shots PROPERTIES AUTOMOC ON)
target_link_libraries(tlx-desktop-shots PRIVATE tlx_qt_app_support tlx_res tlx_warnings)

# Against the emulator on a pseudo-terminal, where the emulator is built.
if(TARGET tlx500-sim)
  tlx_add_qt_test(tlx_qt_desktop_e2e_tests app/desktop_e2e_test.cpp)
  target_link_libraries(tlx_qt_desktop_e2e_tests PRIVATE tlx_qt_app_support tlx_desktop tlx_res
                                                         Qt6::Widgets)
  target_compile_definitions(tlx_qt_desktop_e2e_tests PRIVATE
                             TLX_SIM_PATH="$<TARGET_FILE:tlx500-sim>")
  add_dependencies(tlx_qt_desktop_e2e_tests tlx500-sim)
  set_tests_properties(tlx_qt_desktop_e2e_tests PROPERTIES TIMEOUT 400)
endif()

# The title dialog under a real input method (scripts/ime-check.sh); not a test.
add_executable(tlx-ime-probe app/ime_probe.cpp)
target_link_libraries(tlx-ime-probe PRIVATE tlx_desktop tlx_res tlx_warnings)
