// CDtm: a digital terrain model, a regular grid of depths merged from up to three XYZ files
// (easting, northing, depth), kept in a binary cache file beside the first file so that the
// slow text files are read again only when one of them changed.
#pragma once

#include "features/FileStamp.h"
#include "foundation/ConfigFile.h"
#include "platform/core/String.h"

#include <cstdint>
#include <type_traits>

// The first 1072 bytes of a cache file, stored byte for byte (little-endian).
struct DtmHeaderDef
{
    uint32_t Magic;         // 'D', 'T', 'M', 0
    char Version[4];        // "1001", no terminator
    double EastingMin;      // easting of column 0 (m)
    double NorthingMin;     // northing of row 0 (m)
    double CellSize;        // both axes (m)
    int32_t Columns;        // grid columns
    int32_t Rows;           // grid rows
    double DepthMin;        // m, DBL_MAX while unknown
    double DepthMax;        // m, DBL_MAX while unknown
    FileStampDef Stamp[3];  // of DTM One, Two, Three; all zero when unused
    double Extent[3][4];    // per file: easting min, northing min, easting max, northing max
    uint8_t Reserved[872];  // zero
};

static_assert(sizeof(DtmHeaderDef) == 1072 && std::is_trivially_copyable<DtmHeaderDef>::value,
              "the cache header is stored byte for byte");

#define DTM_MAGIC 0x004D5444u
#define DTM_NO_DEPTH 2147483647
#define DTM_HEADER_SIZE 1072

class CDtm
{
public:
    // Grids above this many cells (1 GiB of cells) are refused rather than allocated: a
    // cell size near zero or a damaged cache would otherwise ask for any amount of memory.
    static const int64_t kMaxCells = int64_t(1) << 28;

    CDtm();
    ~CDtm();
    CDtm(const CDtm&) = delete;
    CDtm& operator=(const CDtm&) = delete;

    // Header back to its empty state, file texts emptied, working extents and the previous
    // point unknown (DBL_MAX), last column and row -1. Names, coverage, pens and cells stay.
    void ResetHeader();
    // Frees any grid (the header stays: it describes the grid to be made), then allocates
    // columns x rows cells of "no depth". False when a count is below 1, the grid is refused as too
    // large, or memory runs out; m_strRefusal then says why when it was refused. With `fill`
    // false the cells are left unset, for a caller that writes every one of them.
    bool AllocateGrid(bool fill = true);
    // Frees the cells and resets the header.
    void Unload();
    // Widens the extents by one point (m; depth positive down, DBL_MAX: no depth) and narrows
    // the cell size to the smallest non-zero step between consecutive points. True when all
    // three values were taken.
    bool AddExtentPoint(double easting, double northing, double depth);
    // Column and row counts from the final extents and cell size; called at the end of the
    // extent pass, since counts taken while the extents grow may be too small. False (counts
    // 0, m_strRefusal set) when the grid would be too large or its count overflows.
    bool FinishExtents();

    // Column of an easting (m): -1 below the grid, -2 at or past its last column.
    int32_t GetColumn(double easting);
    // Row of a northing (m): -1 below the grid, -2 at or past its last row.
    int32_t GetRow(double northing);
    // row x columns + column, or -1 when the point is off the grid.
    int32_t GetCellIndex(double easting, double northing);
    // The same three lookups without keeping the last column and row: for threads that look up
    // at the same time as another, each keeping what it found for itself.
    int32_t ColumnOf(double easting) const;
    int32_t RowOf(double northing) const;
    int32_t CellIndexOf(double easting, double northing) const;
    // Depth (m, positive down) at a point: bilinear within its cell when all four corners hold
    // depths, else the depth of the nearest corner that holds one. A point on the grid's last
    // column or row is answered from the cell before it. DBL_MAX off the grid or with no corner
    // depth; 0 anywhere on the grid while no cells are loaded.
    double GetDepth(double easting, double northing) const;
    // Whether GetDepth finds a depth at a point: false off the grid, true when any corner of
    // its cell holds a depth, and true anywhere on the grid while no cells are loaded.
    bool HasDepthAt(double easting, double northing) const;

    // Reads and checks the cache header (its counts must fit the cache file's length) and
    // derives the working extents and file texts. False on any failure.
    bool ReadCacheHeader();
    // Takes `header` as the grid's and derives the working extents and file texts from it.
    void ApplyHeader(const DtmHeaderDef& header);
    // False only when source `index` (0..2) exists with the stamp's DOS date, time and length.
    bool IsSourceChanged(int index);
    // True when the cache must be rebuilt. A source file that is gone cannot rebuild anything:
    // a valid cache then serves, and m_strNotice names the missing file.
    bool NeedsRebuild();
    CString GetCacheFileName() const;
    // Reads the "DTM" settings file in the order SaveSettings writes it: the three file names,
    // display coverage, the three pens. A short file gives its missing lines' defaults (silver
    // pens of width 1); no file gives coverage off and magenta, cyan and blue hollow pens.
    void LoadSettings();
    // Writes the "DTM" settings file.
    void SaveSettings();

    // Builds the size, date and time texts of file `index` from its stamp.
    void MakeFileTexts(int index);

    CString m_FileName[3];
    bool m_bDisplayCoverage = false;
    tagPen m_Pen[3];
    CString m_SizeText[3];
    CString m_DateText[3];
    CString m_TimeText[3];
    DtmHeaderDef m_Header;
    int32_t* m_pCells = nullptr;
    double m_PrevEasting, m_PrevNorthing;
    int32_t m_LastColumn, m_LastRow;
    double m_MinEasting, m_MinNorthing, m_MinDepth, m_MaxEasting, m_MaxNorthing, m_MaxDepth;
    // Why the last grid was refused; empty when none was.
    CString m_strRefusal;
    // Said to the user after a load that worked all the same (a source file gone while its
    // cache still holds the grid); empty when there is nothing to say.
    CString m_strNotice;
    // Raised whenever a grid is loaded or unloaded, so that whoever sampled the terrain can
    // tell that what it sampled has gone.
    uint32_t m_LoadCount = 0;
};
