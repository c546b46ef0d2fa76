#include "features/LoadDtmThread.h"

#include "features/Dtm.h"
#include "features/XyzRangeReader.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace
{
void Store(std::atomic<int64_t>* target, int64_t value)
{
    if (target)
        target->store(value, std::memory_order_relaxed);
}

void Store(std::atomic<double>* target, double value)
{
    if (target)
        target->store(value, std::memory_order_relaxed);
}

FILE* OpenFile(const char* windowsPath, const char* mode)
{
    return std::fopen(LinuxPathBytesFromWindows(windowsPath).constData(), mode);
}

int64_t StreamLength(FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return 0;
    const int64_t length = static_cast<int64_t>(ftello(file));
    std::fseek(file, 0, SEEK_SET);
    return length < 0 ? 0 : length;
}

// A bit for each cell of a grid, set as the cell is written; shared by the threads placing
// points at once.
class CCellBits
{
public:
    explicit CCellBits(int64_t cells)
        : m_Count(static_cast<size_t>(cells / 64 + 1)), m_Words(new std::atomic<uint64_t>[m_Count])
    {
        Clear();
    }
    void Clear()
    {
        for (size_t k = 0; k < m_Count; ++k)
            m_Words[k].store(0, std::memory_order_relaxed);
    }
    // Sets the bit of `index`; true when it was set already.
    bool Set(int64_t index)
    {
        const uint64_t bit = uint64_t(1) << (index & 63);
        return (m_Words[static_cast<size_t>(index >> 6)].fetch_or(bit, std::memory_order_relaxed) & bit) != 0;
    }
    // Sets every bit that `other` has set.
    void Add(const CCellBits& other)
    {
        for (size_t k = 0; k < m_Count; ++k)
            m_Words[k].fetch_or(other.m_Words[k].load(std::memory_order_relaxed), std::memory_order_relaxed);
    }
    // Calls `unset(index)` for every cell of `cells` whose bit is not set.
    template <class Unset> void ForEachUnset(int64_t cells, Unset unset) const
    {
        for (int64_t word = 0; word * 64 < cells; ++word)
        {
            const uint64_t bits = m_Words[static_cast<size_t>(word)].load(std::memory_order_relaxed);
            if (bits == ~uint64_t(0))
                continue;
            for (int64_t i = word * 64; i < std::min(cells, word * 64 + 64); ++i)
                if (!(bits & (uint64_t(1) << (i & 63))))
                    unset(i);
        }
    }

private:
    size_t m_Count;
    std::unique_ptr<std::atomic<uint64_t>[]> m_Words;
};

// Puts points into a model's grid, a later point over an earlier one in the same cell, and
// marks each cell it writes in `written`. With `overlap`, it is one of several ranges placed at
// once: a cell goes to the first point that claims it, a second raises `overlap`, and the source
// is placed again in order, so that the later point wins as it must.
class CCellPlacer
{
public:
    CCellPlacer(CDtm& dtm, CCellBits& written, std::atomic<bool>* overlap = nullptr)
        : m_Dtm(dtm), m_Cells(dtm.m_pCells), m_Columns(dtm.m_Header.Columns), m_Written(written),
          m_pOverlap(overlap)
    {
    }

    // The depth a point stands for (m, positive down): none (DBL_MAX) for a depth of 0.
    static double DepthOf(double depth) { return depth == 0.0 ? DBL_MAX : std::fabs(depth); }

    void Place(double easting, double northing, double depth)
    {
        // Survey grids run row after row (or column after column): a run of points shares its
        // northing (or easting), whose row (or column) is worked out once for the run. The
        // depths dialog's timer looks up the current point's column and row meanwhile: the
        // grid's kept last column and row are its own.
        if (!(easting == m_Easting))
        {
            m_Easting = easting;
            m_Column = m_Dtm.ColumnOf(easting);
        }
        if (m_Column < 0)
            return;
        if (!(northing == m_Northing))
        {
            m_Northing = northing;
            m_Row = m_Dtm.RowOf(northing);
        }
        if (m_Row < 0)
            return;
        const int32_t index = m_Row * m_Columns + m_Column;
        if (m_Written.Set(index) && m_pOverlap)
        {
            m_pOverlap->store(true, std::memory_order_relaxed);
            return;
        }
        // A depth no centimetre cell can hold (beyond about 21 km, or not a number) is no
        // depth rather than whatever the conversion would make of it.
        const double centimetres = DepthOf(depth) * 100.0;
        m_Cells[index] = centimetres < static_cast<double>(DTM_NO_DEPTH) ? static_cast<int32_t>(centimetres)
                                                                         : DTM_NO_DEPTH;
    }

private:
    const CDtm& m_Dtm;
    int32_t* m_Cells;
    int32_t m_Columns;
    // The last easting and northing looked up (NaN: none yet) and their column and row.
    double m_Easting = std::nan("");
    double m_Northing = std::nan("");
    int32_t m_Column = -1;
    int32_t m_Row = -1;
    CCellBits& m_Written;
    std::atomic<bool>* m_pOverlap;
};

// Points between copies of the progress for the display: often enough for a tick, rare enough
// to cost nothing beside the reading.
const int64_t kShowEvery = 4096;

// The ranges a source of `length` bytes is shared out in between threads: `chosen` when set,
// else one for a small file, else one a core (leaving one to the rest of the machine) up to four.
int RangeCount(int64_t length, int chosen)
{
    if (chosen != 0)
        return std::max(chosen, 1);
    const int64_t kMinRangeBytes = int64_t(2) << 20;
    const unsigned cores = std::thread::hardware_concurrency();
    const int64_t most = cores > 2 ? std::min<int64_t>(4, cores - 1) : 1;
    return static_cast<int>(std::max<int64_t>(1, std::min(most, length / kMinRangeBytes)));
}

struct RangeThreadParam
{
    const std::function<void(int)>* job;
    int range;
};

UINT RangeThreadProc(LPVOID param)
{
    auto* p = static_cast<RangeThreadParam*>(param);
    (*p->job)(p->range);
    return 0;
}

// Runs job(r) for every range r of `count`, each on a thread of its own (one range on the
// calling thread), and waits for them all; `tick` runs on the calling thread every so often
// meanwhile and once at the end.
void RunRanges(int count, const std::function<void(int)>& job, const std::function<void()>& tick)
{
    // One range needs no thread of its own.
    if (count == 1)
    {
        job(0);
        tick();
        return;
    }
    std::vector<RangeThreadParam> params(static_cast<size_t>(count));
    std::vector<CWinThread*> threads;
    std::vector<int> unstarted;
    for (int r = 0; r < count; ++r)
    {
        params[static_cast<size_t>(r)] = RangeThreadParam{&job, r};
        CWinThread* thread = AfxBeginThread(RangeThreadProc, &params[static_cast<size_t>(r)],
                                            THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (!thread)
        {
            unstarted.push_back(r);
            continue;
        }
        thread->m_bAutoDelete = FALSE;
        threads.push_back(thread);
        thread->ResumeThread();
    }
    // A range whose thread could not start is read here instead.
    for (int r : unstarted)
        job(r);
    for (CWinThread* thread : threads)
    {
        while (WaitForSingleObject(thread->m_hThread, 100) == WAIT_TIMEOUT)
            tick();
        delete thread;
    }
    tick();
}

// What the points of one range add to the extents, to be joined in file order with those of
// the ranges before it: for each axis the first and last value, the least and greatest and the
// smallest step between neighbours that differ; the depths; the file's extent of points with
// a depth.
struct ExtentPart
{
    int64_t lines = 0;
    int64_t badLine = 0; // the range's line of the first point that is not finite; 0: none
    bool plain = true;   // false when a co-ordinate is DBL_MAX, which the in-order pass reads as none
    bool any = false;
    double firstE = 0, firstN = 0, lastE = 0, lastN = 0;
    double minE = 0, maxE = 0, minN = 0, maxN = 0;
    double step = 0.0; // 0: no step yet
    bool anyDepth = false;
    double minD = 0, maxD = 0;
    bool anyAdded = false;
    double extent[4] = {0, 0, 0, 0};

    static void NarrowStep(double& step, double candidate)
    {
        if (step == 0.0 || step > candidate)
            step = candidate;
    }

    // One point (m; depth DBL_MAX for none).
    void Add(double e, double n, double d)
    {
        if (e == DBL_MAX || n == DBL_MAX)
            plain = false;
        if (!any)
        {
            any = true;
            firstE = lastE = minE = maxE = e;
            firstN = lastN = minN = maxN = n;
        }
        else
        {
            if (e != lastE)
            {
                NarrowStep(step, std::fabs(e - lastE));
                minE = std::min(minE, e);
                maxE = std::max(maxE, e);
                lastE = e;
            }
            if (n != lastN)
            {
                NarrowStep(step, std::fabs(n - lastN));
                minN = std::min(minN, n);
                maxN = std::max(maxN, n);
                lastN = n;
            }
        }
        if (d == DBL_MAX)
            return;
        if (!anyDepth)
        {
            anyDepth = true;
            minD = maxD = d;
        }
        else
        {
            minD = std::min(minD, d);
            maxD = std::max(maxD, d);
        }
        if (!anyAdded)
        {
            anyAdded = true;
            extent[0] = extent[2] = e;
            extent[1] = extent[3] = n;
        }
        else
        {
            extent[0] = std::min(extent[0], e);
            extent[1] = std::min(extent[1], n);
            extent[2] = std::max(extent[2], e);
            extent[3] = std::max(extent[3], n);
        }
    }

    // The part that follows this one in the file (lines, bad lines and the file extent aside).
    void Join(const ExtentPart& next)
    {
        plain = plain && next.plain;
        if (next.any)
        {
            if (!any)
            {
                any = true;
                firstE = next.firstE;
                firstN = next.firstN;
                minE = next.minE;
                maxE = next.maxE;
                minN = next.minN;
                maxN = next.maxN;
            }
            else
            {
                if (next.firstE != lastE)
                    NarrowStep(step, std::fabs(next.firstE - lastE));
                if (next.firstN != lastN)
                    NarrowStep(step, std::fabs(next.firstN - lastN));
                minE = std::min(minE, next.minE);
                maxE = std::max(maxE, next.maxE);
                minN = std::min(minN, next.minN);
                maxN = std::max(maxN, next.maxN);
            }
            lastE = next.lastE;
            lastN = next.lastN;
            if (next.step > 0.0)
                NarrowStep(step, next.step);
        }
        if (next.anyDepth)
        {
            minD = anyDepth ? std::min(minD, next.minD) : next.minD;
            maxD = anyDepth ? std::max(maxD, next.maxD) : next.maxD;
            anyDepth = true;
        }
    }

    void JoinExtent(const ExtentPart& next)
    {
        if (!next.anyAdded)
            return;
        if (!anyAdded)
        {
            anyAdded = true;
            std::copy(next.extent, next.extent + 4, extent);
            return;
        }
        extent[0] = std::min(extent[0], next.extent[0]);
        extent[1] = std::min(extent[1], next.extent[1]);
        extent[2] = std::max(extent[2], next.extent[2]);
        extent[3] = std::max(extent[3], next.extent[3]);
    }

    // The model's working extents as the in-order pass leaves them, with display counts.
    void ApplyTo(CDtm& dtm) const
    {
        if (!any)
            return;
        DtmHeaderDef& h = dtm.m_Header;
        h.EastingMin = dtm.m_MinEasting = minE;
        dtm.m_MaxEasting = maxE;
        h.NorthingMin = dtm.m_MinNorthing = minN;
        dtm.m_MaxNorthing = maxN;
        dtm.m_PrevEasting = lastE;
        dtm.m_PrevNorthing = lastN;
        h.CellSize = step;
        if (anyDepth)
        {
            h.DepthMin = dtm.m_MinDepth = minD;
            h.DepthMax = dtm.m_MaxDepth = maxD;
        }
        // Counts for the display while the pass runs; FinishExtents settles them.
        const auto count = [this](double span) {
            const double steps = span / step;
            return steps >= 0.0 && steps < 2147483646.0 ? static_cast<int32_t>(steps) + 1 : INT32_MAX;
        };
        if (step > 0.0)
        {
            h.Columns = count(maxE - minE);
            h.Rows = count(maxN - minN);
        }
    }
};
} // namespace

void CDtmExtentsProgress::Publish(const CDtm& dtm)
{
    DtmExtentsShownDef shown;
    shown.MinEasting = dtm.m_MinEasting;
    shown.MaxEasting = dtm.m_MaxEasting;
    shown.MinNorthing = dtm.m_MinNorthing;
    shown.MaxNorthing = dtm.m_MaxNorthing;
    shown.MinDepth = dtm.m_MinDepth;
    shown.MaxDepth = dtm.m_MaxDepth;
    shown.CellSize = dtm.m_Header.CellSize;
    shown.Columns = dtm.m_Header.Columns;
    shown.Rows = dtm.m_Header.Rows;
    std::lock_guard<std::mutex> lock(m_Lock);
    m_Shown = shown;
}

DtmExtentsShownDef CDtmExtentsProgress::Get() const
{
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Shown;
}

IMPLEMENT_DYNCREATE(CLoadDtmThread, CWinThread)

CLoadDtmThread::CLoadDtmThread()
    : m_pOwner(nullptr), m_hOwner(nullptr), m_bStop(false), m_nMode(0), m_pDtm(nullptr),
      m_pBytesTotal(nullptr), m_pBytesDone(nullptr), m_pExtents(nullptr), m_pEasting(nullptr),
      m_pNorthing(nullptr), m_pDepth(nullptr)
{
    m_bAutoDelete = FALSE;
}

BOOL CLoadDtmThread::InitInstance()
{
    return TRUE;
}

int CLoadDtmThread::Run()
{
    if (m_pDtm)
    {
        switch (m_nMode)
        {
        case 0:
            ReadCache();
            break;
        case 1:
            ComputeExtents();
            break;
        case 2:
            MakeGrid();
            break;
        default:
            break;
        }
    }
    if (m_hOwner)
        ::PostMessage(m_hOwner, UM_DTM_THREAD, m_bStop ? 1 : 0, 0);
    return 0;
}

void CLoadDtmThread::SetOwner(CCmdTarget* owner)
{
    m_pOwner = owner;
    m_hOwner = owner ? owner->GetSafeHwnd() : nullptr;
}

void CLoadDtmThread::WaitForEnd()
{
    if (m_hThread)
        WaitForSingleObject(m_hThread, INFINITE);
}

void CLoadDtmThread::ReadCache()
{
    CDtm& dtm = *m_pDtm;
    FILE* file = OpenFile(dtm.GetCacheFileName(), "rb");
    if (!file)
        return;
    const int64_t length = StreamLength(file);
    Store(m_pBytesTotal, length);
    // The header may have been read from another file than the one now there: counts that the
    // file cannot hold are not allocated.
    const int64_t cells = int64_t(dtm.m_Header.Columns) * dtm.m_Header.Rows;
    if (dtm.m_Header.Columns < 1 || dtm.m_Header.Rows < 1 || length < DTM_HEADER_SIZE + cells * 4)
    {
        std::fclose(file);
        return;
    }
    // No "no depth" first: the cells are read over it, and whatever a short or stopped read
    // leaves is filled after.
    if (!dtm.AllocateGrid(false))
    {
        std::fclose(file);
        return;
    }
    int64_t read = 0;
    if (std::fseek(file, DTM_HEADER_SIZE, SEEK_SET) == 0)
    {
        // Whole rows, a megabyte or so at a time straight into the grid: few enough calls that
        // the copying is all the time there is, and often enough to show progress and stop.
        const int32_t columns = dtm.m_Header.Columns;
        const int32_t rowsPerBlock =
            std::max<int32_t>(1, static_cast<int32_t>(kCacheBlockBytes / (int64_t(columns) * 4)));
        for (int32_t row = 0; row < dtm.m_Header.Rows;)
        {
            const int32_t rows = std::min(rowsPerBlock, dtm.m_Header.Rows - row);
            const size_t want = static_cast<size_t>(rows) * static_cast<size_t>(columns);
            const size_t got = std::fread(dtm.m_pCells + read, sizeof(int32_t), want, file);
            read += static_cast<int64_t>(got);
            if (got != want)
                break;
            row += rows;
            Store(m_pBytesDone, DTM_HEADER_SIZE + int64_t(row) * columns * 4);
            if (m_bStop)
                break;
        }
    }
    std::fill(dtm.m_pCells + read, dtm.m_pCells + cells, DTM_NO_DEPTH);
    std::fclose(file);
}

void CLoadDtmThread::ComputeExtents()
{
    CDtm& dtm = *m_pDtm;
    int badFile = -1;
    int64_t badLine = 0;
    // Read in ranges side by side and joined in file order, a model comes out as the in-order
    // reading gives it, except where that reading's own course decides: a model with no grid
    // (whose counts are the running ones) or with a co-ordinate of DBL_MAX (which it takes
    // for none). Those are measured again in order.
    if (m_nRanges < 0 || !MeasureInRanges(badFile, badLine))
        MeasureInOrder(badFile, badLine);
    if (badFile >= 0)
    {
        dtm.m_Header.Columns = 0;
        dtm.m_Header.Rows = 0;
        dtm.m_strRefusal.Format("%s, line %lld: the easting, northing or depth is not a finite number.",
                                (LPCSTR)dtm.m_FileName[badFile], static_cast<long long>(badLine));
    }
    if (m_pExtents)
        m_pExtents->Publish(dtm);
}

void CLoadDtmThread::StartExtents()
{
    CDtm& dtm = *m_pDtm;
    dtm.ResetHeader();
    for (int i = 0; i < 3; ++i)
    {
        if (!dtm.m_FileName[i].IsEmpty() && StampFile(dtm.m_FileName[i], dtm.m_Header.Stamp[i]))
            dtm.m_Header.Stamp[i].Valid = 0;
    }
}

bool CLoadDtmThread::MeasureInRanges(int& badFile, int64_t& badLine)
{
    CDtm& dtm = *m_pDtm;
    StartExtents();
    ExtentPart total;
    for (int i = 0; i < 3 && !m_bStop && badFile < 0; ++i)
    {
        int64_t length = 0;
        FILE* file = OpenSource(i, length);
        if (!file)
            continue;
        const int ranges = RangeCount(length, m_nRanges);
        std::vector<ExtentPart> parts(static_cast<size_t>(ranges));
        std::vector<ExtentPart> shown(static_cast<size_t>(ranges));
        std::vector<std::atomic<int64_t>> done(static_cast<size_t>(ranges));
        std::mutex shownLock;
        const int fd = fileno(file);
        RunRanges(
            ranges,
            [&](int r) {
                const int64_t start = length * r / ranges;
                CXyzRangeReader reader(fd, length, start, length * (r + 1) / ranges);
                ExtentPart& part = parts[static_cast<size_t>(r)];
                CXyzRangeReader::Point point;
                int64_t count = 0;
                while (!m_bStop && reader.Next(point))
                {
                    // "nan" and "inf" read as numbers, and no grid can be measured with them.
                    if (!std::isfinite(point.Easting) || !std::isfinite(point.Northing) ||
                        !std::isfinite(point.Depth))
                    {
                        part.badLine = point.Line;
                        break;
                    }
                    part.Add(point.Easting, point.Northing, point.Depth == 0.0 ? DBL_MAX : point.Depth);
                    if (++count % kShowEvery == 0)
                    {
                        done[static_cast<size_t>(r)].store(reader.Offset() - start,
                                                           std::memory_order_relaxed);
                        std::lock_guard<std::mutex> lock(shownLock);
                        shown[static_cast<size_t>(r)] = part;
                    }
                }
                part.lines = reader.Lines();
                done[static_cast<size_t>(r)].store(reader.Offset() - start, std::memory_order_relaxed);
            },
            [&] {
                int64_t bytes = 0;
                for (const auto& d : done)
                    bytes += d.load(std::memory_order_relaxed);
                Store(m_pBytesDone, std::min(bytes, length));
                if (!m_pExtents)
                    return;
                ExtentPart sofar = total;
                {
                    std::lock_guard<std::mutex> lock(shownLock);
                    for (const ExtentPart& part : shown)
                        sofar.Join(part);
                }
                sofar.ApplyTo(dtm);
                m_pExtents->Publish(dtm);
            });
        std::fclose(file);
        // Joined in file order, up to the first point that is not finite.
        ExtentPart fileExtent;
        int64_t linesBefore = 0;
        for (const ExtentPart& part : parts)
        {
            total.Join(part);
            fileExtent.JoinExtent(part);
            if (part.badLine > 0)
            {
                badFile = i;
                badLine = linesBefore + part.badLine;
                break;
            }
            linesBefore += part.lines;
        }
        if (fileExtent.anyAdded)
            std::copy(fileExtent.extent, fileExtent.extent + 4, dtm.m_Header.Extent[i]);
    }
    const bool gridless =
        !total.any || !(total.step > 0.0) || total.maxE == total.minE || total.maxN == total.minN;
    if (!m_bStop && badFile < 0 && (gridless || !total.plain))
        return false;
    total.ApplyTo(dtm);
    dtm.FinishExtents();
    return true;
}

void CLoadDtmThread::MeasureInOrder(int& badFile, int64_t& badLine)
{
    CDtm& dtm = *m_pDtm;
    StartExtents();
    badFile = -1;
    badLine = 0;
    // A copy for the display every so many points: often enough for a tick, rare enough that
    // its lock costs nothing beside the parsing.
    int64_t points = 0;
    for (int i = 0; i < 3 && !m_bStop && badFile < 0; ++i)
    {
        int64_t length = 0;
        FILE* file = OpenSource(i, length);
        if (!file)
            continue;
        double* extent = dtm.m_Header.Extent[i];
        bool first = true;
        CXyzRangeReader reader(fileno(file), length, 0, length);
        CXyzRangeReader::Point point;
        while (!m_bStop && reader.Next(point))
        {
            const double e = point.Easting, n = point.Northing;
            double d = point.Depth;
            if (!std::isfinite(e) || !std::isfinite(n) || !std::isfinite(d))
            {
                badFile = i;
                badLine = point.Line;
                break;
            }
            Store(m_pBytesDone, reader.Offset());
            if (d == 0.0)
                d = DBL_MAX;
            const bool added = dtm.AddExtentPoint(e, n, d);
            if (m_pExtents && ++points % kShowEvery == 0)
                m_pExtents->Publish(dtm);
            if (!added)
                continue;
            if (first)
            {
                extent[0] = extent[2] = e;
                extent[1] = extent[3] = n;
                first = false;
            }
            else
            {
                extent[0] = std::min(extent[0], e);
                extent[1] = std::min(extent[1], n);
                extent[2] = std::max(extent[2], e);
                extent[3] = std::max(extent[3], n);
            }
        }
        std::fclose(file);
    }
    dtm.FinishExtents();
}

void CLoadDtmThread::MakeGrid()
{
    CDtm& dtm = *m_pDtm;
    const CString cacheName = dtm.GetCacheFileName();
    // Any older cache stays until its replacement is whole: a grid that cannot be made, or is
    // left unfinished, must not cost the grid there was.
    if (!dtm.AllocateGrid(false))
        return;
    PlacePoints();
    if (m_bStop)
        return;

    // Written beside the cache and put in its place only when whole, so that a cache is
    // either complete or absent; the cells go in one piece.
    const QByteArray target = LinuxPathBytesFromWindows(cacheName);
    const QByteArray partial = target + ".part";
    FILE* file = std::fopen(partial.constData(), "wb");
    if (!file)
        return;
    const size_t cells = static_cast<size_t>(dtm.m_Header.Columns) * static_cast<size_t>(dtm.m_Header.Rows);
    bool written = std::fwrite(&dtm.m_Header, sizeof(dtm.m_Header), 1, file) == 1 &&
                   std::fwrite(dtm.m_pCells, sizeof(int32_t), cells, file) == cells;
    written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(partial.constData(), target.constData()) != 0)
        std::remove(partial.constData());
}

