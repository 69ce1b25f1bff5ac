# libFuzzer targets of the files piece: tlx_add_fuzz_target(fuzz_name sources...)
