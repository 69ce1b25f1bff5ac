# Sources of this piece: target_sources(tlx_core PRIVATE ...)
target_sources(tlx_core PRIVATE
  fleet_run.cpp
  fleet_run.h
  paced_run.cpp
  paced_run.h
  read_all_run.cpp
  read_all_run.h
  read_all_steps.cpp
  read_all_steps.h
  run_progress.cpp
  run_progress.h
  run_step.h
  send_all_run.cpp
  send_all_run.h
  send_all_steps.cpp
  send_all_steps.h
  title_all_pages_run.cpp
  title_all_pages_run.h
  title_encoder.cpp
  title_encoder.h
  title_send.cpp
  title_send.h)
