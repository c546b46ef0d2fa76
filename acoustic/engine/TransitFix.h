// CTransitFix: locates a seabed transponder from transits. The vessel sails three or four
// straight legs over the transponder and records where each leg crossed it (the two ends of
// the leg's transit line); the legs' lines intersect near the transponder, and the centre of
// the intersections is the fix.
//
// Coordinates are grid eastings and northings in metres; bearings radians clockwise from grid
// north, [0, 2 pi). A point with easting or northing 0 counts as not entered.
#pragma once

#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

class CReport;

class CTransitFix
{
public:
    static const int kMaxLegs = 4;
    static const int kMaxPoints = 2 * kMaxLegs;

    // Reads the "Transit Fix" settings and loads the points file they name.
    CTransitFix();

    // Clears everything, then reads "<name>.TFX" from the transit-fix folder: up to 8 lines of
    // "easting,northing", points 1, 2, ... in order. Exactly 6 lines make a three-leg fix,
    // anything else four legs; a line that is not two finite numbers within +-1e10 m (or is
    // longer than CConfigFile::kMaxLineLength) is a point not entered, and is named in
    // GetProblems and GetLoadProblems. Nothing after the eighth line is read. Then computes.
    // False when the file does not open.
    bool Load(const char* fileName);
    // Writes the settings ("No of Legs", "FileName") and the points file (2 x legs lines,
    // "%.3lf,%.3lf"), each whole or not at all. False when either could not be written.
    bool Save() const;
    // The settings alone ("No of Legs", "FileName"), whole or not at all: the points file is
    // left as it is.
    bool SaveSettings() const;
    // Intersections, bearings, centre and radius from the points. False, with the fix
    // uncomputed, when a line lacks a point, two legs are parallel or the intersections have
    // no centre; GetProblems then says why.
    bool Compute();
    // The report through a report writer opened on the printer (or a PDF file); false when
    // it did not open or could not be written.
    bool PrintReport();
    // The same through a writer the caller has set up (a text file, say).
    bool PrintReport(CReport& report) const;

    // The folder of the points files: the data folder's "Calibration\Transit Fix\".
    static CString GetFolder();
    // "<folder><name>.TFX".
    static CString GetPathName(const char* fileName);
    // The centre of the circle through three points; false when they lie on one line
    // (without coinciding).
    static bool CircleThroughPoints(const tagXY& a, const tagXY& b, const tagXY& c, tagXY* centre,
                                    double* radius);

    // Why the last load or compute fell short: lines of the points file that were not two
    // numbers, legs that are parallel, intersections without a centre.
    void GetProblems(CStringArray& problems) const;
    // Only the lines of the points file that the last load could not take: empty when the
    // points are the file's own.
    void GetLoadProblems(CStringArray& problems) const;

    int m_NumberOfLegs = kMaxLegs; // 3 or 4
    int m_NumberOfPoints = kMaxPoints;
    CString m_FileName = "TransitFix";
    tagXY m_Points[kMaxPoints] = {};      // points 1..8
    tagXY m_Intersections[kMaxLegs] = {}; // A..D
    bool m_IntersectionComputed[kMaxLegs] = {};
    double m_Bearings[kMaxLegs] = {}; // four legs: A-B, D-C, A-D, B-C; three legs: A-B, B-C, A-C
    tagXY m_Centre = {};
    double m_Radius = 0.0; // three-leg fix only
    bool m_Computed = false;

private:
    bool Entered(int point) const;
    // The crossing of the lines through points p1-p2 and p3-p4 (1-based) into intersection
    // `index`; false when a point is missing or the lines are parallel (named in problems).
    bool Intersect(int index, int leg1, int p1, int p2, int leg2, int p3, int p4);
    bool ComputeFourLegFix();
    bool ComputeThreeLegFix();
    void Clear();

    CStringArray m_LoadProblems;
    CStringArray m_ComputeProblems;
};
