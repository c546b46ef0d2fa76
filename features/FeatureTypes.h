// FEATURE_TYPES: the kinds of feature that the panes, the chart and the host programs talk
// about; the value travels in wParam of UM_FEATURE_UPDATE, UM_ADD_FEATURE,
// UM_UPDATE_FEATURE_POSITION and UM_CLICK_ON_CHART, so the numbers never change.
#pragma once

enum FEATURE_TYPES
{
    FEATURE_NONE = 0,
    FEATURE_WAYPOINT = 1,
    FEATURE_SAIL_LINE = 2,
    FEATURE_ROUTE = 3,
    FEATURE_DESIGN_ROUTE = 4,
    FEATURE_PIPELINE = 5,
    FEATURE_BOUNDARY = 6,
    FEATURE_STRUCTURE = 7,
    FEATURE_WRECK = 8,
    FEATURE_POINT = 9,
    FEATURE_LINE = 10,
    FEATURE_POLYGON = 11,
    FEATURE_TIDAL_PORT = 12,
    FEATURE_TIDAL_DIAMOND = 13,
    FEATURE_AIS_TARGET = 14,
    FEATURE_VESSEL = 15,
    FEATURE_TEMPLATE = 16,
    FEATURE_EBL = 17,
    FEATURE_WEATHER = 18,
    FEATURE_BOX = 19,
    FEATURE_TYPE_COUNT = 20
};

// The name of each type, indexed by its value.
extern const char* const FeatureTypeTxt[FEATURE_TYPE_COUNT];
