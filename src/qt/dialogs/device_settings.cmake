# Schedule, alarm, remote, others and device network dialogs.
target_sources(tlx_desktop PRIVATE
  dialogs/alarm_form_dialog.cpp
  dialogs/alarm_form_dialog.h
  dialogs/device_settings_dialogs.cpp
  dialogs/schedule_dialog.cpp
  dialogs/schedule_dialog.h)
