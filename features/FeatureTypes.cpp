#include "features/FeatureTypes.h"

const char* const FeatureTypeTxt[FEATURE_TYPE_COUNT] = {
    "None",        "Waypoint",      "Sail Line",  "Route",    "Design Route", "Pipeline", "Boundary",
    "Structure",   "Wreck",         "Point",      "Line",     "Polygon",      "Tidal Port",
    "Tidal Diamond", "AIS Target",  "Vessel",     "Template", "EBL",          "Weather",  "Box"};
