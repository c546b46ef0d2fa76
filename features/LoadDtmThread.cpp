#include "features/LoadDtmThread.h"

#include "features/Dtm.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
// Lines as a 1024-byte line buffer would take them (at most 1023 characters; a longer line
// goes on in the next piece), read through one large buffer because the sources run to
// millions of lines.
class CXyzLineReader
{
public:
    explicit CXyzLineReader(FILE* file) : m_File(file), m_Buffer(kChunk) {}

    // The next piece, NUL-terminated in `line` (1024 bytes); false at the end.
    bool Next(char* line)
    {
        size_t copied = 0;
        while (copied < 1023)
        {
            if (m_Pos == m_End && !Fill())
                break;
            const size_t room = 1023 - copied;
            const size_t avail = m_End - m_Pos;
            const size_t take = room < avail ? room : avail;
            const char* start = m_Buffer.data() + m_Pos;
            const void* newline = std::memchr(start, '\n', take);
            const size_t n = newline ? static_cast<const char*>(newline) - start + 1 : take;
            std::memcpy(line + copied, start, n);
            copied += n;
            m_Pos += n;
            m_Offset += static_cast<int64_t>(n);
            if (newline)
                break;
        }
        line[copied] = '\0';
        return copied > 0;
    }

    // Bytes taken so far, as the file position after the last piece.
    int64_t Offset() const { return m_Offset; }

private:
    static const size_t kChunk = 1 << 20;

    bool Fill()
    {
        m_Pos = 0;
        m_End = std::fread(m_Buffer.data(), 1, kChunk, m_File);
        return m_End > 0;
    }

    FILE* m_File;
    std::vector<char> m_Buffer;
    size_t m_Pos = 0;
    size_t m_End = 0;
    int64_t m_Offset = 0;
};

// One "%lf" field: leading blanks (and commas, which count as blanks) skipped. Falls back to
// strtod for the forms the fast reader leaves out (a leading '+', hexadecimal).
bool ReadNumber(const char*& p, double& value)
{
    while (*p == ',' || std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (!*p)
        return false;
    const char* end = p + std::strlen(p);
    auto result = std::from_chars(p, end, value);
    if (result.ec == std::errc() && !(result.ptr - p >= 2 && (p[1] == 'x' || p[1] == 'X')))
    {
        // from_chars stops at "0x..."'s 'x'; such text goes through strtod below instead.
        if (!(result.ptr < end && (*result.ptr == 'x' || *result.ptr == 'X')))
        {
            p = result.ptr;
            return true;
        }
    }
    char* stop = nullptr;
    value = std::strtod(p, &stop);
    if (stop == p)
        return false;
    p = stop;
    return true;
}

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
} // namespace

bool ParseXyzLine(const char* line, double& easting, double& northing, double& depth)
{
    const char* p = line;
    return ReadNumber(p, easting) && ReadNumber(p, northing) && ReadNumber(p, depth);
}

IMPLEMENT_DYNCREATE(CLoadDtmThread, CWinThread)

CLoadDtmThread::CLoadDtmThread()
    : m_pOwner(nullptr), m_hOwner(nullptr), m_bStop(false), m_nMode(0), m_pDtm(nullptr), m_pBytesTotal(nullptr),
      m_pBytesDone(nullptr), m_pEasting(nullptr), m_pNorthing(nullptr), m_pDepth(nullptr)
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
    dtm.AllocateGrid();
    if (std::fseek(file, DTM_HEADER_SIZE, SEEK_SET) != 0)
    {
        std::fclose(file);
        return;
    }
    if (dtm.m_pCells)
    {
        const int32_t columns = dtm.m_Header.Columns;
        for (int32_t row = 0; row < dtm.m_Header.Rows; ++row)
        {
            if (std::fread(dtm.m_pCells + int64_t(row) * columns, sizeof(int32_t), columns, file) !=
                static_cast<size_t>(columns))
                break;
            Store(m_pBytesDone, DTM_HEADER_SIZE + (int64_t(row) + 1) * columns * 4);
            if (m_bStop)
                break;
        }
    }
    std::fclose(file);
}

void CLoadDtmThread::ComputeExtents()
{
    CDtm& dtm = *m_pDtm;
    dtm.ResetHeader();
    for (int i = 0; i < 3; ++i)
    {
        if (!dtm.m_FileName[i].IsEmpty() && StampFile(dtm.m_FileName[i], dtm.m_Header.Stamp[i]))
            dtm.m_Header.Stamp[i].Valid = 0;
    }
    char line[1024];
    for (int i = 0; i < 3 && !m_bStop; ++i)
    {
        if (dtm.m_FileName[i].IsEmpty())
            continue;
        FILE* file = OpenFile(dtm.m_FileName[i], "r");
        if (!file)
            continue;
        Store(m_pBytesTotal, StreamLength(file));
        CXyzLineReader reader(file);
        double* extent = dtm.m_Header.Extent[i];
        bool first = true;
        while (!m_bStop && reader.Next(line))
        {
            double e, n, d;
            if (!ParseXyzLine(line, e, n, d))
                continue;
            Store(m_pBytesDone, reader.Offset());
            if (d == 0.0)
                d = DBL_MAX;
            if (!dtm.AddExtentPoint(e, n, d))
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
    // Mode 1 took the stamps; a grid that cannot be made or is left unfinished must not sit
    // behind them, so any older cache goes first.
    std::remove(LinuxPathBytesFromWindows(cacheName).constData());
    if (!dtm.AllocateGrid())
        return;
    char line[1024];
    for (int i = 0; i < 3 && !m_bStop; ++i)
    {
        if (dtm.m_FileName[i].IsEmpty())
            continue;
        FILE* file = OpenFile(dtm.m_FileName[i], "r");
        if (!file)
            continue;
        Store(m_pBytesTotal, StreamLength(file));
        CXyzLineReader reader(file);
        while (!m_bStop)
        {
            Store(m_pBytesDone, reader.Offset());
            if (!reader.Next(line))
                break;
            double e, n, d;
            if (!ParseXyzLine(line, e, n, d))
                continue;
            d = (d == 0.0) ? DBL_MAX : std::fabs(d);
            const int32_t index = dtm.GetCellIndex(e, n);
            if (index >= 0)
                dtm.m_pCells[index] = (d == DBL_MAX) ? DTM_NO_DEPTH : static_cast<int32_t>(d * 100.0);
            Store(m_pEasting, e);
            Store(m_pNorthing, n);
            Store(m_pDepth, d);
        }
        std::fclose(file);
    }
    if (m_bStop)
        return;

    // Written beside the cache and put in its place only when whole, so that a cache is
    // either complete or absent.
    const QByteArray target = LinuxPathBytesFromWindows(cacheName);
    const QByteArray partial = target + ".part";
    FILE* file = std::fopen(partial.constData(), "wb");
    if (!file)
        return;
    bool written = std::fwrite(&dtm.m_Header, sizeof(dtm.m_Header), 1, file) == 1;
    const int32_t columns = dtm.m_Header.Columns;
    for (int32_t row = 0; written && row < dtm.m_Header.Rows; ++row)
        written = std::fwrite(dtm.m_pCells + int64_t(row) * columns, sizeof(int32_t), columns, file) ==
                  static_cast<size_t>(columns);
    written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(partial.constData(), target.constData()) != 0)
        std::remove(partial.constData());
}
