// CTemplatePositioningPane ("Template Positioning"): the surveyor's read-out while a subsea
// template is set down: its GPS receivers, its two MRUs, the two total stations' latest
// observations, and the checks of one source against the others: the template's reference
// point (CRP) from the chosen primary source against every other source, the GPS and total
// station headings against the primary MRU's, and the reflector baseline as measured and as
// observed. The surveyor chooses the primary CRP source and the primary MRU here; the pane tells
// the window it was created by ("UM_TEMPLATE_CRP_UPDATE", "UM_TEMPLATE_UPDATE", both 0, 0).
//
// CRP sources are numbered one way everywhere (the template's stored primary GPS index, its
// table of CRP positions, the "Primary CRP" options and the comparison rows): CRP_SOURCE below.
// A third receiver has no CRP of its own, so it is neither offered nor compared.
//
// Groups in grid order (those of absent devices are left out, so positions shift):
//   one GPS group per antenna with a receiver, "Comparison GPS1/GPS2", one MRU group per MRU
//   (two at most), "MRU / GYRO Comparison", one group per active total station, "CRP
//   Comparision", "Heading Comparision".
//
// Every list may be shorter than the template needs and every pointer may be null: only what
// exists is built and updated. A total station without an observation shows empty rows, and a
// reflector number that names no reflector of the template shows "?". The pane reads no files;
// it writes the template only through the template's own writer.
#pragma once

#include "platform/core/Array.h"
#include "survey/SurveyApi.h"
#include "survey/SurveyPane.h"

#include <vector>

class CBarge;
class CDeviceValueDouble;
class CGps;
class CLaser;
class CMFCCRPComparisonGroupGridProperty;
class CMFCGpsGroupGridProperty;
class CMFCGroupPropertyGridProperty;
class CMFCMruGroupGridProperty;
class CMFCPropertyGridDualDisplay;
class CMru;
class CTemplate;

class SURVEY_API CTemplatePositioningPane : public CSurveyPane
{
    DECLARE_DYNCREATE(CTemplatePositioningPane)

public:
    static CRuntimeClass* GetThisClass() { return RUNTIME_CLASS(CTemplatePositioningPane); }

    // The CRP sources, as the template stores its primary one and keeps its CRP table.
    enum CRP_SOURCE
    {
        CRP_GPS1,
        CRP_GPS2,
        CRP_TS1,
        CRP_TS2,
        CRP_TS_PAIR, // both total stations together
        CRP_SOURCE_COUNT
    };
    // The data words of the two lists.
    enum ITEM_DATA
    {
        DATA_PRIMARY_CRP = 1,
        DATA_PRIMARY_MRU = 2
    };

    // "Total Station One", "Total Station Two".
    static const char* const m_TotalStationTxt[2];
    // "Gyro / MRU One", "Gyro / MRU Two".
    static const char* const m_MruTxt[2];
    // The option of each CRP source, by CRP_SOURCE: "GPS1 - Gyro", "GPS2 - Gyro", "TS1 - Gyro",
    // "TS2 - Gyro", "TS1 - TS2".
    static const char* const m_CrpOption[CRP_SOURCE_COUNT];

    CTemplatePositioningPane();
    ~CTemplatePositioningPane() override;

    // 1 when made, with the grid built. The pointers stay the host's and must outlive the pane;
    // the vessel is kept for the host and not read.
    int Create(CWnd* pParent, int nID, CTemplate* pTemplate, CArray<CGps*, CGps*>* pGps, CArray<CMru*, CMru*>* pMru,
               CBarge* pBarge, CArray<CLaser*, CLaser*>* pLasers);

    // The grid built anew; the host calls it again whenever a receiver, MRU or total station is
    // switched on or off. A primary CRP source that is not usable is moved first (ValidateCrp).
    void InitPropList() override;

