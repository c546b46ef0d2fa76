// CGeneralSurveyPane ("Vessel Navigation"): the surveyor's main read-out of the vessel: its
// common reference point with KP and DCC, one group per GNSS receiver with the primary one
// marked, the GPS heading and the pairwise receiver comparisons, the gyro, the MRU, gyro against
// MRU, and the echo sounder's depth with the tidal height.
//
// Grid positions, in the order InitPropList builds them (-1 for a group not built):
//   CRP, the GPS groups (one per antenna that has a receiver), GPS heading, the comparisons
//   1/2, 1/3, 2/3, gyro, MRU, heading comparison, echo sounder. No wind group is built.
//
// Every pointer the host hands to Create may be null; a null device has no group, and its
// updates and time-outs do nothing. A receiver list shorter than the vessel's antennas gives
// groups only for the antennas that have a receiver, and every antenna index the vessel names
// (primary, heading pair) is checked against both lists before it is used.
#pragma once

#include "platform/core/Array.h"
#include "survey/SurveyApi.h"
#include "survey/HeadingSensorGroups.h"
#include "survey/SurveyPane.h"
#include "survey/VesselGpsGroups.h"

class CBarge;
class CBathyUnit;
class CDeviceValueDouble;
class CGps;
class CGyro;
class CMFCGroupPropertyGridProperty;
class CMFCPropertyGridDualDisplay;
class CMru;
class CWind;

class SURVEY_API CGeneralSurveyPane : public CSurveyPane
{
    DECLARE_DYNAMIC(CGeneralSurveyPane)

public:
    CGeneralSurveyPane();
    ~CGeneralSurveyPane() override;

    // 1 when made. The pointers stay the host's and must outlive the pane.
    int Create(CWnd* pParent, int nID, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers, CGyro* pGyro, CMru* pMru,
               CBathyUnit* pBathyUnit, double* pTidalHeight, CWind* pWind);

    void InitPropList() override;
    // Each group shown by whether its device is active and the two options.
    void UpdateGpsPanes() override;

    // The comparisons (GPS heading) shown or hidden by the option from now on.
    void SetShowGpsDiff(bool bShow);
    void SetShowGpsHeading(bool bShow);
    bool GetShowGpsDiff() const { return m_bShowGpsDiff; }
    bool GetShowGpsHeading() const { return m_bShowGpsHeading; }

    // Receiver `index` gave data: the GPS groups renamed with the primary marked, that group
    // refreshed and highlighted, the GPS heading and the comparisons recomputed. A silent
    // receiver of a pair loses its last fix and the pair's reading is cleared.
    void UpdateGps(int index);
    // The CRP rows from the vessel; every GPS group hidden (bHideGps) or shown by its receiver.
    // The CRP group is highlighted when no GPS group shows.
    void UpdateCrp(bool bHideGps);
    void UpdateGyro();
    void UpdateMru();
    // The group named by the unit's depth source, the depth, and the tidal height shown while
    // there is one (not 0, not the largest double).
    void UpdateBathyUnit();
    // No wind group is shown: both do nothing.
    void UpdateWind() {}
    void WindTimeout() {}

    // The device's group marked silent; nothing when it has none.
    void GpsTimeout(int i);
    void GyroTimeout();
    void MruTimeout();
    void BathyUnitTimeout();

    int GetCrpPosition() const { return m_nCrpPosition; }
    int GetFirstGpsPosition() const { return m_GpsGroups.GetFirstGpsPosition(); }
    int GetGpsGroupCount() const { return m_GpsGroups.GetGpsCount(); }
    int GetGpsHeadingPosition() const { return m_GpsGroups.GetHeadingPosition(); }
    int GetFirstComparisonPosition() const { return m_GpsGroups.GetFirstComparisonPosition(); }
    int GetComparisonCount() const { return m_GpsGroups.GetComparisonCount(); }
    int GetGyroPosition() const { return m_HeadingSensors.GetGyroPosition(); }
    int GetMruPosition() const { return m_HeadingSensors.GetMruPosition(); }
    int GetHeadingComparisonPosition() const { return m_HeadingSensors.GetComparisonPosition(); }
    int GetEchoSounderPosition() const { return m_nEchoSounderPosition; }
    int GetWindPosition() const { return m_nWindPosition; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    void ResetPositions();
    void ShowTidalHeight();

    CBarge* m_pVessel = nullptr;
    CArray<CGps*, CGps*>* m_pReceivers = nullptr;
    CGyro* m_pGyro = nullptr;
    CMru* m_pMru = nullptr;
    CBathyUnit* m_pBathyUnit = nullptr;
    double* m_pTidalHeight = nullptr;
    CWind* m_pWind = nullptr;

    bool m_bShowGpsDiff = true;
    bool m_bShowGpsHeading = true;

    int m_nCrpPosition = -1;
    int m_nEchoSounderPosition = -1;
    int m_nWindPosition = -1;

    CMFCGroupPropertyGridProperty* m_pCrp = nullptr;
    CMFCPropertyGridDualDisplay* m_pCrpPosition = nullptr;
    CMFCPropertyGridDualDisplay* m_pCrpKpDcc = nullptr;
    CVesselGpsGroups m_GpsGroups;
    CHeadingSensorGroups m_HeadingSensors;
    CMFCGroupPropertyGridProperty* m_pEchoSounder = nullptr;
    CDeviceValueDouble* m_pDepth = nullptr;
    CDeviceValueDouble* m_pTidalHeightRow = nullptr;
};
