# Sources of this piece: target_sources(tlx_core PRIVATE ...)
