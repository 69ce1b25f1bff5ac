# Test executables of this piece: tlx_add_core_test(name sources...)
tlx_add_core_test(tlx_runs_tests
  runs/read_all_run_test.cpp
  runs/read_all_steps_test.cpp
  runs/run_harness.h
  runs/title_encoder_test.cpp)
