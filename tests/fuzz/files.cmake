# libFuzzer targets of the files piece: tlx_add_fuzz_target(fuzz_name sources...)
tlx_add_fuzz_target(fuzz_settings_file fuzz_settings_file.cpp)
tlx_add_fuzz_target(fuzz_glyph_list fuzz_glyph_list.cpp)
tlx_add_fuzz_target(fuzz_ini fuzz_ini.cpp)
