#pragma once

#include <iosfwd>

#include "ctl_options.h"

namespace tlx::ctl {

// "titles export" and "titles import": settings file and text file only, no
// link. Returns the exit status: 0 done, 1 rows refused (each listed on err),
// 2 usage and file errors.
int runTitles(const Options& options, std::ostream& out, std::ostream& err);

} // namespace tlx::ctl
