# Traffic log: lines framed per link, the bounded ring, the text of a line.
target_sources(tlx_core PRIVATE
  traffic_log.cpp
  traffic_log.h)
