# Qt tests of this piece: tlx_add_qt_test(name sources...), linking tlx_qt_app_support tlx_desktop tlx_res Qt6::Widgets
