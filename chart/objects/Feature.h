// CFeature: one feature the mouse picked on the chart: its kind, where it sits in its list
// and the texts that name it in a choice menu.
#pragma once

#include "chart/ChartexaApi.h"
#include "features/FeatureTypes.h"
#include "platform/core/String.h"

#include <cstdint>

// The kinds of vessel point a pick on the vessel names (a picked vessel point's file index).
enum OFFSET_TYPE
{
    OFFSET_CRP = 0,
    OFFSET_ANTENNA = 1,
    OFFSET_OFFSET = 2,
    OFFSET_LEG = 3,
    OFFSET_CRANE = 4,
    OFFSET_LASER = 6,
    OFFSET_CLUMP_WEIGHT = 7,
};

struct CHARTEXA_API CFeature
{
    int32_t Type = FEATURE_NONE; // FEATURE_TYPES
    int16_t FileIndex = -1;      // file or list item; -1 none; for a vessel point its OFFSET_TYPE
    int32_t PointIndex = -1;     // point, line or item in the file; -1 the feature as a whole
    int16_t SubIndex = -1;       // sail-line end: 0 start, 1 end; -1 otherwise
    CString Title;
    CString Name;
    CString MenuText;
    uint32_t Item = 0; // an AIS target's identifier in the AIS store; 0 otherwise

    void Reset() { *this = CFeature(); }
    // Fills the record: the title is the file title of `titleSource` (after the last '\\', cut
    // at the last '.', trimmed; null gives none); the name is `name`, or the 1-based point
    // number when it is empty and there is a point; the menu text "<type> : <title> - <name>"
    // with the parts that are there (a type-0 record leaves out the type).
    void Set(int type, int fileIndex, const char* titleSource, int pointIndex, const char* name, uint32_t item,
             int subIndex);
};
