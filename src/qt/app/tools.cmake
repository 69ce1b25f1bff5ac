# The windows of the "ツール" menu: target_sources(tlx_desktop PRIVATE ...)
target_sources(tlx_desktop PRIVATE
  app/traffic_log_window.cpp
  app/traffic_log_window.h)
