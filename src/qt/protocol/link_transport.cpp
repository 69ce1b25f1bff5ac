// The link transport is header-only; this unit keeps the target list explicit.
#include "protocol/link_transport.h"
