#pragma once

namespace tramora {

// Waits while the thread's events keep running, so the window stays alive and other timers
// fire; their handlers guard themselves against re-entry.
void pauseWithEvents(int ms);

} // namespace tramora
