// CUsblCalibration: calibrates a USBL system against a seabed transponder. The vessel sails
// around the transponder; each observation holds the vessel position, heading, pitch and roll
// and the USBL's reading of the transponder: either the raw offsets from the transducer in
// the vessel frame or the USBL's own fix. The engine places the transducer of every
// observation, turns each reading into the transponder position it implies, solves the
// transponder position together with the heading correction (Gauss-Newton on ranges and
// bearings), fits a scale factor and a range error, and solves the pitch and roll corrections.
//
// Frames and signs. The vessel frame has x to starboard, y forward and z down; the grid frame
// easting, northing and depth (down). A reading is brought onto the grid by the roll (about
// the forward axis, positive starboard down: x' = x cos r - z sin r, z' = x sin r + z cos r),
// then the pitch (about the starboard axis, positive bow up: y' = y cos p + z sin p,
// z' = -y sin p + z cos p), then the heading (clockwise from grid north: E = x cos h + y sin h,
// N = -x sin h + y cos h): the usual heading-pitch-roll sequence of a vessel's attitude.
// Eastings, northings, depths and ranges in metres; headings, pitch, roll and corrections in
// degrees unless named otherwise; speeds in m/s.
#pragma once

#include "acoustic/engine/TransponderSite.h"
#include "platform/core/Array.h"
#include "platform/core/WinTypes.h"

// One observation.
struct UsblCalibrationDef
{
    double VesselEasting; // both 0: no position
    double VesselNorthing;
    double TransducerEasting; // written by ComputeTransducerPositions and ComputeObservation
    double TransducerNorthing;
    double TransducerDepth; // the transducer's vertical coordinate, metres down
    double Heading;         // degrees
    double Pitch;           // degrees, bow up
    double Roll;            // degrees, starboard down
    double X;               // raw reading, metres: starboard
    double Y;               // forward
    double Z;               // down
    double FixEasting;      // the USBL's own fix of the transponder
    double FixNorthing;
    double FixDepth;
    double ObservedEasting; // the transponder as this observation places it
    double ObservedNorthing;
    double ObservedDepth;
    BYTE Used; // 1: takes part
    COLORREF Colour;
};

// Which corrections an observation is computed with.
enum USBL_CORRECTION_SELECTOR
{
    USBL_CORRECTIONS_NONE = 0,
    USBL_CORRECTIONS_ENTERED = 1,
    USBL_CORRECTIONS_COMPUTED = 2
};

// One set of corrections.
struct UsblCorrectionsDef
{
    double Heading; // degrees, added to the heading
    double Pitch;   // degrees, added to the pitch
    double Roll;    // degrees, added to the roll
    double Scale;   // factor on the USBL's ranges (<= 0 counts as 1)
    double RangeError; // metres added to the USBL's ranges
};

class CUsblCalibration : public CArray<UsblCalibrationDef, const UsblCalibrationDef&>, public CTransponderSite
{
public:
    static constexpr int kMaxPasses = 11;
    static constexpr int kMaxPitchRollPasses = 10;
    // Metres: a pass whose correction is no larger ends the position solution.
    static constexpr double kSettled = 0.01;
    // Radians (0.01 degree): a pitch and roll step below this in both ends that solution.
    static constexpr double kAttitudeSettled = 1.7453292519943e-4;

    // Reads the settings file "USBL Calibration".
    CUsblCalibration();

    // The settings in their file order, the file whole or the old one kept; false when it could
    // not be written.
    bool SaveSettings() const;
    // Reads "USBL Calibration"; a missing file, line or unusable value gives that setting's
    // default.
    void LoadSettings();

