#pragma once

#include <functional>

namespace tramora {

// Runs work on a worker thread while the calling thread's events keep flowing, as if it were
// processing pending events, and returns once the work is done. Long file work (deflating a
// large document, a move across volumes) then never freezes the window.
void runWhileEventsFlow(const std::function<void()> &work);

// Waits the given time with events flowing.
void waitWithEventsFlowing(int milliseconds);

} // namespace tramora
