// CSailLine: one sail-line file, straight survey lines for a vessel to run, each from its start
// of line (SOL) to its end of line (EOL), one a line of a comma-separated text file in the
// order SOL easting, SOL northing, EOL easting, EOL northing. Sail-line files are only read;
// the program writes their data-order and drawing-option companions.
//
// Companion files of a sail-line file "<folder><title>.<ext>":
//   "<settings folder><title, blanks as '_'>_DATA_ORDER.INI"  the column order ("Data Order")
//   "<Routes data folder><title>.DRW"                          the drawing options
//   "<folder><title>.INI"                                      status and highlight
//
// Units: eastings, northings and ranges in grid metres; bearings in radians clockwise from
// grid north, [0, 2π).
#pragma once

#include "features/DrawingOptions.h"
#include "features/FeatureCommon.h"
#include "features/LegGeometry.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <type_traits>

// One sail line: a plain record of 13 doubles, copied as a whole (a tracked vessel keeps a
// copy of its target line).
struct SailLineDef
{
    tagXY Start; // SOL easting, northing
    tagXY End;   // EOL easting, northing
    // SOL to EOL: Length (the line's range), Bearing, its sine and cosine, the reverse bearing;
    // Running is kept 0.
    LegDef Leg;
    double Value[3]; // not set here; 0 after reading
};

static_assert(std::is_trivially_copyable<SailLineDef>::value, "a sail line is a plain record");
static_assert(sizeof(SailLineDef) == 13 * sizeof(double), "a sail line is 13 doubles");

// The column orders of a sail-line file; only one is defined.
enum SAIL_LINE_DATA_ORDER
{
    SAIL_SOL_EOL = 0, // "SOL Eng, SOL Nng, EOL Eng, EOL Nng"
    SAIL_LINE_DATA_ORDER_COUNT = 1
};

class CSailLine : public CArray<SailLineDef, SailLineDef>, public CDrawingOptions, public CFeatureCommon
{
public:
    // The sail-line pane's texts of the data orders, indexed by SAIL_LINE_DATA_ORDER.
    static const char* const m_DataOrderTxt[SAIL_LINE_DATA_ORDER_COUNT];

    // No file, no lines, data order 0, drawing options at their defaults.
    CSailLine();
    CSailLine(const CSailLine&) = delete;
    CSailLine& operator=(const CSailLine&) = delete;
    ~CSailLine() override;

    // Reads the data order, the sail lines of the file at `path`, its status and its drawing
    // options. Lines without four readable numbers, or whose SOL or EOL is exactly (0, 0),
    // are skipped. A file that cannot be opened gives no lines. True when at least one sail
    // line was read.
    bool Load(const char* path);

    // Writes "Data Order" to the data-order file, whole or not at all; nothing without a file.
    void SaveDataOrder();
    // Writes the drawing options as "<Routes folder><title>.DRW".
    void SaveDrawingOptions() const;

    // Appends one sail line with every member 0.
    void AddEmptyLine();

    // The data order of the data-order file of `path`: 0 for a missing file or line, or for an
    // order that has no column layout.
    static int ReadDataOrder(const char* path);

    int32_t m_DataOrder; // SAIL_LINE_DATA_ORDER; kept as a 16-bit value in its file
};
