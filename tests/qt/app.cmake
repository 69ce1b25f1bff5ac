# Qt tests of the desktop programs (offscreen), and the core logic of their
# shell.
tlx_add_core_test(tlx_shell_logic_tests app/shell_logic_test.cpp)
