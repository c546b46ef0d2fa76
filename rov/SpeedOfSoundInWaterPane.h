// CSpeedOfSoundInWaterPane: the "Speed of Sound in Water" pane. The user types the position,
// the depth or the pressure, the temperature and the salinity or conductivity ratio and picks
// a formula; the pane shows the water's density and the speed of sound the echo sounders and
// acoustic systems are set from. It owns the sound-speed object it computes with.
//
// Units as the object keeps them: latitude in radians, depth in metres, pressure in bar or
// kg/cm² (shown and typed in the unit of the user's "Pressure Mode" file, read at every use),
// temperature in degrees Celsius, practical salinity, speed in m/s.
#pragma once

#include "foundation/XYArray.h"
#include "rov/RovApi.h"
#include "rov/RovGridPane.h"

#include <memory>

class CSpeedOfSoundInWater;

class ROV_API CSpeedOfSoundInWaterPane : public CRovGridPane
{
public:
    // The data words of the grid's items; display-only items carry 0.
    enum ITEM_DATA
    {
        DATA_NONE = 0,
        DATA_LATITUDE = 1,
        DATA_ANOMALY = 2,
        DATA_DEPTH = 3,
        DATA_PRESSURE_UNITS = 4,
        DATA_PRESSURE = 5,
        DATA_TEMPERATURE_UNITS = 6,
        DATA_TEMPERATURE = 7,
        DATA_SALINITY = 8,
        DATA_CONDUCTIVITY = 9,
        DATA_FORMULA = 10
    };

    CSpeedOfSoundInWaterPane();
    ~CSpeedOfSoundInWaterPane() override;

    // The docked pane titled "Speed of Sound in Water" with its grid built and laid out; FALSE
    // (and no grid built) when the pane could not be made.
    BOOL Create(CWnd* pParentWnd, int nID);

    // The grid rebuilt: the group "Location" with its sixteen rows, then Enable.
    void InitPropList();
    // Every value row shown afresh from the object, the speed computed now.
    void Update();
    // Latitude, geopotential anomaly and pressure take part only in the formulas that use
    // them (Chen & Millero, Del Grosso, Wilson October 1960); otherwise they are greyed out.
    void Enable();
    // The latitude of the observations (radians, -π/2..π/2); the pressure or depth follows.
    // A latitude that is not finite or lies beyond a pole is ignored.
    void SetLatitude(double dLatitude);
    // The host's position: its second coordinate is the latitude (radians). DBL_MAX ("no
    // value") is ignored.
    void SetGeog(tagXY position);
    // The latitude row drawn again in the user's angle format, after the format changed.
    void UpdateGeographicals();

    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    CSpeedOfSoundInWater& GetSpeedOfSound() { return *m_pSpeedOfSound; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Pressure from depth or depth from pressure again, then salinity or conductivity; a
    // point that cannot be completed leaves the one before it in force. False then.
    bool DeriveValues();
    // The current point's speed by the chosen formula, stored in the point.
    void ComputeSpeed();

    std::unique_ptr<CSpeedOfSoundInWater> m_pSpeedOfSound;
};