void CLoadDtmThread::PlacePoints()
{
    CDtm& dtm = *m_pDtm;
    const int64_t cells = int64_t(dtm.m_Header.Columns) * dtm.m_Header.Rows;
    // The grid was not filled with "no depth" first: only the cells no point reaches get it, at
    // the end, so that a full grid is written once.
    CCellBits written(cells);
    std::unique_ptr<CCellBits> claimed;
    for (int i = 0; i < 3 && !m_bStop; ++i)
    {
        int64_t length = 0;
        FILE* file = OpenSource(i, length);
        if (!file)
            continue;
        const int fd = fileno(file);
        const auto placeRange = [this](CXyzRangeReader& reader, CCellPlacer& placer,
                                       std::atomic<int64_t>* done, int64_t start) {
            CXyzRangeReader::Point point;
            int64_t count = 0;
            while (!m_bStop && reader.Next(point))
            {
                placer.Place(point.Easting, point.Northing, point.Depth);
                if (++count % kShowEvery == 0)
                {
                    Store(done, reader.Offset() - start);
                    Store(m_pEasting, point.Easting);
                    Store(m_pNorthing, point.Northing);
                    Store(m_pDepth, CCellPlacer::DepthOf(point.Depth));
                }
            }
            Store(done, reader.Offset() - start);
        };
        const int ranges = RangeCount(length, m_nRanges);
        bool inOrder = ranges == 1;
        if (!inOrder)
        {
            // Ranges side by side, each cell to the first point that claims it in this source;
            // a cell claimed twice sends the whole source round again in order.
            if (!claimed)
                claimed = std::make_unique<CCellBits>(cells);
            else
                claimed->Clear();
            std::atomic<bool> overlap{false};
            std::vector<std::atomic<int64_t>> done(static_cast<size_t>(ranges));
            RunRanges(
                ranges,
                [&](int r) {
                    const int64_t start = length * r / ranges;
                    CXyzRangeReader reader(fd, length, start, length * (r + 1) / ranges);
                    CCellPlacer placer(dtm, *claimed, &overlap);
                    placeRange(reader, placer, &done[static_cast<size_t>(r)], start);
                },
                [&] {
                    int64_t bytes = 0;
                    for (const auto& d : done)
                        bytes += d.load(std::memory_order_relaxed);
                    Store(m_pBytesDone, std::min(bytes, length));
                });
            written.Add(*claimed);
            inOrder = overlap.load() && !m_bStop;
        }
        if (inOrder)
        {
            CXyzRangeReader reader(fd, length, 0, length);
            CCellPlacer placer(dtm, written);
            placeRange(reader, placer, m_pBytesDone, 0);
        }
        std::fclose(file);
    }
    int32_t* grid = dtm.m_pCells;
    written.ForEachUnset(cells, [grid](int64_t index) { grid[index] = DTM_NO_DEPTH; });
}

FILE* CLoadDtmThread::OpenSource(int index, int64_t& length)
{
    const CString& name = m_pDtm->m_FileName[index];
    if (name.IsEmpty())
        return nullptr;
    FILE* file = OpenFile(name, "r");
    if (!file)
        return nullptr;
    length = StreamLength(file);
    Store(m_pBytesTotal, length);
    Store(m_pBytesDone, 0);
    return file;
}
