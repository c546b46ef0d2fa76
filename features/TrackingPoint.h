// Tracking points of a tracked object (vessel or subsea template): named places on the object
// (antennas, offsets, legs, cranes, transducers, reference systems, clump weights, reflectors,
// beacons) given as offsets from the object's common reference point, and the one-line form
// they take in the object's settings file.
//
// Offsets in metres: x positive to starboard, y positive forward, z as the owner measures it.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

// The kinds of tracking point; the selected kind of a tracked object.
enum TRACKING_POINT_TYPE
{
    TP_COMMON_REFERENCE_POINT = 0, // the object itself
    TP_ANTENNA = 1,
    TP_OFFSET = 2,
    TP_LEG = 3,
    TP_CRANE = 4,
    TP_TRANSDUCER = 5,
    TP_REF_SYSTEM = 6,
    TP_CLUMP_WEIGHT = 7,
    TP_REFLECTOR = 8,
    TP_BEACON = 9,
    TP_TYPE_COUNT = 10
};

// The name of a tracking-point type ("Antenna", ...); empty outside 0..9.
const char* TrackingPointTypeName(int type);

// One tracking point. The flag, the 32-bit value, the three 16-bit values and the last two
// doubles are kept for the panes that edit them; this model only stores and writes them.
struct TrackingPointDef
{
    CString Name;
    bool Flag = false;
    double X = 0.0; // metres to starboard of the common reference point
    double Y = 0.0; // metres forward
    double Z = 0.0; // metres
    int32_t Value32 = 0;
    int16_t Value16[3] = {0, 0, 0};
    double Extra[2] = {0.0, 0.0};

    // The settings-file line: name (separator escaped, not quoted), flag "1"/"0", x, y, z with
    // 3 decimals, the 32-bit value, the three 16-bit values, the two doubles with 3 decimals,
    // joined by ", ". No line end.
    CString FormatLine() const;
    // Reads a line of that form back; false (the record unchanged) when it does not hold the
    // eleven fields.
    bool ParseLine(const char* line);
};

// The tracking points of one kind. The array owns its records: removing them or destroying the
// array deletes them.
class CTrackingPointArray : public CArray<TrackingPointDef*, TrackingPointDef*>
{
public:
    CTrackingPointArray() = default;
    CTrackingPointArray(const CTrackingPointArray&) = delete;
    CTrackingPointArray& operator=(const CTrackingPointArray&) = delete;
    ~CTrackingPointArray() override;

    // Appends a copy of `point`; returns its index.
    INT_PTR AddPoint(const TrackingPointDef& point);
    // Deletes every record and empties the array.
    void DeleteAll();
    // The record at `index`, or null outside the array.
    TrackingPointDef* GetPoint(INT_PTR index) const;
    // One FormatLine per record, in array order.
    void FormatLines(CStringArray& lines) const;
};
