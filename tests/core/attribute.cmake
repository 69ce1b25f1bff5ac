# Unit tests of this piece: tlx_add_core_test(name sources...)
