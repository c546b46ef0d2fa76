// CMagneticModel: the Earth's main magnetic field from a spherical-harmonic model of degree up
// to 12 with linear secular variation, in the layout of the World Magnetic Model (Schmidt
// semi-normalised Gauss coefficients g, h in nT at the model's epoch and their rates in nT per
// year, reference radius 6371.2 km, positions geodetic on WGS84).
//
// Built in is the World Magnetic Model 2025 (epoch 2025.0, valid 2025.0 to 2030.0); a newer
// published coefficient file ("WMM.COF" layout) can replace it at run time.
//
// Method: the World Magnetic Model technical report (NOAA NCEI and BGS), section 1.2: geodetic
// to geocentric spherical co-ordinates, the field's geocentric components from the potential's
// gradient, rotated back to the geodetic frame; declination, inclination and the intensities
// from those components, and their annual change from the rates' field.
#pragma once

#include "platform/core/String.h"

// The field at one point and time. Angles in radians, intensities in nanotesla (nT), rates
// per year.
struct MagneticFieldDef
{
    double dDeclination = 0.0;   // D: magnetic north from true north, east positive, [-pi, pi]
    double dInclination = 0.0;   // I: dip below the horizontal, down positive, [-pi/2, pi/2]
    double dHorizontal = 0.0;    // H, >= 0
    double dNorth = 0.0;         // X
    double dEast = 0.0;          // Y
    double dDown = 0.0;          // Z
    double dTotal = 0.0;         // F, >= 0
    double dGridVariation = 0.0; // GV: magnetic north from grid north, east positive, [-pi, pi]
    double dDeclinationRate = 0.0;
    double dInclinationRate = 0.0;
    double dHorizontalRate = 0.0;
    double dNorthRate = 0.0;
    double dEastRate = 0.0;
    double dDownRate = 0.0;
    double dTotalRate = 0.0;
};

class CMagneticModel
{
public:
    enum
    {
        MAX_DEGREE = 12
    };
    // Latitudes poleward of this many degrees take their grid from the polar stereographic
    // (UPS) grids; the others from their UTM zone.
    static constexpr double POLAR_GRID_LATITUDE = 55.0;
    // Horizontal intensities below these make a compass unreliable (blackout) or doubtful
    // (caution), nT.
    static constexpr double BLACKOUT_HORIZONTAL = 2000.0;
    static constexpr double CAUTION_HORIZONTAL = 6000.0;

    // The built-in World Magnetic Model 2025.
    CMagneticModel();

    // A coefficient file in the published layout (Windows path): a header line with the epoch,
    // the model's name and its release date, one line "n m g h g-rate h-rate" for every degree
    // n = 1..N (N <= 12) and order m = 0..n, ended by a line of nines (or the file's end).
    // False, with the model unchanged, when the file cannot be read or is not such a file.
    bool LoadCof(const char* path);
    bool ParseCof(const char* text);
    // The model the program uses: the coefficient file INSTALLED_COF_NAME in the program's
    // settings folder when there is one that reads as a model (so that the next published
    // model can be put in place without a new build), else the built-in one.
    static CMagneticModel Installed();
    static constexpr const char* INSTALLED_COF_NAME = "WMM.COF";

    // "WMM-2025"
    const CString& GetName() const { return m_strName; }
    // "11/13/2024" as the file gives it.
    const CString& GetReleaseDate() const { return m_strReleaseDate; }
    // Decimal years: the epoch, and the validity [epoch, epoch + 5).
    double GetEpoch() const { return m_dEpoch; }
    double GetValidFrom() const { return m_dEpoch; }
    double GetValidTo() const { return m_dEpoch + 5.0; }
    bool IsValidYear(double decimalYear) const;
    int GetDegree() const { return m_nDegree; }
    // Main-field coefficients and their rates, nT and nT per year; 0 outside the model.
    double GetG(int n, int m) const;
    double GetH(int n, int m) const;
    double GetGRate(int n, int m) const;
    double GetHRate(int n, int m) const;

    // The field at a geodetic latitude and longitude (radians, WGS84), a height above the
    // ellipsoid (metres) and a decimal year. Dates outside the validity are extrapolated
    // linearly, as the model does; the caller warns. At the geographic poles the declination
    // is taken along the meridian of the given longitude.
    MagneticFieldDef Compute(double latitude, double longitude, double height, double decimalYear) const;

    // The decimal year of a calendar date as the model counts it: year + (day of year - 1) /
    // days in the year. 0 for a date that does not exist.
    static double DecimalYear(int year, int month, int day);
    // The calendar date of a decimal year's day (the inverse of DecimalYear, to the day).
    static void DateOfDecimalYear(double decimalYear, int& year, int& month, int& day);
    // Grid north from true north (radians, east positive) of the grid a grid variation refers
    // to: the UTM zone of the longitude (transverse Mercator on WGS84, by the series of the
    // ellipsoidal convergence, better than 0.1" inside a zone), or poleward of
    // POLAR_GRID_LATITUDE the polar stereographic grid (the longitude in the north, minus the
    // longitude in the south).
    static double GridConvergence(double latitude, double longitude);

private:
    void LoadBuiltIn();

    CString m_strName;
    CString m_strReleaseDate;
    double m_dEpoch = 0.0;
    int m_nDegree = 0;
    double m_g[MAX_DEGREE + 1][MAX_DEGREE + 1] = {};
    double m_h[MAX_DEGREE + 1][MAX_DEGREE + 1] = {};
    double m_gRate[MAX_DEGREE + 1][MAX_DEGREE + 1] = {};
    double m_hRate[MAX_DEGREE + 1][MAX_DEGREE + 1] = {};
};
