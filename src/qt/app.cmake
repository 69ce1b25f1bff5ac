# Desktop programs: the widget library, the resources and the two executables.
# The model of each program is chosen in its own main file and nowhere else.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)

add_library(tlx_desktop STATIC
  app/about_dialog.cpp
  app/about_dialog.h
  app/app_dialogs.cpp
  app/app_dialogs.h
  app/app_icons.cpp
  app/app_icons.h
  app/desktop_program.cpp
  app/desktop_program.h
  app/link_hub.cpp
  app/link_hub.h
  app/main_window.cpp
  app/main_window.h
  app/menu_enabler.cpp
  app/menu_enabler.h
  app/qt_host.cpp
  app/qt_host.h
  app/single_instance.cpp
  app/single_instance.h
  link/connection_choice_dialog.cpp
  link/connection_choice_dialog.h
  link/slave_address_box.cpp
  link/slave_address_box.h
  link/tcp_client_dialog.cpp
  link/tcp_client_dialog.h
  link/tcp_dialog_parts.cpp
  link/tcp_dialog_parts.h
  link/tcp_server_dialog.cpp
  link/tcp_server_dialog.h
  model/file_chooser.cpp
  model/file_chooser.h
  model/fleet_panel.cpp
  model/fleet_panel.h
  model/run_dialog.cpp
  model/run_dialog.h
  dialogs/dialog_context.cpp
  dialogs/dialog_context.h)
include(${CMAKE_CURRENT_LIST_DIR}/dialogs/attribute.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/dialogs/title.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/dialogs/device_settings.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/glyphs/glyphs.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/dialogs/compare.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/app/tools.cmake)
set_target_properties(tlx_desktop PROPERTIES AUTOMOC ON)
target_include_directories(tlx_desktop PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tlx_desktop PRIVATE TLX_VERSION="${PROJECT_VERSION}"
                                               TLX_APP_ID_PREFIX="${TLX_APP_ID_PREFIX}")
target_link_libraries(tlx_desktop PUBLIC tlx_qt Qt6::Widgets PRIVATE tlx_warnings)

# Toolbar strips and application icons, compiled in; an object library so the
# resources register themselves in every program and test that links it.
set(tlx_res_dir ${PROJECT_SOURCE_DIR}/src/res)
add_library(tlx_res OBJECT ${tlx_res_dir}/tlx500.qrc)
set_target_properties(tlx_res PROPERTIES AUTORCC ON)
target_link_libraries(tlx_res PRIVATE Qt6::Core)

foreach(model F S)
  string(TOLOWER ${model} lower)
  set(program TLX500${model}_Z200)
  add_executable(${program} app/main_${lower}.cpp)
  target_link_libraries(${program} PRIVATE tlx_desktop tlx_res tlx_warnings)
  install(TARGETS ${program} RUNTIME DESTINATION bin)
  install(FILES ${tlx_res_dir}/${program}.desktop DESTINATION share/applications
          RENAME ${TLX_APP_ID_PREFIX}.${program}.desktop)
  foreach(size 16 32 48 128)
    install(FILES ${tlx_res_dir}/tlx500${lower}_z200_${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME tlx500${lower}_z200.png)
  endforeach()
endforeach()
