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
  app/main_window.cpp
  app/main_window.h
  app/menu_enabler.cpp
  app/menu_enabler.h
  app/qt_host.cpp
  app/qt_host.h
  app/single_instance.cpp
  app/single_instance.h
  app/traffic_log_window.cpp
  app/traffic_log_window.h
  dialogs/alarm_form_dialog.cpp
  dialogs/alarm_form_dialog.h
  dialogs/attribute_dialogs.cpp
  dialogs/attribute_widgets.cpp
  dialogs/attribute_widgets.h
  dialogs/attribute_window.cpp
  dialogs/attribute_window.h
  dialogs/compare_window.cpp
  dialogs/compare_window.h
  dialogs/connection_choice_dialog.cpp
  dialogs/connection_choice_dialog.h
  dialogs/date_time_window.cpp
  dialogs/date_time_window.h
  dialogs/device_settings_dialogs.cpp
  dialogs/dialog_context.cpp
  dialogs/dialog_context.h
  dialogs/dialog_forward.h
  dialogs/dialog_widgets.cpp
  dialogs/dialog_widgets.h
  dialogs/display_page_dialog.cpp
  dialogs/display_page_dialog.h
  dialogs/file_chooser.cpp
  dialogs/file_chooser.h
  dialogs/fleet_panel.cpp
  dialogs/fleet_panel.h
  dialogs/glyph_dialogs.cpp
  dialogs/glyph_editor_dialog.cpp
  dialogs/glyph_editor_dialog.h
  dialogs/glyph_info_dialog.cpp
  dialogs/glyph_info_dialog.h
  dialogs/glyph_insert_dialog.cpp
  dialogs/glyph_insert_dialog.h
  dialogs/glyph_list_dialog.cpp
  dialogs/glyph_list_dialog.h
  dialogs/glyph_sample_text.cpp
  dialogs/glyph_sample_text.h
  dialogs/line_attribute_window.cpp
  dialogs/line_attribute_window.h
  dialogs/paced_dialog.h
  dialogs/page_attribute_window.cpp
  dialogs/page_attribute_window.h
  dialogs/run_dialog.cpp
  dialogs/run_dialog.h
  dialogs/schedule_dialog.cpp
  dialogs/schedule_dialog.h
  dialogs/slave_address_box.cpp
  dialogs/slave_address_box.h
  dialogs/tcp_client_dialog.cpp
  dialogs/tcp_client_dialog.h
  dialogs/tcp_dialog_parts.cpp
  dialogs/tcp_dialog_parts.h
  dialogs/tcp_server_dialog.cpp
  dialogs/tcp_server_dialog.h
  dialogs/title_dialog.cpp
  dialogs/title_dialog.h
  dialogs/title_dialogs.cpp
  dialogs/title_text_edit.cpp
  dialogs/title_text_edit.h
  dialogs/titles_windows.cpp
  dialogs/titles_windows.h)
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
