# Test executables of this piece: tlx_add_core_test(name sources...)
tlx_add_core_test(tlx_runs_tests
  runs/run_harness.h
  runs/title_encoder_test.cpp)
