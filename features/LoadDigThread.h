// CLoadDigThread: the worker that fills a CDig from its DIG cache behind the loading dialog,
// first rebuilding the cache from the DXF source when the source changed since the cache was
// made. It reports progress through two counters of its owner, stops early when the owner sets
// its stop flag, and ends by posting UM_DIG_THREAD (wParam 1 when stopped, else 0) to the owner.
//
// The owner creates it suspended through its run-time class, fills the fields and resumes it.
// Everything the thread writes (the drawing, the counters) must outlive it: an owner that goes
// away first sets the stop flag and waits for the thread's end.
#pragma once

#include "features/Dig.h"
#include "features/Dxf.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/WinThread.h"

#include <atomic>

class CLoadDigThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoadDigThread)
public:
    CLoadDigThread() = default;

    BOOL InitInstance() override { return TRUE; }
    // Loads the drawing, posts the end message; returns 0.
    int Run() override;

    // The window that receives UM_DIG_THREAD. Its handle is taken here, before the thread runs:
    // the window clears it while it is destroyed, which may be while the thread ends.
    void SetOwner(CCmdTarget* owner) { m_hOwner = owner ? owner->GetSafeHwnd() : nullptr; }

    std::atomic<bool> m_bStop{false};     // set by the owner to stop the work
    CDig* m_pDig = nullptr;               // the drawing filled
    LoadCounter* m_pBytesTotal = nullptr; // length of the file being read
    LoadCounter* m_pBytesDone = nullptr;  // bytes of it read so far

private:
    HWND m_hOwner = nullptr;
    bool Stopped() const { return m_bStop.load(std::memory_order_relaxed); }
    void RebuildFromDxf(CDxf& dxf);
    // Reads the cache into the drawing; false (no points, the problem said) when it is damaged.
    bool ReadCache();
};
