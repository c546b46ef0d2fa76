// CGridOnGrid: the plane transformation that carries coordinates of one grid (system A: X
// easting, Y northing) onto another (system B: Easting, Northing), fitted to points known in
// both by one of twelve models, with the report lines that state the model and its solved
// parameters.
//
// Easting = dE + A X + B Y, Northing = dN + C X + D Y; coordinates in metres, the rotation R
// in degrees [0, 360).
#pragma once

#include "acoustic/engine/RunningStatistics.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

// One point known in both systems. A pair whose four coordinates are all 0 is not used.
struct GridOnGridDef
{
    double EastingA;
    double NorthingA;
    double EastingB;
    double NorthingB;
};

// Scale modes.
enum GRID_ON_GRID_SCALE
{
    GRID_SCALE_NONE = 0,    // no scale factor
    GRID_SCALE_SINGLE = 1,  // one scale factor
    GRID_SCALE_PER_AXIS = 2 // a scale factor per axis (or the full linear or affine matrix)
};

class CGridOnGrid : public CArray<GridOnGridDef, const GridOnGridDef&>
{
public:
    // Reads the settings and clears the solution.
    CGridOnGrid();

    // "Grid On Grid": scale mode, rotation flag, shift flag (2, 1, 1 when missing or damaged).
    void LoadSettings();
    // The same three lines; false when the file could not be written whole (the old one stays).
    bool SaveSettings() const;

    // Solves the model of the settings from the pairs in use. False, with the previous
    // solution kept, for a scale mode outside 0..2, too few pairs, or points that cannot fix
    // the model (all in one place, on one line for the models that need a spread, a line fit
    // whose X or Y values are all the same).
    bool Compute();
    // Empties `lines` and appends the report of the current model and solution; nothing for
    // a scale mode outside 0..2.
    void GetReport(CStringArray& lines) const;

    CString m_Text;
    double m_dE = 0.0; // shift, metres
    double m_dN = 0.0;
    double m_R = 0.0;    // rotation, degrees [0, 360)
    double m_SinR = 0.0; // both 0 in the models without rotation
    double m_CosR = 0.0;
    double m_SF1 = 1.0; // scale factor of easting (and the single scale factor)
    double m_SF2 = 1.0; // scale factor of northing
    double m_A = 0.0;
    double m_B = 0.0;
    double m_C = 0.0;
    double m_D = 0.0;
    // The easting and northing quantity of the model (differences, ratios or correlation
    // coefficients); the report's S.E. and Confidence come from their standard deviation.
    RunningStatisticsDef m_StatsE{};
    RunningStatisticsDef m_StatsN{};
    int m_ScaleMode = GRID_SCALE_PER_AXIS;
    unsigned char m_Rotation = 1;
    unsigned char m_Shift = 1;
};
