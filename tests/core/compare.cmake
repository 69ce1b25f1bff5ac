tlx_add_core_test(tlx_compare_tests
  runs/settings_compare_test.cpp)
