# The desktop programs' shell logic: menus and routing, window and clock
# texts, the exit flow, the slave address box and the run dialogs.
target_sources(tlx_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/menu_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_logic.h
  ${CMAKE_CURRENT_LIST_DIR}/shell_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_logic.h
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.h
  ${CMAKE_CURRENT_LIST_DIR}/slave_address_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slave_address_logic.h
  ${CMAKE_CURRENT_LIST_DIR}/../model/run_dialog_controller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../model/run_dialog_controller.h)
