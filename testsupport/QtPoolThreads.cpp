#include "testsupport/QtPoolThreads.h"

#if defined(__SANITIZE_THREAD__)
#include <QRunnable>
#include <QSemaphore>
#include <QThreadPool>
#include <sanitizer/tsan_interface.h>

#include <memory>

// The sanitizer's runtime offers these, though its header (of this compiler) does not declare
// them: the calling thread's memory accesses are not observed from the first call to the second.
extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();

namespace
{
// What the sanitizer is told is handed over with a task, as it does not see the lock of the
// pool's queue: everything the giving thread did before it gave the task, the task and its
// captures included.
char handOver;

// Runs `step` once on each thread the pool may have: every task waits until all have started,
// so that each runs on a thread of its own. It waits for the tasks by semaphore, not by
// QThreadPool::waitForDone, which also ends every thread of the pool; the tasks share the
// semaphores, as the last one may still be inside its release when the wait returns.
void OnEveryPoolThread(QThreadPool* pool, void (*step)())
{
    struct Gates
    {
        QSemaphore started;
        QSemaphore release;
        QSemaphore finished;
    };
    const auto gates = std::make_shared<Gates>();
    const int count = pool->maxThreadCount();
    for (int i = 0; i < count; ++i)
    {
        QRunnable* task = QRunnable::create([gates, step] {
            __tsan_acquire(&handOver);
            step();
            gates->started.release();
            gates->release.acquire();
            gates->finished.release();
        });
        __tsan_release(&handOver);
        pool->start(task);
    }
    gates->started.acquire(count);
    gates->release.release(count);
    gates->finished.acquire(count);
}
} // namespace

CQtPoolThreadsUnobserved::CQtPoolThreadsUnobserved()
{
    if (QThreadPool* pool = QThreadPool::globalInstance())
    {
        pool->setExpiryTimeout(-1);
        OnEveryPoolThread(pool, &__tsan_ignore_thread_begin);
    }
}

CQtPoolThreadsUnobserved::~CQtPoolThreadsUnobserved()
{
    if (QThreadPool* pool = QThreadPool::globalInstance())
        OnEveryPoolThread(pool, &__tsan_ignore_thread_end);
}
#else
CQtPoolThreadsUnobserved::CQtPoolThreadsUnobserved() = default;
CQtPoolThreadsUnobserved::~CQtPoolThreadsUnobserved() = default;
#endif
