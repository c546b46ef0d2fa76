// CLoadDtmThread: does one of the three jobs of a terrain model in the background, behind the
// modal progress dialog that started it, and ends that dialog with UM_DTM_THREAD.
//
//     CLoadDtmThread* t = static_cast<CLoadDtmThread*>(AfxBeginThread(
//         RUNTIME_CLASS(CLoadDtmThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
//     t->SetOwner(this);  t->m_pDtm = dtm;  t->m_nMode = 1;
//     t->m_pBytesTotal = &m_BytesTotal;  t->m_pBytesDone = &m_BytesDone;
//     t->ResumeThread();
//
// The object does not delete itself: its owner sets m_bStop to stop it, waits for its end
// (WaitForEnd) and deletes it. Until then the thread writes the model, the counters and the
// current point, so none of them may go before the wait.
#pragma once

#include "features/XyzRangeReader.h"
#include "platform/core/WinThread.h"

#include <atomic>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <mutex>

class CDtm;

// What the extents pass has found so far, as a progress display shows it.
struct DtmExtentsShownDef
{
    double MinEasting = DBL_MAX, MaxEasting = DBL_MAX;
    double MinNorthing = DBL_MAX, MaxNorthing = DBL_MAX;
    double MinDepth = DBL_MAX, MaxDepth = DBL_MAX; // DBL_MAX: none yet
    double CellSize = 0.0;
    int32_t Columns = 0, Rows = 0;
};

// The extents pass copies its findings here now and then, and a display on another thread
// reads the copy: the model itself is written by the pass with no lock.
class CDtmExtentsProgress
{
public:
    // Copies the working extents and the grid size of `dtm` (called by the pass).
    void Publish(const CDtm& dtm);
    DtmExtentsShownDef Get() const;

private:
    mutable std::mutex m_Lock;
    DtmExtentsShownDef m_Shown;
};

class CLoadDtmThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoadDtmThread)
public:
    CLoadDtmThread();

    BOOL InitInstance() override;
    // Mode 0 reads the cache into the model (its header already read); mode 1 stamps the
    // source files and measures the grid; mode 2 fills the grid from the sources and writes
    // the cache whole, or no cache at all when stopped or failing. Then posts UM_DTM_THREAD to
    // the owner (wParam: the stop flag, lParam 0) and returns 0.
    int Run() override;

    // The target of the end message, its handle taken now so that the thread never reads
    // the owner.
    void SetOwner(CCmdTarget* owner);
    // Blocks until the thread has ended (at once for one never started).
    void WaitForEnd();

    // The jobs themselves, run on the calling thread (the thread's Run calls one of them).
    void ReadCache();
    void ComputeExtents();
    void MakeGrid();

    // The cache is read in blocks of whole rows of about this many bytes (at least one row).
    static const int64_t kCacheBlockBytes = int64_t(1) << 20;

    CCmdTarget* m_pOwner;
    HWND m_hOwner;
    std::atomic<bool> m_bStop;
    int32_t m_nMode;
    CDtm* m_pDtm;
    // Bytes of the file being read, and bytes read so far: 64-bit, since sources and caches
    // pass 2 GB. May be null.
    std::atomic<int64_t>* m_pBytesTotal;
    std::atomic<int64_t>* m_pBytesDone;
    // Mode 1 copies what it has found so far here. May be null.
    CDtmExtentsProgress* m_pExtents;
    // The point mode 2 has just read (m; depth DBL_MAX for none). May be null.
    std::atomic<double>* m_pEasting;
    std::atomic<double>* m_pNorthing;
    std::atomic<double>* m_pDepth;
    // How many ranges of a source modes 1 and 2 read side by side, each on a thread of its own:
    // 0 (the default) chooses by the source's size and the machine's cores; a number reads even
    // a small source in that many ranges; -1 reads in order, one point after another, the
    // reading that every other must match.
    int m_nRanges = 0;

private:
    // The extents pass: ResetHeader and the source stamps; then the sources read in ranges
    // side by side (false when the model must be measured again in order), or in order.
    void StartExtents();
    bool MeasureInRanges(int& badFile, int64_t& badLine);
    void MeasureInOrder(int& badFile, int64_t& badLine);
    // The grid pass: every point of the sources into its cell, in ranges side by side.
    void PlacePoints();
    // Source `index` (0..2) open for reading, its length in `length` and in the byte counters;
    // null when it is not named or cannot be opened.
    FILE* OpenSource(int index, int64_t& length);
};
