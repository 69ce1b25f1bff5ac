#pragma once

#include "base/product.h"
#include "runs/run_step.h"

#include <chrono>

namespace tlx {

inline constexpr std::chrono::milliseconds kReadAllFirstInterval{200};

// The read-all run's timer: 200 ms for the titles, 60 ms for the attributes,
// then slower again for the last reads.
Pacing readAllPacing(Product p);

// The step whose answer ("VN") may move the run to its end.
int versionReadStep(Product p);

// Step 1..readAllSteps of the read-all run: one read command, or a change of
// pace. Steps outside the table do nothing.
RunStep readAllStep(Product p, int step);

} // namespace tlx
