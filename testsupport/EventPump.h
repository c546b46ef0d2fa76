// Runs the test thread's event loop so that posted messages, timers and paints arrive.
#pragma once

#include <functional>

// A few passes over the events waiting now.
void Pump();
// Runs events until `done` holds; false when `timeoutMs` passes first. Sleeps a millisecond a
// pass, to leave the processor to the reader threads a test waits for.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Runs events for `ms` milliseconds.
void PumpFor(int ms);
