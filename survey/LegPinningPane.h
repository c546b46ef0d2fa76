// CLegPinningPane ("Leg Pinning"): placing a jack-up barge's legs on target. It shows the
// vessel's receivers with the GPS heading and the comparisons, the gyro and the MRU, the
// selected tracking point, the target waypoint with the range and bearing to it, and the grid
// position of every leg in use.
//
// Groups, in grid order: one GPS group per antenna that has a receiver (none without a receiver
// list), the GPS heading, the comparisons 1/2, 1/3 and 2/3, gyro, MRU, gyro against MRU,
// "Tracking Point", "Target", "Legs". The layout is drawn for three antennas, but every group's
// position is recorded as it is added, so a vessel with one, two or four antennas lays out
// without shifting the groups after its receivers, and every update and time-out reaches its
// own group. The heading and comparisons of receivers the vessel does not have stay hidden.
//
// The GPS groups, heading and comparisons, the gyro and the MRU follow the vessel navigation
// pane's rules (CVesselGpsGroups, CHeadingSensorGroups); the MRU's update also hands the gyro's
// group the MRU's heading use. The vessel, gyro and MRU are required: Create refuses without any of
// them. Readings that are no value (NaN, infinity, the largest double) show empty.
#pragma once

#include "platform/core/Array.h"
#include "survey/SurveyApi.h"
#include "survey/HeadingSensorGroups.h"
#include "survey/SurveyPane.h"
#include "survey/VesselGpsGroups.h"

#include <vector>

class CBarge;
class CDeviceValueAngle;
class CDeviceValueDouble;
class CGps;
class CGyro;
class CMFCPropertyGridProperty;
class CMru;

class SURVEY_API CLegPinningPane : public CSurveyPane
{
    DECLARE_DYNAMIC(CLegPinningPane)

public:
    CLegPinningPane();
    ~CLegPinningPane() override;

    // 1 when made. 0, with nothing made or docked, when the docking pane cannot be made or the
    // vessel, gyro or MRU is null. The pointers stay the host's and must outlive the pane; the
    // receiver list may be null (no GPS groups).
    int Create(CWnd* pParent, int nID, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers, CGyro* pGyro, CMru* pMru);

    void InitPropList() override;
    // Each device group shown while its devices are active.
    void UpdateGpsPanes() override;

    // Receiver `index` gave data: as in the vessel navigation pane.
    void UpdateGps(int index);
    void GpsTimeout(int i);
    // The gyro's group refreshed with the MRU's heading use and highlighted; gyro against MRU
    // recomputed.
    void UpdateGyro();
    void GyroTimeout();
    // The gyro's heading use from the MRU, the MRU's group refreshed and highlighted, gyro
    // against MRU recomputed.
    void UpdateMru();
    void MruTimeout();
    // The tracking point's name and grid position.
    void UpdateTrkPt();
    // The target's file title, waypoint name, range and bearing from the vessel.
    void UpdateTarget();
    // The name and grid position of each leg that had its rows built, each into its own rows.
    void UpdateLegs();

    int GetGpsGroupCount() const { return m_GpsGroups.GetGpsCount(); }
    int GetFirstGpsPosition() const { return m_GpsGroups.GetFirstGpsPosition(); }
    int GetGpsHeadingPosition() const { return m_GpsGroups.GetHeadingPosition(); }
    int GetFirstComparisonPosition() const { return m_GpsGroups.GetFirstComparisonPosition(); }
    int GetGyroPosition() const { return m_HeadingSensors.GetGyroPosition(); }
    int GetMruPosition() const { return m_HeadingSensors.GetMruPosition(); }
    int GetHeadingComparisonPosition() const { return m_HeadingSensors.GetComparisonPosition(); }
    int GetTrackingPointPosition() const { return m_nTrackingPointPosition; }
    int GetTargetPosition() const { return m_nTargetPosition; }
    int GetLegsPosition() const { return m_nLegsPosition; }

    // The angle mode of the "Bearing" row: radians, shown as a full-circle bearing.
    static constexpr int BEARING_MODE = 1;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The rows of one leg in use: its index among the vessel's legs, its title, easting and
    // northing.
    struct LEG_ROWS
    {
        int Leg;
        CMFCPropertyGridProperty* Title;
        CDeviceValueDouble* Easting;
        CDeviceValueDouble* Northing;
    };

    void ResetPositions();
    void AddTrackingPointGroup();
    void AddTargetGroup();
    void AddLegsGroup();

    CBarge* m_pVessel = nullptr;
    CArray<CGps*, CGps*>* m_pReceivers = nullptr;
    CGyro* m_pGyro = nullptr;
    CMru* m_pMru = nullptr;

    CVesselGpsGroups m_GpsGroups;
    CHeadingSensorGroups m_HeadingSensors;
    int m_nTrackingPointPosition = -1;
    int m_nTargetPosition = -1;
    int m_nLegsPosition = -1;

    // Owned by the grid.
    CMFCPropertyGridProperty* m_pOffset = nullptr;
    CDeviceValueDouble* m_pTrkPtEasting = nullptr;
    CDeviceValueDouble* m_pTrkPtNorthing = nullptr;
    CMFCPropertyGridProperty* m_pFileName = nullptr;
    CMFCPropertyGridProperty* m_pWaypoint = nullptr;
    CDeviceValueDouble* m_pRange = nullptr;
    CDeviceValueAngle* m_pBearing = nullptr;
    std::vector<LEG_ROWS> m_Legs;
};
