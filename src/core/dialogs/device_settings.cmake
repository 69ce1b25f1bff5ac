# Schedule, alarm, remote, others and device network logic: target_sources(tlx_core PRIVATE ...)
