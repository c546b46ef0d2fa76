#include "foundation/XYArray.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "Points are archived as the machine's doubles; that is the stored form only on little-endian hosts."
#endif

void CXYArray::Serialize(CArchive& ar)
{
    if (AfxArchiveIsStoring(ar))
    {
        AfxArchiveWriteCount(ar, GetSize());
        if (GetSize() > 0)
        {
            const tagXY* points = GetData();
            if (!points)
                AfxThrowInvalidArgException();
            AfxArchiveWriteBytes(ar, points, static_cast<size_t>(GetSize()) * sizeof(tagXY));
        }
        return;
    }

    const INT_PTR count = AfxArchiveReadCount(ar);
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);

    // Read in bounded blocks before touching the array: a damaged count (up to 4 G points)
    // then ends in the end-of-file exception instead of one enormous allocation, and a short
    // file leaves the caller's points as they were.
    constexpr INT_PTR kBlock = 4096;
    std::vector<tagXY> loaded;
    loaded.reserve(static_cast<size_t>(std::min(count, kBlock)));
    for (INT_PTR done = 0; done < count;)
    {
        const INT_PTR n = std::min(kBlock, count - done);
        loaded.resize(static_cast<size_t>(done + n));
        AfxArchiveReadBytes(ar, loaded.data() + done, static_cast<size_t>(n) * sizeof(tagXY));
        done += n;
    }

    SetSize(count, -1);
    if (count > 0)
        std::memcpy(GetData(), loaded.data(), static_cast<size_t>(count) * sizeof(tagXY));
}
