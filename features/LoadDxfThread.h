// CLoadDxfThread: the worker that reads a whole DXF drawing into a CDxf behind the loading
// dialog, loads its display settings and, as a by-product, writes the drawing's DIG cache. It
// reports progress through two counters of its owner, stops between entities when the owner
// sets its stop flag, and ends by posting UM_DXF_THREAD (wParam 1 when stopped, else 0).
//
// Created, filled and resumed by its owner as CLoadDigThread is, under the same rule: what it
// writes must outlive it.
#pragma once

#include "features/Dxf.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/WinThread.h"

#include <atomic>

class CLoadDxfThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoadDxfThread)
public:
    CLoadDxfThread() = default;

    BOOL InitInstance() override { return TRUE; }
    // Reads the drawing, posts the end message; returns 0.
    int Run() override;

    // The window that receives UM_DXF_THREAD. Its handle is taken here, before the thread runs:
    // the window clears it while it is destroyed, which may be while the thread ends.
    void SetOwner(CCmdTarget* owner) { m_hOwner = owner ? owner->GetSafeHwnd() : nullptr; }

    std::atomic<bool> m_bStop{false};     // set by the owner to stop the work
    CDxf* m_pDxf = nullptr;               // the drawing filled
    LoadCounter* m_pBytesTotal = nullptr; // length of the DXF file
    LoadCounter* m_pBytesDone = nullptr;  // bytes of it read so far

private:
    HWND m_hOwner = nullptr;
    bool Stopped() const { return m_bStop.load(std::memory_order_relaxed); }
};
