// What a piece of work costs the process: the processor time it takes and how far it raises
// the peak of the process's resident memory. Processor time rather than the wall clock, and the
// least of a few runs, as a benchmark reads it: a busy machine adds to a run's time, never takes
// from it.
#pragma once

#include <functional>

struct ResourceUse
{
    double cpuSeconds = 0.0;    // user and system time of every thread of the process: the least of the runs
    double peakMegabytes = 0.0; // the resident peak during a run less the resident size before it: the greatest
};

// Runs `work` and measures it, again (three runs at most) while no run has taken less than
// `cpuSeconds`. Before each run freed memory is handed back to the system and the kernel's
// record of the resident peak is reset (Linux /proc/self/clear_refs), so that neither an
// earlier, larger peak nor memory the process already holds hides the run's own.
ResourceUse MeasureResources(const std::function<void()>& work, double cpuSeconds);
