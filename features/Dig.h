// CDig: digitised data, a drawing reduced to coloured polylines: a flat list of points, each
// with a colour code whose sign marks the start of a new line. It is loaded from a binary cache
// file (extension "DIG") beside its source, a DXF drawing or a comma-separated file; the cache
// header repeats the source's stamp so that a changed source is noticed and the cache rebuilt.
//
// The cache file: a 16-byte header (FileStampDef: first byte the display flag, 1 shown, 0
// hidden; then the source's DOS time, DOS date and length), then one 18-byte BinaryDigDef a
// point, in drawing order. A file whose first 16 bytes are no plausible stamp is a file of
// points from its first byte.
#pragma once

#include "features/FileStamp.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <type_traits>

class CDxf;
class CDxfEntity;

#pragma pack(push, 1)
// One point: 18 bytes in memory and on disk.
struct BinaryDigDef
{
    double x;     // easting, drawing units
    double y;     // northing, drawing units
    int16_t code; // DXF colour number + 1 (1..256); negative on the first point of a line
};
#pragma pack(pop)

static_assert(sizeof(BinaryDigDef) == 18 && std::is_trivially_copyable<BinaryDigDef>::value,
              "points are stored byte for byte");

class CDig : public CArray<BinaryDigDef, const BinaryDigDef&>
{
public:
    CDig() = default;
    ~CDig() override;
    CDig(const CDig&) = delete;
    CDig& operator=(const CDig&) = delete;

    // Frees the points and zeroes the extents, the cache length and the three texts.
    void Clear();

    // Zeroes the stamp and the texts; then, when the file is found, stamps it (display flag 1).
    // True when found.
    bool StampSource(const char* path);
    // Builds the size, date and time texts of the stamp; true when it is plausible: a time of
    // day, a month 1..12, a day from 1, a year not after this one and a length below 1024^4.
    bool DescribeStamp();
    // True unless the cache exists, its header is a plausible stamp and the source's DOS date,
    // DOS time and length equal it. Leaves the cache's stamp and texts in the object.
    bool NeedsRebuild();

    // Converts the drawing's entities into points (block definitions first, in their own
    // coordinates, then the ENTITIES section) and writes the cache beside the drawing's file.
    // With header extents in the drawing only what lies inside them is kept, else everything.
    void FromDxf(CDxf* dxf);
    // Writes "<folder><title>.DIG": the stamp, then every point. Whole or not at all: a cache
    // that cannot be written leaves the old one as it was. True when written.
    bool WriteCache(const char* folder, const char* title);
    // The source path with its extension replaced by "DIG".
    CString GetCacheFileName() const;

    // Reads the cache into the points, from `file` positioned after the header (or at 0),
    // adding to `bytesDone` as it goes, until the end of the file or until `stop` is set.
    // Returns the number of points read.
    INT_PTR ReadPoints(FILE* file, std::atomic<ULONGLONG>* bytesDone, const std::atomic<bool>* stop);

    // True when every point is finite and its colour code is 1..256 or its negative.
    bool HasOnlyValidPoints() const;

    // Extents of the points, skipping points at exactly (0, 0).
    void ComputeExtents();

    // The display flag kept in the cache header's first byte.
    bool IsShown() const { return m_Stamp.Valid != 0; }
    void SetShown(bool shown) { m_Stamp.Valid = shown ? 1 : 0; }

    bool m_bBusy = false; // true while the points are being filled
    // What was wrong with the source or the cache at the last load; empty when nothing was.
    CString m_strProblem;
    FileStampDef m_Stamp{};
    CString m_FileName; // the source (DXF or CSV)
    int64_t m_CacheLength = 0;
    CString m_SizeText;
    CString m_DateText;
    CString m_TimeText;
    double m_MinEasting = 0.0;
    double m_MinNorthing = 0.0;
    double m_MaxEasting = 0.0;
    double m_MaxNorthing = 0.0;
    FILE* m_pCacheFile = nullptr; // the cache while it is being read

private:
    void EmptyTexts();
};
