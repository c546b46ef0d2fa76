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
#include <string>
#include <vector>

namespace
{
// Lines as a 1024-byte line buffer would take them (at most 1023 characters; a longer line
// goes on in the next piece), handed out in place from one large buffer: the sources run to
// millions of lines, and copying each one out costs as much as reading it.
class CXyzPieceReader
{
public:
    explicit CXyzPieceReader(FILE* file) : m_File(file), m_Buffer(kChunk) {}

    // The next piece as [begin, end), its newline included when it has one; false at the end.
    // The bytes stay valid until the next call.
    bool Next(const char*& begin, const char*& end)
    {
        if (m_End - m_Pos < kPiece && !m_bEof)
            Refill();
        const size_t avail = m_End - m_Pos;
        if (avail == 0)
            return false;
        const size_t take = avail < kPiece ? avail : kPiece;
        begin = m_Buffer.data() + m_Pos;
        const void* newline = std::memchr(begin, '\n', take);
        const size_t n = newline ? static_cast<size_t>(static_cast<const char*>(newline) - begin) + 1 : take;
        end = begin + n;
        m_Pos += n;
        m_Offset += static_cast<int64_t>(n);
        return true;
    }

    // Bytes taken so far, as the file position after the last piece.
    int64_t Offset() const { return m_Offset; }

private:
    static const size_t kChunk = 1 << 20;
    static const size_t kPiece = 1023;

    // Keeps the unread tail (shorter than a piece) and tops the buffer up behind it, so that
    // every piece lies whole in the buffer.
    void Refill()
    {
        const size_t tail = m_End - m_Pos;
        std::memmove(m_Buffer.data(), m_Buffer.data() + m_Pos, tail);
        m_Pos = 0;
        m_End = tail;
        while (m_End < kChunk && !m_bEof)
        {
            const size_t got = std::fread(m_Buffer.data() + m_End, 1, kChunk - m_End, m_File);
            if (got == 0)
                m_bEof = true;
            m_End += got;
        }
    }

