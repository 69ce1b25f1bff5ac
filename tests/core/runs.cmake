# Test executables of this piece: tlx_add_core_test(name sources...)
tlx_add_core_test(tlx_runs_tests
  runs/fleet_run_test.cpp
  runs/read_all_run_test.cpp
  runs/read_all_steps_test.cpp
  runs/run_harness.h
  runs/run_time_left_test.cpp
  runs/send_all_run_test.cpp
  runs/send_all_steps_test.cpp
  runs/title_all_pages_run_test.cpp
  settings/title_encoder_test.cpp)
target_link_libraries(tlx_runs_tests PRIVATE tlx_device)
