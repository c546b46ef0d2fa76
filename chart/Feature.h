// CFeature: one feature the mouse picked on the chart: its kind, where it sits in its list
// and the texts that name it in a choice menu.
#pragma once

#include "features/FeatureTypes.h"
#include "platform/core/String.h"

#include <cstdint>

struct CFeature
{
    int32_t Type = FEATURE_NONE; // FEATURE_TYPES
    int16_t FileIndex = -1;      // file or list item; -1 none
    int32_t PointIndex = -1;     // point, line or item in the file; -1 the feature as a whole
    int16_t SubIndex = -1;       // sail-line end: 0 start, 1 end; -1 otherwise
    CString Title;
    CString Name;
    CString MenuText;
    uintptr_t Item = 0; // an AIS target's record; 0 otherwise

    void Reset() { *this = CFeature(); }
};
