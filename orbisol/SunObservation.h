// The sun observation: the observer's position, the date and UT of a theodolite pointing at
// the sun, the year's almanac, and from them the sun's declination, hour angles and azimuth
// and the azimuth of the reference object (R.O.). One object lives for the program's run;
// its pages read and set the fields directly.
#pragma once

#include "orbisol/AlmanacFile.h"
#include "orbisol/SunAlmanac.h"

class CSunObservation
{
public:
    CSunObservation();

    // Loads the almanac of `year` (1900..2100 as the files name them) unless it is the loaded
    // one, then computes. True when the year's records are in place. A failed load leaves no
    // year loaded, every record cleared, the results unavailable and the reason in
    // GetLoadError(); the next request for any year reads its file again.
    bool LoadAlmanac(int year);

    // Fills the results from the inputs and the loaded year's record of the month of the day.
    // Loads nothing. Without a loaded year, or with a day of year outside it, the results are
    // marked unavailable (HasResults() false) and hold NaN.
    void Compute();

    // Whether the last Compute produced results from a loaded almanac.
    bool HasResults() const { return m_bResults; }
    // Why the last load failed; empty after a successful one.
    const AlmanacLoadError& GetLoadError() const { return m_LoadError; }

    // The settings file "Orbisol": latitude, longitude and R.O. angle, in radians, in that
    // order. Reading leaves 0 for a value the file does not give (or gives as no finite number).
    bool SaveSettings() const;
    void LoadSettings();

    // Inputs.
    double m_dLongitude = 0.0; // observer, radians, east positive, [-π, π]
    double m_dLatitude = 0.0;  // observer, radians, north positive, [-π/2, π/2]
    int m_nDayOfYear = 1;      // 1 = 1 January, of the loaded year
    int m_nLoadedYear = 0;     // the year whose almanac is in m_Months; 0 = none
    double m_dUT = 0.0;        // time of the observation, seconds since 00:00 UT, [0, 86400)

    // Results of Compute (NaN while unavailable).
    double m_dDeclination = 0.0; // apparent declination of the sun, radians
    double m_dE = 0.0;           // E = GHA - UT, seconds of time (about 43200)
    double m_dGHA = 0.0;         // Greenwich hour angle of the sun, radians, [0, 2π] for UT in the day
    double m_dGHATime = 0.0;     // the GHA in seconds of time, wrapped once into [0, 86400]
    // Local hour angle as shown: GHA + longitude, unwrapped, then folded to 2π - LHA when above
    // π; radians. It is only shown: the azimuth takes the hour angle modulo 2π.
    double m_dLHA = 0.0;
    double m_dLHATime = 0.0; // m_dLHA in seconds of time, a negative value plus 86400
    double m_dAzimuth = 0.0; // of the sun, radians, [0, 2π), clockwise from north

    // The horizontal angle clockwise from the sun to the R.O. (R.O. reading minus sun
    // reading), radians.
    double m_dROAngle = 0.0;
    double m_dROAzimuth = 0.0; // of the R.O., radians, [0, 2π), clockwise from north

    SunAlmanacDef m_Months[12]; // the loaded year's records, January first; all 0 when not given

private:
    void ClearResults();

    bool m_bResults = false;
    AlmanacLoadError m_LoadError;
};

// The sun's azimuth, radians in [0, 2π) clockwise from north, for a latitude φ and
// declination δ (radians, |δ| < π/2) and a west hour angle H (radians, any value):
// A = atan2(-sin H, cos φ tan δ - sin φ cos H). 0 with the sun in the zenith, where no azimuth
// is defined. Exact to rounding; the hour angle need not be folded or wrapped first.
double SunAzimuth(double latitude, double declination, double hourAngle);
