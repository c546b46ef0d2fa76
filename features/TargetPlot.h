// CTargetPlot: what the target-plot pane draws round a tracked object's target: the plot's
// options (range rings, zone lines, target box, colours) and the local scale that turns metres
// into degrees and minutes of arc at the latitude of the target.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdint>

class CConfigFile;
class CSettingsLines;

// The options of a target plot; every tracked object keeps one block, as does the plot.
struct TargetPlotOptionsDef
{
    bool DrawRings = true;
    int32_t NoRings = 5;
    double RadiusMetres = 10.0; // ring spacing in metres
    double RadiusNM = 0.1;      // ring spacing in nautical miles
    COLORREF RingColour = 0x808080;
    bool ShapeBox = false; // draw the target box
    bool NorthUp = true;
    bool NauticalMiles = false; // rings in nautical miles rather than metres
    bool DisplayLabels = true;
    bool LabelRings = true;
    bool DrawZoneLines = false;
    COLORREF CardinalColour = 0x000000;
    COLORREF TextColour = 0x000000;
    COLORREF ZoneLineColour = 0x0000FF;
    double StartZoneLine = 0.0; // bearing, degrees
    double StopZoneLine = 0.0;  // bearing, degrees
    double BoxSizeX = 10.0;     // metres
    double BoxSizeY = 10.0;     // metres
};

class CTargetPlot : public TargetPlotOptionsDef
{
public:
    // Options at their defaults; the scale not yet set, on the WGS 84 spheroid.
    CTargetPlot();

    // Writes an options block into an open settings file: "North Up", "Nautical Miles",
    // "Display Labels", "Label Rings", "Cardinal Colour", "Text Colour", "Draw Zone Lines",
    // "Start Zone Line", "Stop Zone Line", "Zone Line Colour", "Shape Box", "Box Size X",
    // "Box Size Y", "Draw Rings", "No Rings", "Radius Metres", "Radius NM", "Ring Colour"
    // (doubles with 3 decimals).
    static void SaveOptions(CConfigFile& file, const TargetPlotOptionsDef& options);
    // Reads a block back in the same order; a missing line keeps that option as it was.
    static void LoadOptions(CSettingsLines& lines, TargetPlotOptionsDef& options);
    // This plot's own block.
    void SaveSettings(CConfigFile& file) const { SaveOptions(file, *this); }

    // The spheroid of the local scale: semi-major axis a (metres) and eccentricity squared e²
    // (0 <= e² < 1). The next SetLatitude recomputes the scale.
    void SetSpheroid(double semiMajorAxis, double eccentricitySquared);

    // Stores `latitude` (radians, [-π/2, π/2]) as the centre's and marks the plot changed, then
    // recomputes the local scale there on the plot's spheroid, unless it equals the latitude
    // last used. Meridian radius
    // M = a(1 − e²)/w^1.5 and prime-vertical radius ν = a/√w, w = 1 − e²·sin²φ; the scale is
    // then metres per radian of latitude (M), of longitude (ν·cos φ) and minutes of arc per
    // metre along the meridian (10800 / (π·M)).
    void SetLatitude(double latitude);

    // The centre of the plot (radians), its orientation (whole degrees, with its sine and
    // cosine) and whether it changed since the host last looked.
    double m_Longitude = 0.0;
    double m_Latitude = 0.0;
    int32_t m_Orientation = 0;
    double m_SinOrientation = 0.0;
    double m_CosOrientation = 1.0;
    bool m_bChanged = false;

    // The local scale.
    double m_LastLatitude;  // radians; not a latitude until the first SetLatitude
    double m_SemiMajorAxis; // a, metres
    double m_EccentricitySquared;
    double m_OneMinusE2; // 1 − e²
    double m_MetresPerRadianLat;
    double m_MetresPerRadianLon;
    double m_MinutesPerMetre; // minutes of arc of latitude per metre; 0 without a scale
    bool m_bScaleSet;
};
