// CMFCGpsGroupGridProperty: one GNSS receiver as a group of read-only rows in a survey pane's
// grid: position, height and fix mode, grid position, satellites and HDOP against the
// receiver's quality limits, and, as the receiver reports them, PDOP and VDOP, its
// constellation and error statistics, and speed and course over ground.
//
// Rows, in order (hidden at first from row 4 on):
//   0  latitude | longitude                 the receiver's WGS84 position (radians), user's notation
//   1  Height | Fix Mode                    m_Wgs84Height (m); "No Fix", "2D Fix", "3D Fix" by m_FixMode
//   2  Easting | Northing                   m_AntennaEasting, m_AntennaNorthing
//   3  Satellites | Hdop                    m_SatellitesUsed, m_Hdop, with their quality flags
//   4  Pdop | Vdop                          m_Pdop, m_Vdop; shown while m_GsaReceived
//   5  title "Constallation <system>"       m_GnssSystem; rows 5 to 12 shown while m_GstReceived
//   6  RMS                                  m_GstRms, RMS of the range residuals (m)
//   7  title "Error Ellipse"
//   8  Max | Min                            m_ErrorEllipse[0], [1]: semi-major and semi-minor sigma (m)
//   9  two unnamed angles                   m_ErrorEllipse[2], [3]: orientation of the major axis and
//                                           that plus 90 (degrees from true north)
//  10  title "Standard Deviation"
//  11  Latitude | Longitude                 m_PositionErrors[1], [0]: sigma north and east (m)
//  12  Height                               m_PositionErrors[2]: sigma up (m)
//  13  title "Course" / "Speed"             rows 13 and 14 shown by ShowSogCog only
//  14  SOG | COG                            m_SpeedOverGround (knots), m_Course (degrees true)
//
// Quality flags (row 3), read through the row's in-limits flags and drawn in the warning
// colour: the satellite count is within when it is at least m_MinimumSatellites, the HDOP when
// it is below m_MaximumDop; a limit of 0 switches its check off. This is not the receiver's own
// m_PoorQuality rule, which calls a count equal to the minimum poor and an HDOP equal to the
// maximum good: the group shows the limits as the user set them, the receiver flags its fixes.
// A field that is no value (NaN, infinite, the largest double) shows empty and is never within.
//
// The group keeps the receiver's pointer and reads it only in Update; a null receiver gives a
// group without rows whose Update does nothing.
#pragma once

#include "outside/panes/GroupProperty.h"
#include "survey/groups/DeviceGroupClass.h"
#include "survey/SurveyApi.h"

class CGps;
class CMFCPropertyGridDualDisplay;
class CMFCPropertyGridLatLonDisplay;
class CMFCPropertyGridTitleProperty;

class SURVEY_API CMFCGpsGroupGridProperty : public CMFCGroupPropertyGridProperty
{
    DECLARE_DEVICE_GROUP(CMFCGpsGroupGridProperty)

public:
    // nPosition: the group's index in its grid.
    CMFCGpsGroupGridProperty(const CString& name, CGps* gps, int nPosition);
    ~CMFCGpsGroupGridProperty() override;

    // The rows from the receiver as it is now; nothing for a null receiver.
    void Update();
    // Rows 13 and 14 shown (non-zero) or hidden (0).
    void ShowSogCog(int show);

    CGps* GetGps() const { return m_pGps; }

    // The fix-mode name of the receiver's m_FixMode: 0, 1, 2 as named, any other "No Fix".
    static const char* FixModeName(int fixMode);

    enum ROW
    {
        ROW_POSITION,
        ROW_HEIGHT_FIX,
        ROW_GRID,
        ROW_QUALITY,
        ROW_DOP,
        ROW_CONSTELLATION,
        ROW_RMS,
        ROW_ELLIPSE_TITLE,
        ROW_ELLIPSE_AXES,
        ROW_ELLIPSE_ANGLES,
        ROW_DEVIATION_TITLE,
        ROW_DEVIATION_HORIZONTAL,
        ROW_DEVIATION_HEIGHT,
        ROW_SOG_COG_TITLE,
        ROW_SOG_COG,
        ROW_COUNT
    };

private:
    void UpdateStatistics();

    CGps* m_pGps;
    CMFCPropertyGridLatLonDisplay* m_pPosition = nullptr;
    CMFCPropertyGridDualDisplay* m_pHeightFix = nullptr;
    CMFCPropertyGridDualDisplay* m_pGrid = nullptr;
    CMFCPropertyGridDualDisplay* m_pQuality = nullptr;
    CMFCPropertyGridDualDisplay* m_pDop = nullptr;
    CMFCPropertyGridTitleProperty* m_pConstellation = nullptr;
    CMFCPropertyGridDualDisplay* m_pRms = nullptr;
    CMFCPropertyGridTitleProperty* m_pEllipseTitle = nullptr;
    CMFCPropertyGridDualDisplay* m_pEllipseAxes = nullptr;
    CMFCPropertyGridDualDisplay* m_pEllipseAngles = nullptr;
    CMFCPropertyGridTitleProperty* m_pDeviationTitle = nullptr;
    CMFCPropertyGridDualDisplay* m_pDeviationHorizontal = nullptr;
    CMFCPropertyGridDualDisplay* m_pDeviationHeight = nullptr;
    CMFCPropertyGridTitleProperty* m_pSogCogTitle = nullptr;
    CMFCPropertyGridDualDisplay* m_pSogCog = nullptr;
};
