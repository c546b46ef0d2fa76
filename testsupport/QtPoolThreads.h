// Qt's global thread pool as ThreadSanitizer sees it in the test programs.
#pragma once

// Under ThreadSanitizer, while it lives, the sanitizer leaves the memory accesses of the threads
// of Qt's global pool unobserved; elsewhere it does nothing. Make it once the application object
// is made, before anything paints, and let it go before the application object.
//
// Qt's raster engine hands parts of a big picture (fills, conversions, scaling) to the threads
// of Qt's global pool and takes them back through a latch inside Qt, where the sanitizer, which
// does not see into Qt, sees no hand-over: every such picture looks like a race of Qt's own
// threads, whose stacks hold only unnamed Qt frames. Qt 6.4 has no way to keep the engine off
// its pool (it takes the serial path only on a pool thread, or with no pool at all). The suite
// runs no work of its own on that pool (its threads are std::thread), so leaving the pool's
// threads unobserved hides nothing of the suite's, while every thread of the suite, and its
// painting on the user-interface thread, stays observed.
class CQtPoolThreadsUnobserved
{
public:
    // Starts every thread the pool will have and keeps them for the whole run (a thread that
    // outlived its idle time would be replaced by one the sanitizer observes).
    CQtPoolThreadsUnobserved();
    // Observes them again, as the sanitizer wants a thread to be when it ends.
    ~CQtPoolThreadsUnobserved();
    CQtPoolThreadsUnobserved(const CQtPoolThreadsUnobserved&) = delete;
    CQtPoolThreadsUnobserved& operator=(const CQtPoolThreadsUnobserved&) = delete;
};
