# Sources of this piece: target_sources(tlx_core PRIVATE ...)
target_sources(tlx_core PRIVATE
  title_encoder.cpp
  title_encoder.h
  title_send.cpp
  title_send.h)
