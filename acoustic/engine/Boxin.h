// CBoxin: positions a seabed transponder by boxing it in. A vessel sails around the
// transponder and records, at many positions, the acoustic range (or travel time) to it; from
// the vessel positions, headings and the transducer offsets the engine places the transducer
// of every observation, solves the transponder's easting and northing (and, on request, its
// depth) by Gauss-Newton least squares on the ranges, gates outlying observations, and gives
// every observation a residual and the set its summary statistics and printed report.
//
// Grid eastings and northings, ranges and depths in metres (depth positive down, the
// transducer at height 0); headings and gyro corrections in degrees clockwise from north;
// travel times in seconds or milliseconds by the range mode; speeds in m/s.
#pragma once

#include "acoustic/engine/TransponderSite.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CReport;

// One observation.
struct BoxinDef
{
    double VesselEasting; // both 0: the observation has no position
    double VesselNorthing;
    double TransducerEasting; // written by ComputeTransducerPositions
    double TransducerNorthing;
    double ObservationTime; // carried for the program
    double Heading;         // degrees
    double ObservedValue;   // range (m) or travel time (s or ms) by the range mode; > 0 to be used
    double Depth;           // transducer to transponder, metres; 0: the transponder's depth
    double Spare1;
    double DerivedEasting; // the observed horizontal range laid off towards the solved position
    double DerivedNorthing;
    double Spare2;
    BYTE Used;            // 1: takes part
    double PositionError; // derived point to solved position, metres
    double RangeError;    // computed minus observed slant range, metres
    double ScaleError;    // computed over observed slant range
    COLORREF Colour;      // quadrant of the bearing to the solved position
};

// Range modes: what an observed value is.
enum BOXIN_RANGE_MODE
{
    BOXIN_RANGE_METRES = 0,
    BOXIN_TRAVEL_TIME_SECONDS = 1,
    BOXIN_TRAVEL_TIME_MILLISECONDS = 2
};

class CBoxin : public CArray<BoxinDef, const BoxinDef&>, public CTransponderSite
{
public:
    static constexpr int kMaxPasses = 21;
    // Metres: a pass whose correction is no larger ends the solution.
    static constexpr double kSettled = 0.01;

    // Reads the settings file "Boxin"; results cleared.
    CBoxin();

    // The settings in their file order, each line whole or the old file kept; false when it
    // could not be written.
    bool SaveSettings() const;
    // Reads "Boxin"; a missing file, line or unusable value gives that setting's default.
    void LoadSettings();

    // Places the transducer of every usable observation (see IsUsable).
    void ComputeTransducerPositions();
    // Solves the transponder from the trial position. True when a pass's correction (plan and
    // depth) came to kSettled or less within kMaxPasses: the derived position is the solution.
    // False when it did not settle, or a pass could not be solved (fewer usable observations
    // than unknowns, all at one place, or on a line through the estimate; with the depth an
    // unknown, a trial depth of 0, where a range does not change with the depth): the derived
    // position is then the trial position.
    bool ComputeTransponderPosition();
    // Residuals of one observation against the derived position; returns its used flag. A bad
    // index raises the framework's invalid-argument exception.
    BYTE ComputeResidual(INT_PTR index);
    // The sample count, the mean position, range and scale errors and the residual range over
    // the usable observations.
    void ComputeStatistics();
    // Marks the observations used by the range-error gate (all used when gating is off or the
    // maximum range error is not above 0).
    void ApplyGating();
    // Transducers, transponder and, when it converged, every residual and the statistics.
    bool Compute();

    // The report through a report writer opened on the printer (or a PDF file); false when it
    // did not open (cancelled) or could not be written.
    bool PrintReport() const;
    // The same through a writer the caller set up; `stamp` stands in the first line in place
    // of "<date> @ <time>" of now when given.
    bool PrintReport(CReport& report, const char* stamp = nullptr) const;

    // An observation takes part when its used flag is 1, its observed value above 0 and its
    // vessel position not (0, 0).
    static bool IsUsable(const BoxinDef& record);
    // The observed slant range (metres) from the observed value, by the range mode and the
    // corrections, before the reduction to the grid.
    double ObservedSlantRange(const BoxinDef& record) const;
    // The observed slant range reduced to the grid (ReduceToGrid) with d the depth in use.
    // False when the range is not above 0 or shorter than the depth: the observation then has
    // no range at this depth.
    bool GridSlantRange(const BoxinDef& record, double depth, double* range) const;
    // The depth between transducer and transponder for an observation, with the transponder at
    // `transponderDepth`: the transponder's depth, or the observation's own shifted by what the
    // solution added to the trial depth.
    double DepthInUse(const BoxinDef& record, double transponderDepth) const;

    // Settings.
    double m_OffsetX = 0.0; // metres to starboard
    double m_OffsetY = 0.0; // metres forward
    int m_RangeMode = BOXIN_RANGE_METRES;
    bool m_ApplyGating = false;
    double m_MaxRangeError = 0.0; // metres
    double m_GyroCorrection = 0.0; // degrees
    bool m_ComputedDepth = false;  // the depth is an unknown
    double m_RangeCorrection = 0.0; // metres
    double m_TurnAroundTime = 0.0;  // seconds
    bool m_TwoWayTravelTime = true;
    double m_UsedSpeed = 1485.0;   // m/s
    double m_ActualSpeed = 1485.0; // m/s
    bool m_UseRangeRings = false;
    double m_RangeRingRadius = 25.0; // metres

    // Set by the program; no file holds them.
    bool m_ApplyCorrections = false;
    bool m_UseOffsets = false;     // the observations carry a heading
    bool m_DepthAvailable = false; // the observations carry a depth

    // Results.
    double m_DerivedEasting = 0.0;
    double m_DerivedNorthing = 0.0;
    double m_DerivedDepth = 0.0;
    int m_Converged = 0;
    int m_Passes = 0;
    int m_Count = 0;        // observations of the last pass, then the statistics' samples
    double m_MaxRange = 0.0; // largest grid slant range used, metres
    double m_MeanPositionError = 0.0;
    double m_MeanRangeError = 0.0;
    double m_MeanScaleError = 0.0;
    double m_MinResidual = 0.0; // residual range for the histogram, whole metres
    double m_MaxResidual = 0.0;
    // Usable observations whose range does not reach their depth, left out of the last step
    // that met them (the last pass of the solution, then the statistics).
    int m_ShortRangeCount = 0;

private:
    void ClearResults();
    bool SkipsOffsets() const;
};