    // Receiver `index` gave data: the GPS groups renamed with the primary one marked (only while
    // the primary CRP source is a receiver), that group refreshed and highlighted, the GPS1/GPS2
    // comparison and the checks.
    void UpdateGps(int index);
    // Total station `index` observed: its rows from its first observation, highlighted; the checks.
    void UpdateTotalStation(int index);
    // MRU `index` gave data: its group refreshed and highlighted, MRU two against MRU one, the checks.
    void UpdateMru(int index);
    // The lists show the template's primary MRU and primary CRP source (the host changed them).
    void UpdatePrimaryMru();
    void UpdateCrp();
    // The primary source's CRP, the comparison rows, the headings and the baseline.
    void UpdateQC();

    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    // Whether the source can give a CRP now: its receiver or total station (both for the pair)
    // is in the lists and active.
    bool IsSourceActive(int source) const;

    // The groups as built; null for a group not built (its device is missing or off).
    int GetGpsGroupCount() const { return static_cast<int>(m_Gps.size()); }
    CMFCGpsGroupGridProperty* GetGpsGroup(int i) const;
    CMFCGroupPropertyGridProperty* GetTotalStationGroup(int i) const;
    CMFCPropertyGridProperty* GetCrpGroup() const { return m_pCrpGroup; }
    CMFCPropertyGridProperty* GetHeadingGroup() const { return m_pHeadingGroup; }
    // The comparison rows of the CRP group, in grid order, and the source each compares.
    const std::vector<CMFCPropertyGridDualDisplay*>& GetComparisonRows() const { return m_Rows; }
    const std::vector<int>& GetComparisonSources() const { return m_RowSources; }

protected:
    // A primary CRP source that cannot give a CRP is moved to the first of GPS1, GPS2, TS1, TS2
    // that can, and the template saved; with none, it is left as it is.
    void ValidateCrp();

    DECLARE_MESSAGE_MAP()

private:
    void ResetPointers();
    int Add(CMFCPropertyGridProperty* pGroup);
    void BuildCrpGroup();
    void BuildHeadingGroup();
    CGps* Receiver(int i) const;
    CMru* Mru(int i) const;
    CLaser* Laser(int i) const;
    CString AntennaName(int i) const;
    // The reflector named by a 1-based number; "?" when the template has none of that number.
    CString ReflectorName(int number) const;
    int PrimarySource() const;
    // The sources compared against the primary one, in row order.
    std::vector<int> ComparedSources() const;
    // The comparison rows made anew when the sources compared or the primary source changed;
    // a new row shows what it was built with.
    void MatchComparisonRows();
    void ShowComparison(CMFCPropertyGridDualDisplay& row, int source) const;
    // The rows of total station `index`'s group from its first observation; empty without one.
    void ShowObservation(int index);
    // a - b in degrees, the short way round; no value (NaN) when either is none.
    static double HeadingDifference(double a, double b);
    double PrimaryMruHeading() const;
    void UpdateMruComparison();
    void UpdateGpsComparison();

    CTemplate* m_pTemplate = nullptr;
    CArray<CGps*, CGps*>* m_pGps = nullptr;
    CBarge* m_pBarge = nullptr;
    CArray<CMru*, CMru*>* m_pMru = nullptr;
    CArray<CLaser*, CLaser*>* m_pLasers = nullptr;

    std::vector<CMFCGpsGroupGridProperty*> m_Gps; // the grid owns every item
    CMFCCRPComparisonGroupGridProperty* m_pGpsComparison = nullptr;
    std::vector<CMFCMruGroupGridProperty*> m_Mrus;
    CDeviceValueDouble* m_pMruDifference = nullptr;
    CMFCGroupPropertyGridProperty* m_pTotalStation[2] = {};
    CMFCPropertyGridDualDisplay* m_pTsRows[2][3] = {};
    CMFCPropertyGridProperty* m_pCrpGroup = nullptr;
    CMFCPropertyGridProperty* m_pPrimaryCrp = nullptr;
    CMFCPropertyGridProperty* m_pPrimaryMru = nullptr;
    CMFCPropertyGridDualDisplay* m_pCrpPosition = nullptr;
    std::vector<CMFCPropertyGridDualDisplay*> m_Rows;
    std::vector<int> m_RowSources;
    int m_nRowsPrimary = -1; // the primary source the rows were made for
    CMFCPropertyGridProperty* m_pHeadingGroup = nullptr;
    CMFCPropertyGridDualDisplay* m_pGpsHeading = nullptr;
    CMFCPropertyGridDualDisplay* m_pTsHeading = nullptr;
    CDeviceValueDouble* m_pBaseline[3] = {};
};
