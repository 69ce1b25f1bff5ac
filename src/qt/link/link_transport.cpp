// The link transport is header-only; this unit keeps the target list explicit.
#include "link/link_transport.h"
