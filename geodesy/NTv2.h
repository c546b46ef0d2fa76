// CNTv2: a National Transformation version 2 grid-shift file (".GSB") held in memory, its
// sub-grids in file order, which shifts a geographic position from one datum to another by
// bilinear interpolation. A CNTv2Thread fills it in the background (NTv2Thread.h).
//
// Grid addressing: latitudes in arc-seconds positive north, longitudes in arc-seconds
// positive WEST, as the file stores them.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <atomic>
#include <cstdint>
#include <vector>

class CNTv2Thread;

// The attribution notice shown with the NTv2 grid shift.
extern const char* const NTV2_ATTRIBUTION_NOTICE;

// One grid node, as the file stores it: four 32-bit floats, arc-seconds, longitude positive west.
struct GridShiftRecordDef
{
    float LatitudeShift;
    float LongitudeShift;
    float LatitudeAccuracy;
    float LongitudeAccuracy;
};
static_assert(sizeof(GridShiftRecordDef) == 16, "a grid record is 16 bytes in the file");

// One sub-grid: its header and its nodes, row by row from S_LAT northwards, each row from
// E_LONG westwards.
class DataSetDef : public CObject
{
public:
    DataSetDef();

    // Nodes along a meridian / along a parallel. A spacing that is not a whole fraction of the
    // extent to within a millionth of a node counts the whole nodes only.
    int32_t Rows() const;
    int32_t Columns() const;

    CString m_SubName; // SUB_NAME, right-trimmed
    CString m_Parent;  // PARENT, right-trimmed; "NONE" for a top-level sub-grid
    CString m_Created; // CREATED
    CString m_Updated; // UPDATED
    double m_SLat;     // S_LAT, arc-seconds
    double m_ELong;    // E_LONG, arc-seconds positive west
    double m_NLat;     // N_LAT
    double m_WLong;    // W_LONG
    double m_LatInc;   // LAT_INC, arc-seconds
    double m_LongInc;  // LONG_INC, arc-seconds
    CArray<GridShiftRecordDef, const GridShiftRecordDef&> m_Records;
};

class CNTv2 : public CArray<DataSetDef*, DataSetDef*>
{
public:
    // Empty; makes the "Global" data folder when it is missing (as a load would).
    CNTv2();
    // Stops any load into this grid and waits for it, writes the settings file "NTv2" (the last
    // conversion's input and output, radians, 16 decimals; zeros before any conversion), then
    // deletes the sub-grids.
    ~CNTv2() override;
    CNTv2(const CNTv2&) = delete;
    CNTv2& operator=(const CNTv2&) = delete;

    // The sub-grid that serves a point: latitude and longitude in arc-seconds (positive north,
    // positive west). The deepest sub-grid that contains it (lower bounds inclusive, upper
    // exclusive); a point on an edge, or beyond one by no more than a hundred-thousandth of the
    // sum of the sub-grid's two spacings, belongs to the sub-grid of that edge (the same rule
    // on all four edges). -1 when none does.
    int32_t FindSubGrid(double latitude, double longitude) const;

    // Shifts a point: latitude and longitude in radians (positive north, positive east). Writes the shifted
    // latitude and longitude (radians, positive north and east) to the outputs that are not
    // null and returns the sub-grid used; -1, with nothing written, when no sub-grid covers the
    // point. Interpolation is bilinear in the four nodes around the point; along the north and
    // west edges of a sub-grid the last cell inside serves. A grid that reaches beyond the
    // 180th meridian is also searched a full turn east and west.
    int32_t Transform(double* pLatitude, double* pLongitude, double latitude, double longitude);

    // The number of sub-grids, read under the lock the loaders append under: safe while a
    // load runs (GetSize is not).
    INT_PTR SubGridCount() const;

    // Asks every load into this grid to stop, and returns once none runs any more (a loader
    // thread not yet started is let go and will do nothing). A stopped load adds nothing to
    // the grid and leaves `m_bLoaded` false.
    void StopLoading();

    CString m_Version;            // VERSION, 8 characters, not trimmed
    CString m_FromSystem;         // SYSTEM_F, right-trimmed
    double m_FromMajorAxis;       // MAJOR_F, metres
    double m_FromMinorAxis;       // MINOR_F, metres
    CString m_ToSystem;           // SYSTEM_T, right-trimmed
    double m_ToMajorAxis;         // MAJOR_T, metres
    double m_ToMinorAxis;         // MINOR_T, metres
    double m_LastInputLatitude;   // radians ("NAD27 Latitude")
    double m_LastInputLongitude;  // radians ("NAD27 Longitude")
    double m_LastOutputLatitude;  // radians ("NAD83 Latitude")
    double m_LastOutputLongitude; // radians ("NAD83 Longitude")
    // Set by the loader thread after the whole file has been read and the sub-grids added;
    // read by the owner before it converts.
    std::atomic<bool> m_bLoaded;
    // Set by the loader thread when it has ended, loaded or not.
    std::atomic<bool> m_bFinished;

private:
    friend class CNTv2Thread;
    // Loader threads set to fill this grid; guarded by CNTv2Thread's loaders' lock.
    std::vector<CNTv2Thread*> m_Loaders;
};
