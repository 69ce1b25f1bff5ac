# Schedule, alarm, remote, others and device network logic.
target_sources(tlx_core PRIVATE
  alarm_form.cpp
  alarm_form.h
  alarm_form_tables.cpp
  device_network_read_run.cpp
  device_network_read_run.h
  schedule_logic.cpp
  schedule_logic.h
  schedule_run.cpp
  schedule_run.h)
