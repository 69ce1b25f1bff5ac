#pragma once

#include "app/product.h"

namespace tlx::qt {

// The desktop program of one model, from start-up to the end of its event
// loop; returns the exit code.
int runDesktopProgram(Product product, int& argc, char** argv);

} // namespace tlx::qt
