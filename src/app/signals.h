#pragma once

#include <functional>

namespace app {

// Turns SIGTERM and SIGINT (the desktop session ending, a kill, Ctrl+C in a
// terminal) into the program's orderly end, run from the event loop.
//
// blockTerminationSignals() must run first thing in main, before any thread
// exists: the signals are then blocked in every thread the program and the
// embedded database engine start, and are read from a descriptor by the
// event loop instead. A handler running in one of the engine's threads
// would interrupt it in the middle of its work and leave the closing of the
// connection waiting for it.
void blockTerminationSignals();
void endOnTerminationSignals(std::function<void()> orderlyEnd);

} // namespace app
