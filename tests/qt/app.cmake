# Qt tests of the desktop programs: tlx_add_qt_test(name sources...)