    // actual / used speed; 1 when the used speed is not above 0.
    double GetSpeedRatio() const;
    // The corrections of the selector: none (0, 0, 0, scale 1, 0), the entered or the computed.
    UsblCorrectionsDef GetSelectedCorrections() const;
    // Whether the observation holds a reading: in raw data mode X and Y not both 0 and Z not 0;
    // in fix mode a vessel position and a fix that are not (0, 0).
    bool HasReading(const UsblCalibrationDef& record) const;
    // Whether its raw offsets make a vector to solve with (X and Y not both 0, Z not 0).
    static bool HasRawOffsets(const UsblCalibrationDef& record);

    // Places the transducer of every used observation.
    void ComputeTransducerPositions();
    // The transponder position one observation implies, with its colour, by the selected
    // corrections. Nothing happens for an observation not in use or without a reading (its
    // previous results stay). A bad index raises the framework's invalid-argument exception.
    void ComputeObservation(INT_PTR index);
    // Solves the transponder position (and depth when asked) with the heading correction from
    // the raw offsets of the used observations: each reading's bearing is that of its offsets
    // levelled by the reading's own roll and pitch (as ComputeObservation levels them), its range
    // their length. True when a pass's plan and depth corrections
    // came to kSettled or less within kMaxPasses: the solved position is the solution and the
    // computed heading correction the summed orientation. False when it did not settle, or a
    // pass could not be solved: the solved position is the trial position and the computed
    // heading correction is left as it was.
    bool ComputeTransponderPosition();
    // The computed scale factor and range error from the USBL's slant ranges against those of
    // the solved position: a line fit with both options, the mean difference or the mean ratio
    // with one. Starts them at 1 and 0; false (and those values) when neither option is set,
    // the solved depth is 0, or nothing fixes them.
    bool ComputeScaleFactor();
    // The computed pitch and roll corrections that turn the solved transponder into the raw
    // offsets best. Starts them at 0; false (and 0) when not asked for, the solved depth is not
    // above 0, or the observations cannot fix them (all at one attitude and bearing, say).
    bool ComputePitchRollCorrection();

    // Settings.
    bool m_RawDataMode = true;
    double m_OffsetX = 0.0; // metres to starboard
    double m_OffsetY = 0.0; // metres forward
    double m_GyroCorrection = 0.0; // degrees
    double m_MinDistance = 0.0;    // gating limits, kept for the program
    double m_MaxDistance = 0.0;
    double m_MaxRangeError = 0.0;
    double m_MaxDepthVariation = 0.0;
    UsblCorrectionsDef m_EnteredCorrections = {0.0, 0.0, 0.0, 1.0, 0.0};
    double m_UsedSpeed = 1485.0;   // m/s the USBL assumed
    double m_ActualSpeed = 1485.0; // m/s in the water
    bool m_ComputeDepth = false;
    bool m_ComputePitchRoll = true;
    bool m_ComputeRangeError = false;
    bool m_ComputeScaleFactor = true;
    bool m_UseRangeRings = true;
    double m_RangeRingRadius = 100.0;

    // Set by the program: which corrections ComputeObservation applies.
    int m_CorrectionSelector = USBL_CORRECTIONS_NONE;

    // Results.
    UsblCorrectionsDef m_ComputedCorrections = {0.0, 0.0, 0.0, 1.0, 0.0};
    double m_SolvedEasting = 0.0;
    double m_SolvedNorthing = 0.0;
    double m_SolvedDepth = 0.0;
    int m_Passes = 0;
    int m_PitchRollPasses = 0;
    // The mean horizontal distance (metres) from the solved transponder to the fixes of the used
    // observations, which the plan view draws as the error circle; 0 while there is none.
    double m_MeanDistance = 0.0;
    // Used observations whose USBL range does not reach their depth, left out of the ranges of
    // the last pass of the position solution.
    int m_ShortRangeCount = 0;

private:
    // The levelled grid-frame vector of the transducer-to-transponder slant (the solved position
    // in true metres) turned into the vessel frame by the record's attitude and the corrections.
    void ToVesselFrame(const UsblCalibrationDef& record, double pitch, double roll, double v[3]) const;
};
