tlx_add_core_test(tlx_compare_tests
  compare/settings_compare_test.cpp)
