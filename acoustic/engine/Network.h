// CNetwork: a network of seabed stations whose plan positions are adjusted by least squares
// from the slant ranges and grid bearings measured between them, with 95 % error ellipses and
// residual statistics. The index of a station in the array is its station number (0-based).
#pragma once

#include "acoustic/engine/NetworkStation.h"

class CNetwork : public CArray<CNetworkStation, const CNetworkStation&>
{
public:
    CNetwork() = default;

    // Centre of the bounding box of the given positions of the stations in use whose easting
    // and northing are both non-zero; (0, 0) when there is none.
    void GetCentre(double& easting, double& northing) const;

    // Appends a copy of `station` and makes every observation array as long as the station
    // list; observations whose range or bearing standard error is not above 0 get 1.0.
    // Returns the new station's index.
    INT_PTR AddStation(const CNetworkStation& station);
    // Removes station `index` and the observations of every other station to it, so that the
    // following stations and their observations move down by one. A bad index raises the
    // invalid-argument exception.
    void RemoveStation(INT_PTR index);

    // Computed range (slant distance), computed bearing and their differences from the
    // observed ones, for every pair of stations, from the given positions.
    void ComputeObservations();

    // Adjusts the plan positions of the free stations (Gauss-Newton, at most 21 passes).
    // Returns, and keeps in m_Result, 1 when the corrections settled below 0.1 mm within 19
    // passes, else 0: also when the observations do not fix every free station (a singular
    // normal matrix, e.g. a station with no observations or a network with nothing fixed).
    // The positions of the last pass stay in the stations either way.
    BYTE Adjust();

    // The pair (i, j) takes part in the adjustment: both stations in use, not both fixed.
    bool IsPairUsed(INT_PTR i, INT_PTR j) const;
    // The one test, for counting, rows and residuals alike, of an observation that enters
    // the adjustment.
    static bool UsesRange(const NetworkObservationDef& observation);
    static bool UsesBearing(const NetworkObservationDef& observation);

    // The most stations a network file may hold (its observations grow with the square).
    enum
    {
        MAX_STATIONS = 500
    };

    // The network file (".NET" in the data folder's "Calibration\Network Adjustment"). Load
    // replaces every station and returns true when the station section held at least one
    // line; damaged or ignored lines are listed in GetLoadMessages. A station section of more
    // than MAX_STATIONS lines loads nothing. Save writes the whole file
    // or nothing and returns whether it was written.
    bool Load(const char* name);
    bool Save();
    // One text per line that Load could not take as it stood, for the user.
    const CStringArray& GetLoadMessages() const { return m_LoadMessages; }

    // Base name of the network file (no folder, no extension).
    CString m_FileName;
    // Filed for the panes; the adjustment does not use them.
    BYTE m_TwoWayTravelTime = 0;
    double m_SpeedOfSound = 1485.0; // metres per second

    // Whether the last adjustment estimated a variance factor: it was solved and had more rows
    // than unknowns. Without redundancy the observations cannot show their own errors, and no
    // factor (not even 0) is given.
    bool HasVarianceFactor() const;
    // The variance factor for the user: its value, the standard error of unit weight and the
    // redundancy; or why there is none.
    CString DescribeVarianceFactor() const;

    // Results of the last adjustment.
    BYTE m_Result = 0;              // 1 success
    int m_ObservationCount = 0;     // ranges plus bearings used
    int m_PositionStationCount = 0; // stations with status STATION_FREE_WITH_POSITION
    int m_AdjustedStationCount = 0; // stations in use and not fixed
    int m_RowCount = 0;             // rows of the last pass's design matrix, position rows included
    int m_Redundancy = 0;           // rows less unknowns (two per adjusted station)
    int m_PassCount = 0;
    // Sum of (residual / standard error)^2 over every row of the last solve: ranges, bearings
    // and given positions. 0 when nothing was solved.
    double m_SumWeightedSquares = 0.0;
    // The sum over the redundancy (the reduced chi-square of the solution) and its square root;
    // both 0 when HasVarianceFactor is false.
    double m_VarianceFactor = 0.0;
    double m_StandardErrorUnitWeight = 0.0;

private:
    // The sum, and the variance factor and standard error of unit weight when there is
    // redundancy.
    void SetVarianceFactor(double sumWeightedSquares);

    // The last adjustment was solved (or had nothing to solve).
    bool m_Solved = false;
    CStringArray m_LoadMessages;
};
