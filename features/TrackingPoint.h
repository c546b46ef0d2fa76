// Tracking points of a tracked object (vessel or subsea template): named places on the object
// (antennas, offsets, legs, cranes, transducers, reference systems, clump weights, reflectors,
// beacons) given as offsets from the object's common reference point, and the one-line form
// they take in the object's settings file.
//
// Offsets in metres: x positive to starboard, y positive forward, z as the owner measures it.
#pragma once

#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

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

// A second point that an antenna carries (where its receiver's position is shown apart from
// the antenna), computed at run time: enabled flag, label, grid position and symbol.
struct TrackingCompanionDef
{
    bool Enabled = false;
    CString Label;
    tagXY Position{0.0, 0.0};
    int16_t Symbol = 0;
    int16_t Size = 0;
    COLORREF Colour = 0xFFFFFF;
    int16_t LabelPosition = 0;
};

// One tracking point. The spare fields of the stored line carry the point's drawing on the
// chart, and keep their places in the line:
//   Flag        the point is enabled (drawn and used)
//   Value32     symbol colour (COLORREF)
//   Value16[0]  symbol shape (VECTOR_SYMBOL, 0 none)
//   Value16[1]  symbol size (SYMBOL_SIZE)
//   Value16[2]  label position (LABEL_POSITION)
//   Extra[0]    radius drawn round the point, metres (0 none)
//   Extra[1]    not used
// The computed grid position and an antenna's companion point are run-time state, never stored.
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

    // run-time
    tagXY Position{0.0, 0.0}; // grid E, N computed from the owner's position and heading
    TrackingCompanionDef Companion;

    bool IsEnabled() const { return Flag; }
    COLORREF GetColour() const { return static_cast<COLORREF>(static_cast<uint32_t>(Value32)); }
    int GetSymbol() const { return Value16[0]; }
    int GetSymbolSize() const { return Value16[1]; }
    int GetLabelPosition() const { return Value16[2]; }
    double GetRadius() const { return Extra[0]; }
    void SetEnabled(bool enabled) { Flag = enabled; }
    void SetColour(COLORREF colour) { Value32 = static_cast<int32_t>(static_cast<uint32_t>(colour)); }
    void SetSymbol(int shape) { Value16[0] = static_cast<int16_t>(shape); }
    void SetSymbolSize(int size) { Value16[1] = static_cast<int16_t>(size); }
    void SetLabelPosition(int position) { Value16[2] = static_cast<int16_t>(position); }
    void SetRadius(double metres) { Extra[0] = metres; }

    // The settings-file line: name (separator escaped, not quoted), flag "1"/"0", x, y, z with
    // 3 decimals, the 32-bit value, the three 16-bit values, the two doubles with 3 decimals,
    // joined by ", ". No line end.
    CString FormatLine() const;
    // Reads a line of that form back; false (the record unchanged) when it does not hold the
    // eleven fields. The run-time fields are left as they were.
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
