#include "survey/groups/GpsGroupGridProperty.h"

#include "geodesy/Gps.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/LatLonDisplay.h"
#include "survey/groups/DeviceRows.h"

#include <cmath>

IMPLEMENT_DEVICE_GROUP(CMFCGpsGroupGridProperty)

namespace
{
CMFCPropertyGridDualDisplay* Dual(const char* name1, const char* format1, const char* unit1, const char* name2,
                                  const char* format2, const char* unit2)
{
    return new CMFCPropertyGridDualDisplay(name1, 0.0, format1, unit1, name2, 0.0, format2, unit2);
}
} // namespace

CMFCGpsGroupGridProperty::CMFCGpsGroupGridProperty(const CString& name, CGps* gps, int nPosition)
    : CMFCGroupPropertyGridProperty(name, nPosition), m_pGps(gps)
{
    if (m_pGps == nullptr)
        return;
    m_pPosition = new CMFCPropertyGridLatLonDisplay(0.0, 0.0);
    m_pHeightFix = Dual("Height", "%7.2lf", "m.", "Fix Mode", "%s", "");
    m_pGrid = Dual("Easting", "%12.3lf", "E", "Northing", "%12.3lf", "N");
    m_pQuality = Dual("Satellites", "%d", "", "Hdop", "%7.2lf", "");
    m_pDop = Dual("Pdop", "%7.2lf", "", "Vdop", "%7.2lf", "");
    m_pConstellation = new CMFCPropertyGridTitleProperty("Constallation");
    m_pRms = new CMFCPropertyGridDualDisplay("RMS", 0.0, "%7.2lf", "");
    m_pEllipseTitle = new CMFCPropertyGridTitleProperty("Error Ellipse");
    m_pEllipseAxes = Dual("Max", "%7.2lf", "", "Min", "%7.2lf", "");
    m_pEllipseAngles = Dual("", "%6.2lf", "\xB0", "", "%6.2lf", "\xB0");
    m_pDeviationTitle = new CMFCPropertyGridTitleProperty("Standard Deviation");
    m_pDeviationHorizontal = Dual("Latitude", "%7.2lf", "m", "Longitude", "%7.2lf", "m");
    m_pDeviationHeight = new CMFCPropertyGridDualDisplay("Height", 0.0, "%7.2lf", "");
    m_pSogCogTitle = new CMFCPropertyGridTitleProperty("Course", "Speed");
    m_pSogCog = Dual("SOG", "%5.1lf", "Knts", "COG", "%6.2lf", "\xB0T");

    CMFCPropertyGridProperty* const rows[ROW_COUNT] = {
        m_pPosition,       m_pHeightFix,         m_pGrid,           m_pQuality,
        m_pDop,            m_pConstellation,     m_pRms,            m_pEllipseTitle,
        m_pEllipseAxes,    m_pEllipseAngles,     m_pDeviationTitle, m_pDeviationHorizontal,
        m_pDeviationHeight, m_pSogCogTitle,      m_pSogCog};
    for (int i = 0; i < ROW_COUNT; ++i)
    {
        if (i >= ROW_DOP)
            rows[i]->Show(FALSE, FALSE);
        AddSubItem(rows[i]);
    }
    m_pHeightFix->SetText(2, FixModeName(0));
}

CMFCGpsGroupGridProperty::~CMFCGpsGroupGridProperty() = default;

const char* CMFCGpsGroupGridProperty::FixModeName(int fixMode)
{
    switch (fixMode)
    {
    case 1: return "2D Fix";
    case 2: return "3D Fix";
    default: return "No Fix";
    }
}

void CMFCGpsGroupGridProperty::Update()
{
    if (m_pGps == nullptr)
        return;
    const CGps& gps = *m_pGps;
    m_pPosition->SetValue(gps.m_Wgs84Latitude, gps.m_Wgs84Longitude);
    ShowDeviceText(*m_pHeightFix, 2, FixModeName(gps.m_FixMode));
    ShowDeviceValues(*m_pHeightFix, gps.m_Wgs84Height, 0.0);
    ShowDeviceValues(*m_pGrid, gps.m_AntennaEasting, gps.m_AntennaNorthing);

    const double satellites = gps.m_SatellitesUsed;
    const bool satellitesWithin = gps.m_MinimumSatellites <= 0 || gps.m_SatellitesUsed >= gps.m_MinimumSatellites;
    const bool hdopWithin = !(gps.m_MaximumDop > 0.0) || gps.m_Hdop < gps.m_MaximumDop;
    ShowDeviceValues(*m_pQuality, satellites, gps.m_Hdop, satellitesWithin, hdopWithin);

    const bool dop = gps.m_GsaReceived != 0;
    if (dop)
        ShowDeviceValues(*m_pDop, gps.m_Pdop, gps.m_Vdop);
    ShowDeviceRow(*m_pDop, dop);
    UpdateStatistics();

    // The receiver gives -1 knots when its sentence had no speed: no speed, not a negative one.
    const double sog = gps.m_SpeedOverGround >= 0.0 ? gps.m_SpeedOverGround : NAN;
    ShowDeviceValues(*m_pSogCog, sog, gps.m_Course);
}

void CMFCGpsGroupGridProperty::UpdateStatistics()
{
    const CGps& gps = *m_pGps;
    const bool statistics = gps.m_GstReceived != 0;
    if (statistics)
    {
        CString title;
        title.Format("Constallation %s", static_cast<LPCSTR>(gps.m_GnssSystem));
        if (title != m_pConstellation->GetName())
            m_pConstellation->SetName(title);
        ShowDeviceValue(*m_pRms, gps.m_GstRms);
        ShowDeviceValues(*m_pEllipseAxes, gps.m_ErrorEllipse[0], gps.m_ErrorEllipse[1]);
        ShowDeviceValues(*m_pEllipseAngles, gps.m_ErrorEllipse[2], gps.m_ErrorEllipse[3]);
        ShowDeviceValues(*m_pDeviationHorizontal, gps.m_PositionErrors[1], gps.m_PositionErrors[0]);
        ShowDeviceValue(*m_pDeviationHeight, gps.m_PositionErrors[2]);
    }
    for (int i = ROW_CONSTELLATION; i <= ROW_DEVIATION_HEIGHT; ++i)
        ShowDeviceRow(*GetSubItem(i), statistics);
}

void CMFCGpsGroupGridProperty::ShowSogCog(int show)
{
    if (m_pGps == nullptr)
        return;
    ShowDeviceRow(*m_pSogCogTitle, show != 0);
    ShowDeviceRow(*m_pSogCog, show != 0);
}
