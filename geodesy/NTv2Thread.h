// CNTv2Thread: reads the NTv2 grid file "NTV2_0.GSB" of the "Global" data folder into a CNTv2
// in the background and reports only through flags: `m_bLoaded` and `m_bFinished` of the
// grid, and the owner's load-running flag, which it clears when the thread object goes.
//
//     m_pLoadThread = CNTv2Thread::StartLoad(&m_NTv2, &m_NTv2Loading);
//
// or by hand: AfxBeginThread(RUNTIME_CLASS(CNTv2Thread), THREAD_PRIORITY_NORMAL, 0,
// CREATE_SUSPENDED), SetTarget, set the flag, ResumeThread. The thread deletes itself when it
// ends, so the owner keeps its pointer for reference only; to stop a load it calls
// CNTv2::StopLoading, never the thread object.
#pragma once

#include "platform/core/WinThread.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class CFile;
class CNTv2;
class DataSetDef;

class CNTv2Thread : public CWinThread
{
    DECLARE_DYNCREATE(CNTv2Thread)
public:
    CNTv2Thread();
    // Clears the owner's load-running flag and lets the grid know that this load is over.
    ~CNTv2Thread() override;

    // Creates the thread suspended, sets its target and flag, sets the flag true and resumes
    // it. Null (flag untouched) when the thread cannot be started.
    static CNTv2Thread* StartLoad(CNTv2* pNTv2, std::atomic<bool>* pLoading);

    // The grid to fill and the owner's load-running flag (may be null), before the thread is
    // resumed. A thread that is never resumed is let go by CNTv2::StopLoading (and so by the
    // grid's destructor).
    void SetTarget(CNTv2* pNTv2, std::atomic<bool>* pLoading);

    BOOL InitInstance() override;
    // Loads the file and returns 0. Every count in the file is checked against the file's
    // size and the grid's dimensions before anything is allocated; the sub-grids are added to
    // the grid, and `m_bLoaded` set, only when the whole file has been read.
    int Run() override;

    CNTv2* m_pNTv2;                // the grid being filled (set through SetTarget)
    std::atomic<bool>* m_pLoading; // the owner's load-running flag (set through SetTarget)
    int32_t m_nSubGrids;           // sub-grids read so far
    int32_t m_nFiles;              // NUM_FILE of the file being read
    std::atomic<bool> m_bStop;     // tested after every block of records and every sub-grid

private:
    friend class CNTv2;
    // One lock for every grid's list of loaders and every loader's target, so that a thread
    // that has not started yet can be let go safely; the condition is signalled whenever a
    // loader leaves a list.
    static std::mutex& LoadersLock();
    static std::condition_variable& LoaderGone();
    // Takes the thread off its grid's list; the loaders' lock is held.
    void Detach();
    struct OverviewDef;
    // Reads and checks the whole file into `overview` and `subGrids`; false for a file that
    // is not whole or not consistent, or when the load is stopped.
    bool ReadGrid(CFile& file, OverviewDef& overview, std::vector<std::unique_ptr<DataSetDef>>& subGrids);

    bool m_bRunning; // Run has begun; guarded by the loaders' lock
};
