// CWindFarmList: the offshore wind farms a host program has loaded: every turbine with its
// position and attributes, the wind farms with their grid positions, and how they are shown.
// The host builds and fills it; the wind farm dialogs read it and write its display settings.
//
// Units: longitudes and latitudes in radians; eastings and northings in metres; heights and
// radii in metres as 32-bit floats, WIND_FARM_NO_VALUE when the source gives none.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cfloat>

// The largest single-precision value: an attribute the source does not give.
constexpr float WIND_FARM_NO_VALUE = FLT_MAX;

struct WindFarmDef
{
    CString Name;
    double Easting = 0.0;
    double Northing = 0.0;
};

struct TurbineDef
{
    int Image = 0;          // index into the turbine list's images
    CString Id;             // the turbine's identifier
    CString Subtitle;
    CString WindFarm;       // name of the wind farm it belongs to
    double Longitude = 0.0; // radians
    double Latitude = 0.0;  // radians
    CString Remarks;
    float MaxHeight = WIND_FARM_NO_VALUE; // incl. blade, above MHWS
    CString NavigationLights;
    CString RadioRadar;
    CString FogSignal;
    CString Spare;
    float BladeRadius = WIND_FARM_NO_VALUE;
    float StructureHeight = WIND_FARM_NO_VALUE; // incl. blade, above MHWS
};

class CWindFarmList
{
public:
    CWindFarmList() = default;
    ~CWindFarmList();
    CWindFarmList(const CWindFarmList&) = delete;
    CWindFarmList& operator=(const CWindFarmList&) = delete;

    // Owned: freed with the list.
    CArray<TurbineDef*, TurbineDef*> m_Turbines;

    bool m_bDisplayTurbines = true;
    bool m_bDisplayBoundary = true;
    bool m_bLabelTurbines = false;
    bool m_bLabelWindFarm = false;
    COLORREF m_TurbineColour = 0;
    COLORREF m_BoundaryColour = 0;

    CArray<WindFarmDef*, WindFarmDef*> m_WindFarms;

    // Appends a copy and returns it.
    TurbineDef* AddTurbine(const TurbineDef& turbine);
    WindFarmDef* AddWindFarm(const char* name, double easting, double northing);
};
