#include "geodesy/NTv2Thread.h"

#include "geodesy/GlobalFolder.h"
#include "geodesy/NTv2.h"

#include "platform/core/File.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CNTv2Thread, CWinThread)

namespace
{
const UINT kHeaderBytes = 176; // overview header, and each sub-file header
const UINT kRecordBytes = 16;  // one grid node, and the end record
// Records read at a time: large enough to read quickly, small enough to stop soon.
const INT_PTR kBlockRecords = 4096;

int32_t Int32At(const BYTE* p)
{
    const uint32_t u = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                       static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    int32_t v;
    std::memcpy(&v, &u, 4);
    return v;
}

double DoubleAt(const BYTE* p)
{
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = u << 8 | p[i];
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

float FloatAt(const BYTE* p)
{
    const int32_t i = Int32At(p);
    float v;
    std::memcpy(&v, &i, 4);
    return v;
}

// An eight-character value as text: the eight bytes and a terminating zero.
CString TextAt(const BYTE* p)
{
    char text[9];
    std::memcpy(text, p, 8);
    text[8] = '\0';
    return CString(text);
}

CString TrimmedTextAt(const BYTE* p)
{
    CString text = TextAt(p);
    text.TrimRight();
    return text;
}

} // namespace

// The overview header's values that the grid keeps.
struct CNTv2Thread::OverviewDef
{
    CString version;
    CString fromSystem;
    CString toSystem;
    double fromMajor = 0.0;
    double fromMinor = 0.0;
    double toMajor = 0.0;
    double toMinor = 0.0;
};

namespace
{
bool ReadWhole(CFile& file, void* buffer, UINT bytes)
{
    return file.Read(buffer, bytes) == bytes;
}
} // namespace

std::mutex& CNTv2Thread::LoadersLock()
{
    static std::mutex lock;
    return lock;
}

std::condition_variable& CNTv2Thread::LoaderGone()
{
    static std::condition_variable gone;
    return gone;
}

CNTv2Thread::CNTv2Thread()
    : m_pNTv2(nullptr), m_pLoading(nullptr), m_nSubGrids(0), m_nFiles(0), m_bStop(false), m_bRunning(false)
{
}

CNTv2Thread::~CNTv2Thread()
{
    {
        std::lock_guard<std::mutex> lock(LoadersLock());
        if (m_pLoading)
            *m_pLoading = false;
        m_pLoading = nullptr;
        Detach();
    }
    LoaderGone().notify_all();
}

void CNTv2Thread::Detach()
{
    if (m_pNTv2)
    {
        std::vector<CNTv2Thread*>& loaders = m_pNTv2->m_Loaders;
        loaders.erase(std::remove(loaders.begin(), loaders.end(), this), loaders.end());
    }
    m_pNTv2 = nullptr;
}

CNTv2Thread* CNTv2Thread::StartLoad(CNTv2* pNTv2, std::atomic<bool>* pLoading)
{
    auto* thread = static_cast<CNTv2Thread*>(
        AfxBeginThread(RUNTIME_CLASS(CNTv2Thread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (!thread)
        return nullptr;
    thread->SetTarget(pNTv2, pLoading);
    if (pLoading)
        *pLoading = true;
    thread->ResumeThread();
    return thread;
}

void CNTv2Thread::SetTarget(CNTv2* pNTv2, std::atomic<bool>* pLoading)
{
    std::lock_guard<std::mutex> lock(LoadersLock());
    Detach();
    m_pNTv2 = pNTv2;
    m_pLoading = pLoading;
    if (m_pNTv2)
        m_pNTv2->m_Loaders.push_back(this);
}

BOOL CNTv2Thread::InitInstance()
{
    return TRUE;
}

int CNTv2Thread::Run()
{
    CNTv2* grid;
    {
        std::lock_guard<std::mutex> lock(LoadersLock());
        m_bRunning = true;
        grid = m_pNTv2;
    }
    // Let go before it started: nothing to fill.
    if (!grid)
        return 0;
    grid->m_bLoaded = false;
    grid->m_bFinished = false;

    // The grid stays untouched until the whole file has been read, so a damaged file or a
    // stopped load leaves it as it was.
    std::vector<std::unique_ptr<DataSetDef>> subGrids;
    OverviewDef overview;
    bool complete = false;

    CString folder;
    CFile file;
    if (GetGlobalDataFolder(folder))
    {
        CString path;
        path.Format("%sNTV2_0.GSB", folder.GetString());
        if (file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        {
            try
            {
                complete = ReadGrid(file, overview, subGrids);
            }
            catch (CException* e)
            {
                e->Delete();
                complete = false;
            }
            file.Abort();
        }
    }

    if (complete)
    {
        // Under the lock, so that a stop asked for before this point is honoured and one
        // asked for after it finds the load complete.
        std::lock_guard<std::mutex> lock(LoadersLock());
        if (!m_bStop)
        {
            grid->m_Version = overview.version;
            grid->m_FromSystem = overview.fromSystem;
            grid->m_FromMajorAxis = overview.fromMajor;
            grid->m_FromMinorAxis = overview.fromMinor;
            grid->m_ToSystem = overview.toSystem;
            grid->m_ToMajorAxis = overview.toMajor;
            grid->m_ToMinorAxis = overview.toMinor;
            for (auto& subGrid : subGrids)
                grid->Add(subGrid.release());
            grid->m_bLoaded = true;
        }
    }
    grid->m_bFinished = true;
    return 0;
}

bool CNTv2Thread::ReadGrid(CFile& file, OverviewDef& overview,
                           std::vector<std::unique_ptr<DataSetDef>>& subGrids)
{
    const ULONGLONG size = file.GetLength();
    BYTE header[kHeaderBytes];
    if (!ReadWhole(file, header, kHeaderBytes))
        return false;
    if (Int32At(header + 8) != 11 || Int32At(header + 16 + 8) != 11)
        return false;
    m_nFiles = Int32At(header + 32 + 8);
    overview.version = TextAt(header + 4 * 16 + 8);
    overview.fromSystem = TrimmedTextAt(header + 5 * 16 + 8);
    overview.toSystem = TrimmedTextAt(header + 6 * 16 + 8);
    overview.fromMajor = DoubleAt(header + 7 * 16 + 8);
    overview.fromMinor = DoubleAt(header + 8 * 16 + 8);
    overview.toMajor = DoubleAt(header + 9 * 16 + 8);
    overview.toMinor = DoubleAt(header + 10 * 16 + 8);
    m_nSubGrids = 0;

    // Every sub-file takes at least its header; the end record closes the file.
    ULONGLONG remaining = size - kHeaderBytes;
    if (remaining < kHeaderBytes + kRecordBytes || m_nFiles < 1 ||
        static_cast<ULONGLONG>(m_nFiles) > (remaining - kRecordBytes) / kHeaderBytes)
        return false;

    std::vector<BYTE> block(static_cast<size_t>(kBlockRecords) * kRecordBytes);
    for (int32_t n = 0; n < m_nFiles; ++n)
    {
        if (m_bStop)
            return false;
        if (remaining < kHeaderBytes + kRecordBytes || !ReadWhole(file, header, kHeaderBytes))
            return false;
        remaining -= kHeaderBytes;
        auto subGrid = std::make_unique<DataSetDef>();
        subGrid->m_SubName = TrimmedTextAt(header + 8);
        subGrid->m_Parent = TrimmedTextAt(header + 16 + 8);
        subGrid->m_Created = TextAt(header + 2 * 16 + 8);
        subGrid->m_Updated = TextAt(header + 3 * 16 + 8);
        subGrid->m_SLat = DoubleAt(header + 4 * 16 + 8);
        subGrid->m_NLat = DoubleAt(header + 5 * 16 + 8);
        subGrid->m_ELong = DoubleAt(header + 6 * 16 + 8);
        subGrid->m_WLong = DoubleAt(header + 7 * 16 + 8);
        subGrid->m_LatInc = DoubleAt(header + 8 * 16 + 8);
        subGrid->m_LongInc = DoubleAt(header + 9 * 16 + 8);
        const int32_t count = Int32At(header + 10 * 16 + 8);

        // The node count must be the grid's, and the nodes must be in the file, before
        // anything is allocated for them.
        const int64_t rows = subGrid->Rows();
        const int64_t columns = subGrid->Columns();
        if (rows < 1 || columns < 1 || rows * columns != count)
            return false;
        if (static_cast<ULONGLONG>(count) * kRecordBytes > remaining - kRecordBytes)
            return false;

        subGrid->m_Records.SetSize(count);
        GridShiftRecordDef* records = subGrid->m_Records.GetData();
        for (INT_PTR done = 0; done < count;)
        {
            const INT_PTR take = std::min<INT_PTR>(kBlockRecords, count - done);
            if (!ReadWhole(file, block.data(), static_cast<UINT>(take * kRecordBytes)))
                return false;
            for (INT_PTR i = 0; i < take; ++i)
            {
                const BYTE* p = block.data() + i * kRecordBytes;
                GridShiftRecordDef& r = records[done + i];
                r.LatitudeShift = FloatAt(p);
                r.LongitudeShift = FloatAt(p + 4);
                r.LatitudeAccuracy = FloatAt(p + 8);
                r.LongitudeAccuracy = FloatAt(p + 12);
                // A shift that is no number would be interpolated into every nearby result.
                if (!std::isfinite(r.LatitudeShift) || !std::isfinite(r.LongitudeShift))
                    return false;
            }
            done += take;
            if (m_bStop)
                return false;
        }
        remaining -= static_cast<ULONGLONG>(count) * kRecordBytes;
        subGrids.push_back(std::move(subGrid));
        ++m_nSubGrids;
    }
    // The end record: its content is not checked, but a file cut before it is not whole.
    BYTE end[kRecordBytes];
    return ReadWhole(file, end, kRecordBytes);
}
