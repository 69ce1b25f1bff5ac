#pragma once

// The names of the types that the command functions, runs and dialogs take
// by reference, for the headers that need no more than the names.

namespace tlx {

struct AppState;
class Host;
class LinkControl;
class Transport;

} // namespace tlx
