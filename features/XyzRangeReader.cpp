#include "features/XyzRangeReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace
{
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
//
// With kNewlineEnds, a newline ends the text as `end` does: a piece holds one only as its last
// byte, so a reading that stops there reads the piece before its end is known.
template <bool kNewlineEnds = false>
inline FastResult FastNumber(const char*& p, const char* end, double& value)
{
    const char* q = p;
    for (;;)
    {
        if (q == end || (kNewlineEnds && *q == '\n'))
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
    // The whole part, then the decimals after a point, each a loop of its own that does
    // nothing per digit beyond reading it.
    uint64_t digits = 0;
    unsigned digit;
    const char* whole = q;
    while (q != end && (digit = static_cast<unsigned>(*q - '0')) < 10u)
    {
        digits = digits * 10 + digit;
        ++q;
    }
    int count = static_cast<int>(q - whole);
    int decimals = 0;
    if (q != end && *q == '.')
    {
        const char* point = ++q;
        while (q != end && (digit = static_cast<unsigned>(*q - '0')) < 10u)
        {
            digits = digits * 10 + digit;
            ++q;
        }
        decimals = static_cast<int>(q - point);
        count += decimals;
    }
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

// The longest piece a line is read in (bytes, its newline included).
const int64_t kPiece = 1023;
// The buffer's usual size: large enough that reading costs few calls, small enough that a
// reader a thread costs little memory.
const int64_t kBufferBytes = int64_t(256) << 10;
} // namespace

bool ParseXyzLine(const char* line, double& easting, double& northing, double& depth)
{
    return ParseXyzPiece(line, line + std::strlen(line), easting, northing, depth);
}

CXyzRangeReader::CXyzRangeReader(int fd, int64_t length, int64_t start, int64_t stop)
    : m_Fd(fd), m_Length(std::max<int64_t>(length, 0)), m_Stop(std::min(stop, m_Length)), m_At(start),
      m_Buffer(static_cast<size_t>(kBufferBytes + kPiece))
{
    if (start <= 0 || start >= m_Stop)
    {
        m_At = start <= 0 ? 0 : m_Stop;
        return;
    }
    // The first line that starts in the range: after the first newline from the byte before
    // it on. Lines belong to the range they start in, however far they run.
    m_At = start - 1;
    for (;;)
    {
        if (!Fill())
        {
            m_At = m_Stop;
            return;
        }
        const char* from = m_Buffer.data() + (m_At - m_Base);
        const int64_t span = std::min(m_Base + m_Size, m_Stop) - m_At;
        if (span <= 0)
        {
            m_At = m_Stop;
            return;
        }
        const void* newline = std::memchr(from, '\n', static_cast<size_t>(span));
        if (newline)
        {
            m_At += static_cast<const char*>(newline) - from + 1;
            return;
        }
        m_At += span;
    }
}

bool CXyzRangeReader::Fill()
{
    const int64_t want = std::min(m_At + kPiece, m_Length);
    if (m_At >= m_Base && want <= m_Base + m_Size)
        return m_At < m_Base + m_Size;
    // Keep what is left of the buffer from m_At on, and read on behind it.
    int64_t keep = 0;
    if (m_At >= m_Base && m_At < m_Base + m_Size)
    {
        keep = m_Base + m_Size - m_At;
        std::memmove(m_Buffer.data(), m_Buffer.data() + (m_At - m_Base), static_cast<size_t>(keep));
    }
    m_Base = m_At;
    m_Size = keep;
    const int64_t room = static_cast<int64_t>(m_Buffer.size());
    while (m_Size < room && m_Base + m_Size < m_Length)
    {
        const ssize_t got = ::pread(m_Fd, m_Buffer.data() + m_Size, static_cast<size_t>(room - m_Size),
                                    static_cast<off_t>(m_Base + m_Size));
        // A file that shrank or cannot be read ends where the reading did.
        if (got <= 0)
        {
            m_Length = m_Base + m_Size;
            break;
        }
        m_Size += got;
    }
    return m_At < m_Base + m_Size;
}

bool CXyzRangeReader::Next(Point& point)
{
    while (m_At < m_Length && (m_At < m_Stop || m_bInLine))
    {
        if (!Fill())
            return false;
        const char* begin = m_Buffer.data() + (m_At - m_Base);
        const char* limit = begin + std::min(kPiece, m_Base + m_Size - m_At);
        const char* p = begin;
        double e, n, d;
        FastResult result = FastNumber<true>(p, limit, e);
        if (result == FAST_NUMBER)
            result = FastNumber<true>(p, limit, n);
        if (result == FAST_NUMBER)
            result = FastNumber<true>(p, limit, d);
        // p has passed no newline: the piece ends at the first one from p on, or at the limit.
        const char* newline =
            (p != limit && *p == '\n')
                ? p
                : static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(limit - p)));
        const char* end = newline ? newline + 1 : limit;
        const int64_t line = m_Lines + 1;
        m_bInLine = newline == nullptr;
        if (newline)
            ++m_Lines;
        m_At += end - begin;
        if (result == FAST_NUMBER || (result == FAST_UNSURE && ParseXyzCopy(begin, end, e, n, d)))
        {
            point = Point{e, n, d, line};
            return true;
        }
    }
    return false;
}
