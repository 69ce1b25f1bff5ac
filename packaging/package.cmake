# The Debian package: the four programs, their manual pages (made from each
# program's --help by help2man), desktop entries, icons, AppStream metainfo,
# bash completion, copyright and changelog. Built by CPack:
#   cmake --build --preset package --target package   (scripts/package.sh)
set(tlx_pkg_dir ${PROJECT_SOURCE_DIR}/packaging)
set(tlx_doc_dir share/doc/tlx500)

install(TARGETS tlx500ctl tlx500-sim RUNTIME DESTINATION bin)
foreach(program TLX500F_Z200 TLX500S_Z200)
  set(metainfo ${CMAKE_BINARY_DIR}/packaging/${TLX_APP_ID_PREFIX}.${program}.metainfo.xml)
  configure_file(${tlx_pkg_dir}/${program}.metainfo.xml.in ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION share/metainfo)
endforeach()
install(FILES ${tlx_pkg_dir}/completions/tlx500ctl ${tlx_pkg_dir}/completions/tlx500-sim
        DESTINATION share/bash-completion/completions)
install(FILES ${tlx_pkg_dir}/copyright DESTINATION ${tlx_doc_dir})

find_program(TLX_GZIP gzip REQUIRED)
set(tlx_gz_dir ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${tlx_gz_dir}/changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${tlx_gz_dir}
  COMMAND ${TLX_GZIP} -9nc ${tlx_pkg_dir}/changelog > ${tlx_gz_dir}/changelog.Debian.gz
  DEPENDS ${tlx_pkg_dir}/changelog
  VERBATIM)
set(tlx_pkg_outputs ${tlx_gz_dir}/changelog.Debian.gz)
install(FILES ${tlx_gz_dir}/changelog.Debian.gz DESTINATION ${tlx_doc_dir})

# One manual page per program, from its own --help and --version: the help
# text is the one source, so the two cannot drift apart.
find_program(TLX_HELP2MAN help2man)
if(TLX_HELP2MAN)
  set(tlx_man_tlx500ctl "command-line control of TLX-500 title superimposers")
  set(tlx_man_tlx500-sim "TLX-500 title superimposer emulator")
  set(tlx_man_TLX500F_Z200 "configuration tool for the TLX-500 model F title superimposer")
  set(tlx_man_TLX500S_Z200 "configuration tool for the TLX-500 model S title superimposer")
  foreach(program tlx500ctl tlx500-sim TLX500F_Z200 TLX500S_Z200)
    set(page ${tlx_gz_dir}/${program}.1)
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${tlx_gz_dir}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${TLX_HELP2MAN} --no-info --section=1 "--name=${tlx_man_${program}}"
              --output=${page} $<TARGET_FILE:${program}>
      COMMAND ${TLX_GZIP} -9nf ${page}
      DEPENDS ${program}
      VERBATIM)
    list(APPEND tlx_pkg_outputs ${page}.gz)
    install(FILES ${page}.gz DESTINATION share/man/man1)
  endforeach()
else()
  message(STATUS "help2man not found: the package goes without manual pages")
endif()
add_custom_target(tlx_package_files ALL DEPENDS ${tlx_pkg_outputs})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tlx500)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT
    "Seed 9685d2b6 maintainers <maintainers@users.noreply.c-seed-9685d2b6.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for TLX-500 video title superimposers")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${tlx_pkg_dir}/description.txt)
# Libraries come from dpkg-shlibdeps; what the programs load at run time
# (the platform plugin, a Japanese font) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