    FILE* m_File;
    std::vector<char> m_Buffer;
    size_t m_Pos = 0;
    size_t m_End = 0;
    bool m_bEof = false;
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

// The reading of a NUL-terminated line that every other reading must match.
bool ParseXyzText(const char* line, double& easting, double& northing, double& depth)
{
    const char* p = line;
    return ReadNumber(p, easting) && ReadNumber(p, northing) && ReadNumber(p, depth);
}

// Powers of ten up to 10^19, all of which a double holds exactly (5^19 < 2^53).
const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                               1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

enum
{
    BLANK_NO = 0,
    BLANK_YES = 1,
    // Outside ASCII whether a byte is a blank depends on the C locale, so the slow reading
    // decides.
    BLANK_ASK = 2
};

struct BlankTable
{
    unsigned char kind[256];
    BlankTable()
    {
        for (int c = 0; c < 256; ++c)
            kind[c] = c >= 0x80 ? BLANK_ASK : BLANK_NO;
        for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r', ','})
            kind[c] = BLANK_YES;
    }
};
const BlankTable kBlanks;

enum FastResult
{
    FAST_NUMBER, // a number was read
    FAST_NONE,   // only blanks up to the end: no number
    FAST_UNSURE  // something the slow reading must judge
};

// The plain decimal numbers of survey files ("-12.345"), read the way from_chars reads them
// but without its generality: at most 19 digits worth at most 2^53, so that the digits and the
// power of ten are both exact doubles and one correctly rounded division gives the very double
// from_chars gives. Exponents, signs other than '-', words, hexadecimal, non-ASCII bytes and a
// NUL go to the slow reading as FAST_UNSURE.
inline FastResult FastNumber(const char*& p, const char* end, double& value)
{
    const char* q = p;
    for (;;)
    {
        if (q == end)
            return FAST_NONE;
        const unsigned char kind = kBlanks.kind[static_cast<unsigned char>(*q)];
        if (kind == BLANK_NO)
            break;
        if (kind == BLANK_ASK)
            return FAST_UNSURE;
        ++q;
    }
    const bool negative = *q == '-';
    if (negative)
        ++q;
    uint64_t digits = 0;
    int count = 0;
    // Decimals counted from the point on: -1 while there is none.
    int decimals = -1;
    for (; q != end; ++q)
    {
        const unsigned digit = static_cast<unsigned>(*q - '0');
        if (digit < 10u)
        {
            digits = digits * 10 + digit;
            ++count;
        }
        else if (*q == '.' && decimals < 0)
        {
            decimals = count;
        }
        else
        {
            break;
        }
    }
    decimals = decimals < 0 ? 0 : count - decimals;
    // More than 19 digits may have wrapped; the slow reading takes them.
    if (count == 0 || count > 19 || digits > (uint64_t(1) << 53))
        return FAST_UNSURE;
    if (q != end && (*q == 'e' || *q == 'E' || *q == 'x' || *q == 'X'))
        return FAST_UNSURE;
    double number = static_cast<double>(digits);
    if (decimals > 0)
        number /= kPowersOfTen[decimals];
    value = negative ? -number : number;
    p = q;
    return FAST_NUMBER;
}

// ParseXyzText on a copy of [begin, end) made NUL-terminated; kept out of line, since the fast
// reading needs it only for the odd line.
__attribute__((noinline)) bool ParseXyzCopy(const char* begin, const char* end, double& easting,
                                            double& northing, double& depth)
{
    const size_t length = static_cast<size_t>(end - begin);
    char line[1024];
    if (length < sizeof(line))
    {
        std::memcpy(line, begin, length);
        line[length] = '\0';
        return ParseXyzText(line, easting, northing, depth);
    }
    const std::string copy(begin, length);
    return ParseXyzText(copy.c_str(), easting, northing, depth);
}

// ParseXyzLine over [begin, end), a piece that need not end in a NUL: the fast reading where
// it is sure, else the slow one.
inline bool ParseXyzPiece(const char* begin, const char* end, double& easting, double& northing,
                          double& depth)
{
    const char* p = begin;
    FastResult result = FastNumber(p, end, easting);
    if (result == FAST_NUMBER)
        result = FastNumber(p, end, northing);
    if (result == FAST_NUMBER)
        result = FastNumber(p, end, depth);
    if (result == FAST_NUMBER)
        return true;
    if (result == FAST_NONE)
        return false;
    return ParseXyzCopy(begin, end, easting, northing, depth);
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

bool ParseXyzLine(const char* line, double& easting, double& northing, double& depth)
{
    return ParseXyzPiece(line, line + std::strlen(line), easting, northing, depth);
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
    int badFile = -1;
    int64_t badLine = 0;
    // A copy for the display every so many points: often enough for a tick, rare enough that
    // its lock costs nothing beside the parsing.
    const int64_t kPublishEvery = 4096;
    int64_t points = 0;
    for (int i = 0; i < 3 && !m_bStop && badFile < 0; ++i)
    {
        if (dtm.m_FileName[i].IsEmpty())
            continue;
        FILE* file = OpenFile(dtm.m_FileName[i], "r");
        if (!file)
            continue;
        Store(m_pBytesTotal, StreamLength(file));
        CXyzPieceReader reader(file);
        double* extent = dtm.m_Header.Extent[i];
        bool first = true;
        const char* begin;
        const char* end;
        int64_t line = 0;
        bool lineEnded = true;
        while (!m_bStop && reader.Next(begin, end))
        {
            if (lineEnded)
                ++line;
            lineEnded = end[-1] == '\n';
            double e, n, d;
            if (!ParseXyzPiece(begin, end, e, n, d))
                continue;
            // "nan" and "inf" read as numbers, and no grid can be measured with them.
            if (!std::isfinite(e) || !std::isfinite(n) || !std::isfinite(d))
            {
                badFile = i;
                badLine = line;
                break;
            }
            Store(m_pBytesDone, reader.Offset());
            if (d == 0.0)
                d = DBL_MAX;
            const bool added = dtm.AddExtentPoint(e, n, d);
            if (m_pExtents && ++points % kPublishEvery == 0)
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

void CLoadDtmThread::MakeGrid()
{
    CDtm& dtm = *m_pDtm;
    const CString cacheName = dtm.GetCacheFileName();
    // Any older cache stays until its replacement is whole: a grid that cannot be made, or is
    // left unfinished, must not cost the grid there was.
    if (!dtm.AllocateGrid())
        return;
    for (int i = 0; i < 3 && !m_bStop; ++i)
    {
        if (dtm.m_FileName[i].IsEmpty())
            continue;
        FILE* file = OpenFile(dtm.m_FileName[i], "r");
        if (!file)
            continue;
        Store(m_pBytesTotal, StreamLength(file));
        CXyzPieceReader reader(file);
        const char* begin;
        const char* end;
        while (!m_bStop)
        {
            Store(m_pBytesDone, reader.Offset());
            if (!reader.Next(begin, end))
                break;
            double e, n, d;
            if (!ParseXyzPiece(begin, end, e, n, d))
                continue;
            d = (d == 0.0) ? DBL_MAX : std::fabs(d);
            // The depths dialog's timer looks up the current point's column and row meanwhile: the
            // grid's kept last column and row are its own.
            const int32_t index = dtm.CellIndexOf(e, n);
            // A depth no centimetre cell can hold (beyond about 21 km, or not a number) is no
            // depth rather than whatever the conversion would make of it.
            if (index >= 0)
                dtm.m_pCells[index] =
                    (d * 100.0 < static_cast<double>(DTM_NO_DEPTH)) ? static_cast<int32_t>(d * 100.0) : DTM_NO_DEPTH;
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
