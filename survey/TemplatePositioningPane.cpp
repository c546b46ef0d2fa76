#include "survey/TemplatePositioningPane.h"

#include "features/Template.h"
#include "foundation/WindowMessages.h"
#include "geodesy/Gps.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridItems.h"
#include "survey/groups/CRPComparisonGroupGridProperty.h"
#include "survey/groups/DeviceRows.h"
#include "survey/groups/DeviceValueDouble.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/HeadingComparisonGroupGridProperty.h"
#include "survey/groups/MruGroupGridProperty.h"
#include "survey/records/Laser.h"
#include "survey/records/Mru.h"

#include <algorithm>
#include <cmath>

// The pane bases keep no class record of their own; the docking pane's is the nearest.
IMPLEMENT_DYNCREATE(CTemplatePositioningPane, CDockablePane)

BEGIN_MESSAGE_MAP(CTemplatePositioningPane, CSurveyPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CTemplatePositioningPane::OnPropertyChanged)
END_MESSAGE_MAP()

const char* const CTemplatePositioningPane::m_TotalStationTxt[2] = {"Total Station One", "Total Station Two"};
const char* const CTemplatePositioningPane::m_MruTxt[2] = {"Gyro / MRU One", "Gyro / MRU Two"};
const char* const CTemplatePositioningPane::m_CrpOption[CRP_SOURCE_COUNT] = {"GPS1 - Gyro", "GPS2 - Gyro", "TS1 - Gyro",
                                                                             "TS2 - Gyro", "TS1 - TS2"};

namespace
{
const char kTitle[] = "Template Positioning";
const char kDegree[] = "\xB0";
// Rows of a total-station group.
enum TS_ROW
{
    TS_TARGET,
    TS_ANGLES,
    TS_POSITION
};

bool IsPosition(const tagXY& p)
{
    return IsDeviceValue(p.x) && IsDeviceValue(p.y);
}

CMFCPropertyGridProperty* NewList(const char* name, const char* descr, DWORD_PTR data)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(CString()), descr, data);
    item->AllowEdit(FALSE);
    return item;
}

// The list shows `text`, set only when it differs, so that an unchanged choice is not repainted.
void ShowChoice(CMFCPropertyGridProperty* item, const CString& text)
{
    if (item != nullptr && item->GetValue().ToText() != text)
    {
        item->SetValue(COleVariant(text));
        item->SetOriginalValue(COleVariant(text));
    }
}

CMFCPropertyGridDualDisplay* NewHeadingRow(const char* name)
{
    return new CMFCPropertyGridDualDisplay(name, 0.0, "%6.2lf", "\xB0T", "Diff", 0.0, "%+7.2lf", kDegree);
}
} // namespace

CTemplatePositioningPane::CTemplatePositioningPane() = default;

CTemplatePositioningPane::~CTemplatePositioningPane() = default;

int CTemplatePositioningPane::Create(CWnd* pParent, int nID, CTemplate* pTemplate, CArray<CGps*, CGps*>* pGps,
                                     CArray<CMru*, CMru*>* pMru, CBarge* pBarge, CArray<CLaser*, CLaser*>* pLasers)
{
    return CreatePane(pParent, nID, kTitle, [=] {
        m_pTemplate = pTemplate;
        m_pGps = pGps;
        m_pMru = pMru;
        m_pBarge = pBarge;
        m_pLasers = pLasers;
    });
}

void CTemplatePositioningPane::ResetPointers()
{
    m_Gps.clear();
    m_pGpsComparison = nullptr;
    m_Mrus.clear();
    m_pMruDifference = nullptr;
    std::fill(std::begin(m_pTotalStation), std::end(m_pTotalStation), nullptr);
    for (auto& rows : m_pTsRows)
        std::fill(std::begin(rows), std::end(rows), nullptr);
    m_pCrpGroup = m_pPrimaryCrp = m_pPrimaryMru = nullptr;
    m_pCrpPosition = nullptr;
    m_Rows.clear();
    m_RowSources.clear();
    m_nRowsPrimary = -1;
    m_pHeadingGroup = nullptr;
    m_pGpsHeading = m_pTsHeading = nullptr;
    std::fill(std::begin(m_pBaseline), std::end(m_pBaseline), nullptr);
}

int CTemplatePositioningPane::Add(CMFCPropertyGridProperty* pGroup)
{
    const int position = m_wndPropList.GetPropertyCount();
    m_wndPropList.AddProperty(pGroup);
    pGroup->Expand(TRUE);
    return position;
}

CGps* CTemplatePositioningPane::Receiver(int i) const
{
    return m_pGps != nullptr && i >= 0 && i < m_pGps->GetSize() ? m_pGps->GetAt(i) : nullptr;
}

CMru* CTemplatePositioningPane::Mru(int i) const
{
    return m_pMru != nullptr && i >= 0 && i < m_pMru->GetSize() ? m_pMru->GetAt(i) : nullptr;
}

CLaser* CTemplatePositioningPane::Laser(int i) const
{
    return m_pLasers != nullptr && i >= 0 && i < m_pLasers->GetSize() ? m_pLasers->GetAt(i) : nullptr;
}

CString CTemplatePositioningPane::AntennaName(int i) const
{
    const TrackingPointDef* antenna = m_pTemplate != nullptr ? m_pTemplate->m_Antennas.GetPoint(i) : nullptr;
    return antenna != nullptr ? antenna->Name : CString();
}

CString CTemplatePositioningPane::ReflectorName(int number) const
{
    const TrackingPointDef* reflector = m_pTemplate != nullptr ? m_pTemplate->m_Reflectors.GetPoint(number - 1) : nullptr;
    return reflector != nullptr ? reflector->Name : CString("?");
}

CMFCGpsGroupGridProperty* CTemplatePositioningPane::GetGpsGroup(int i) const
{
    return i >= 0 && i < GetGpsGroupCount() ? m_Gps[static_cast<size_t>(i)] : nullptr;
}

CMFCGroupPropertyGridProperty* CTemplatePositioningPane::GetTotalStationGroup(int i) const
{
    return i >= 0 && i < 2 ? m_pTotalStation[i] : nullptr;
}

int CTemplatePositioningPane::PrimarySource() const
{
    return m_pTemplate != nullptr ? m_pTemplate->m_PrimaryGps : -1;
}

bool CTemplatePositioningPane::IsSourceActive(int source) const
{
    const auto receiverActive = [this](int i) {
        const CGps* gps = Receiver(i);
        return gps != nullptr && gps->m_Active != 0;
    };
    const auto stationActive = [this](int i) {
        const CLaser* laser = Laser(i);
        return laser != nullptr && laser->m_Active != 0;
    };
    switch (source)
    {
    case CRP_GPS1: return receiverActive(0);
    case CRP_GPS2: return receiverActive(1);
    case CRP_TS1: return stationActive(0);
    case CRP_TS2: return stationActive(1);
    case CRP_TS_PAIR: return stationActive(0) && stationActive(1);
    default: return false;
    }
}

void CTemplatePositioningPane::ValidateCrp()
{
    if (m_pTemplate == nullptr || IsSourceActive(m_pTemplate->m_PrimaryGps))
        return;
    for (int source : {CRP_GPS1, CRP_GPS2, CRP_TS1, CRP_TS2})
    {
        if (IsSourceActive(source))
        {
            m_pTemplate->m_PrimaryGps = source;
            m_pTemplate->Save();
            return;
        }
    }
}

void CTemplatePositioningPane::InitPropList()
{
    BeginPropList();
    ResetPointers();
    if (m_pTemplate == nullptr)
        return;
    ValidateCrp();

    // Antenna i is read by receiver i: only the antennas that have one get a group.
    const int antennas = static_cast<int>(m_pTemplate->m_Antennas.GetSize());
    const int receivers = m_pGps != nullptr ? static_cast<int>(m_pGps->GetSize()) : 0;
    for (int i = 0; i < std::min(antennas, receivers); ++i)
    {
        auto* group = new CMFCGpsGroupGridProperty(AntennaName(i), Receiver(i), m_wndPropList.GetPropertyCount());
        Add(group);
        m_Gps.push_back(group);
    }
    m_pGpsComparison = new CMFCCRPComparisonGroupGridProperty("Comparison GPS1/GPS2");
    Add(m_pGpsComparison);

    const int mrus = m_pMru != nullptr ? static_cast<int>(std::min<INT_PTR>(m_pMru->GetSize(), 2)) : 0;
    for (int i = 0; i < mrus; ++i)
    {
        auto* group = new CMFCMruGroupGridProperty(m_MruTxt[i], Mru(i), m_wndPropList.GetPropertyCount());
        Add(group);
        m_Mrus.push_back(group);
    }
    auto* mruComparison = new CMFCPropertyGridProperty("MRU / GYRO Comparison");
    m_pMruDifference = new CDeviceValueDouble("Diff", NAN, "%+6.1lf\xB0");
    mruComparison->AddSubItem(m_pMruDifference);
    Add(mruComparison);
    UpdateMruComparison();

    for (int i = 0; i < 2; ++i)
    {
        if (!IsSourceActive(CRP_TS1 + i))
            continue;
        auto* group = new CMFCGroupPropertyGridProperty(m_TotalStationTxt[i], m_wndPropList.GetPropertyCount());
        CMFCPropertyGridDualDisplay** rows = m_pTsRows[i];
        rows[TS_TARGET] = new CMFCPropertyGridDualDisplay("Target", 0.0, "%s", "", "SR", NAN, "%10.3lf", "m");
        rows[TS_ANGLES] = new CMFCPropertyGridDualDisplay("HA", NAN, "%10.4lf", kDegree, "VA", NAN, "%10.4lf", kDegree);
        rows[TS_POSITION] = new CMFCPropertyGridDualDisplay("Easting", NAN, "%12.3lf", "E", "Northing", NAN, "%12.3lf", "N");
        for (int row = 0; row < 3; ++row)
            group->AddSubItem(rows[row]);
        m_pTotalStation[i] = group;
        ShowObservation(i);
        Add(group);
    }

    BuildCrpGroup();
    BuildHeadingGroup();
}

void CTemplatePositioningPane::BuildCrpGroup()
{
    m_pCrpGroup = new CMFCPropertyGridProperty("CRP Comparision");
    m_pPrimaryCrp = NewList("Primary CRP", "Select ", DATA_PRIMARY_CRP);
    for (int source = 0; source < CRP_SOURCE_COUNT; ++source)
        if (IsSourceActive(source))
            m_pPrimaryCrp->AddOption(m_CrpOption[source], FALSE);
    m_pPrimaryMru = NewList("Primary MRU", "Select Primary MRU / Gyro", DATA_PRIMARY_MRU);
    // Only the MRUs the host has can be chosen.
    for (int i = 0; i < 2; ++i)
        if (Mru(i) != nullptr)
            m_pPrimaryMru->AddOption(m_MruTxt[i], FALSE);
    UpdateCrp();
    UpdatePrimaryMru();
    const tagXY crp = m_pTemplate->GetSelectedPosition();
    m_pCrpPosition = new CMFCPropertyGridDualDisplay("Easting", crp.x, "%12.3lf", "E", "Northing", crp.y, "%12.3lf", "N");
    ShowDeviceValues(*m_pCrpPosition, crp.x, crp.y);
    m_pCrpGroup->AddSubItem(m_pPrimaryCrp);
    m_pCrpGroup->AddSubItem(m_pPrimaryMru);
    m_pCrpGroup->AddSubItem(m_pCrpPosition);
    MatchComparisonRows();
    Add(m_pCrpGroup);
}

void CTemplatePositioningPane::BuildHeadingGroup()
{
    m_pHeadingGroup = new CMFCPropertyGridProperty("Heading Comparision");
    if (IsSourceActive(CRP_GPS1) && IsSourceActive(CRP_GPS2))
    {
        m_pGpsHeading = NewHeadingRow("GPS");
        m_pHeadingGroup->AddSubItem(m_pGpsHeading);
    }
    if (IsSourceActive(CRP_TS_PAIR))
    {
        m_pTsHeading = NewHeadingRow("TS");
        m_pHeadingGroup->AddSubItem(m_pTsHeading);
        m_pHeadingGroup->AddSubItem(new CMFCPropertyGridTitleProperty("Reflector Baseline Comparision"));
        const char* const names[3] = {"Measured", "Observed", "Difference"};
        for (int i = 0; i < 3; ++i)
        {
            m_pBaseline[i] = new CDeviceValueDouble(names[i], NAN, "%8.3lfm");
            m_pHeadingGroup->AddSubItem(m_pBaseline[i]);
        }
    }
    Add(m_pHeadingGroup);
    UpdateQC();
}

std::vector<int> CTemplatePositioningPane::ComparedSources() const
{
    const int primary = PrimarySource();
    std::vector<int> sources;
    for (int source : {CRP_GPS1, CRP_GPS2, CRP_TS1, CRP_TS2})
        if (source != primary && IsSourceActive(source))
            sources.push_back(source);
    if (IsSourceActive(CRP_TS_PAIR))
        sources.push_back(CRP_TS_PAIR);
    return sources;
}

void CTemplatePositioningPane::MatchComparisonRows()
{
    const std::vector<int> wanted = ComparedSources();
    if (wanted == m_RowSources && PrimarySource() == m_nRowsPrimary)
        return;
    for (CMFCPropertyGridDualDisplay* row : m_Rows)
    {
        CMFCPropertyGridProperty* item = row;
        m_pCrpGroup->RemoveSubItem(item, TRUE);
    }
    m_Rows.clear();
    m_RowSources = wanted;
    m_nRowsPrimary = PrimarySource();
    for (int source : wanted)
    {
        auto* row = new CMFCPropertyGridDualDisplay("", 0.0, "%s", "", "", 0.0, "%6.2lf", kDegree);
        ShowComparison(*row, source);
        m_pCrpGroup->AddSubItem(row);
        m_Rows.push_back(row);
    }
}

void CTemplatePositioningPane::ShowComparison(CMFCPropertyGridDualDisplay& row, int source) const
{
    CString left;
    if (source == CRP_GPS1 || source == CRP_GPS2)
        left.Format("GPS%d", source - CRP_GPS1 + 1);
    else
        left.Format("TS%d", source == CRP_TS_PAIR ? 1 : source - CRP_TS1 + 1);
    ShowDeviceText(row, 1, source == CRP_TS_PAIR ? "TS2" : "GYRO");

    // A position that is no number gives no range or bearing, rather than one made of it.
    const int primary = PrimarySource();
    const tagXY* positions = m_pTemplate->m_Positions;
    const bool known = (primary < 0 || primary >= CRP_SOURCE_COUNT || IsPosition(positions[primary])) &&
                       IsPosition(positions[source]);
    CString range;
    double bearing = NAN;
    if (known)
    {
        const std::pair<double, double> rb = m_pTemplate->GetCrpRangeBearing(source);
        range.Format("%.2lfm", rb.first);
        bearing = rb.second;
    }
    if (row.GetPartName(1) != left || row.GetPartName(2) != range)
        row.SetName(left, range);
    ShowDeviceValues(row, 0.0, bearing);
}

double CTemplatePositioningPane::HeadingDifference(double a, double b)
{
    if (!IsDeviceValue(a) || !IsDeviceValue(b))
        return NAN;
    return CMFCHeadingComparisonGroupGridProperty::Difference(a, b);
}

double CTemplatePositioningPane::PrimaryMruHeading() const
{
    const CMru* mru = m_pTemplate != nullptr ? Mru(m_pTemplate->m_PrimaryMru) : nullptr;
    return mru != nullptr && mru->m_Active != 0 ? mru->m_Heading : NAN;
}

void CTemplatePositioningPane::UpdateMruComparison()
{
    if (m_pMruDifference == nullptr)
        return;
    const CMru* one = Mru(0);
    const CMru* two = Mru(1);
    const bool both = one != nullptr && two != nullptr && one->m_Active != 0 && two->m_Active != 0;
    m_pMruDifference->SetValue(both ? HeadingDifference(two->m_Heading, one->m_Heading) : NAN);
}

void CTemplatePositioningPane::UpdateGpsComparison()
{
    if (m_pGpsComparison == nullptr)
        return;
    const tagXY* positions = m_pTemplate->m_Positions;
    m_pGpsComparison->Update(AntennaName(0), positions[CRP_GPS1], AntennaName(1), positions[CRP_GPS2]);
}

void CTemplatePositioningPane::UpdateGps(int index)
{
    if (m_pTemplate == nullptr || m_pCrpGroup == nullptr)
        return;
    // Only a receiver source marks a receiver; a total-station source marks none.
    const int source = PrimarySource();
    const int primary = source == CRP_GPS1 || source == CRP_GPS2 ? m_pTemplate->SelectActiveGps(m_pGps) : -1;
    for (int i = 0; i < GetGpsGroupCount(); ++i)
    {
        CString name = AntennaName(i);
        if (i == primary)
            name.Format("%s PRIMARY", static_cast<const char*>(AntennaName(i)));
        if (name != m_Gps[i]->GetName())
            m_Gps[i]->SetName(name);
    }
    if (CMFCGpsGroupGridProperty* group = GetGpsGroup(index))
    {
        group->Update();
        m_wndPropList.Trigger(group->GetPosition());
    }
    UpdateGpsComparison();
    UpdateQC();
}

void CTemplatePositioningPane::ShowObservation(int index)
{
    const CLaser* laser = Laser(index);
    CMFCPropertyGridDualDisplay** rows = m_pTsRows[index];
    if (laser == nullptr || laser->m_Observations.GetSize() == 0)
    {
        ShowDeviceText(*rows[TS_TARGET], 1, "");
        ShowDeviceValues(*rows[TS_TARGET], 0.0, NAN);
        ShowDeviceValues(*rows[TS_ANGLES], NAN, NAN);
        ShowDeviceValues(*rows[TS_POSITION], NAN, NAN);
        return;
    }
    const LaserObservationDef& o = laser->m_Observations[0];
    ShowDeviceText(*rows[TS_TARGET], 1, ReflectorName(o.Reflector));
    ShowDeviceValues(*rows[TS_TARGET], 0.0, o.SlopeRange);
    ShowDeviceValues(*rows[TS_ANGLES], o.HorizontalAngle, o.VerticalAngle);
    ShowDeviceValues(*rows[TS_POSITION], o.Easting, o.Northing);
}

void CTemplatePositioningPane::UpdateTotalStation(int index)
{
    if (m_pTemplate == nullptr || m_pCrpGroup == nullptr)
        return;
    if (CMFCGroupPropertyGridProperty* group = GetTotalStationGroup(index))
    {
        ShowObservation(index);
        m_wndPropList.Trigger(group->GetPosition());
    }
    UpdateQC();
}

void CTemplatePositioningPane::UpdateMru(int index)
{
    if (m_pTemplate == nullptr || m_pCrpGroup == nullptr)
        return;
    if (index >= 0 && index < static_cast<int>(m_Mrus.size()))
    {
        m_Mrus[index]->Update();
        m_wndPropList.Trigger(m_Mrus[index]->GetPosition());
    }
    UpdateMruComparison();
    UpdateQC();
}

void CTemplatePositioningPane::UpdatePrimaryMru()
{
    if (m_pTemplate == nullptr)
        return;
    const int mru = m_pTemplate->m_PrimaryMru;
    ShowChoice(m_pPrimaryMru, mru >= 0 && mru < 2 ? m_MruTxt[mru] : "");
}

void CTemplatePositioningPane::UpdateCrp()
{
    const int source = PrimarySource();
    ShowChoice(m_pPrimaryCrp, source >= 0 && source < CRP_SOURCE_COUNT ? m_CrpOption[source] : "");
}

void CTemplatePositioningPane::UpdateQC()
{
    if (m_pTemplate == nullptr || m_pCrpGroup == nullptr)
        return;
    const tagXY crp = m_pTemplate->GetSelectedPosition();
    ShowDeviceValues(*m_pCrpPosition, crp.x, crp.y);

    MatchComparisonRows();
    for (size_t i = 0; i < m_Rows.size(); ++i)
    {
        // Against itself the pair has nothing to show: its row keeps what it was made with.
        if (m_RowSources[i] == CRP_TS_PAIR && PrimarySource() == CRP_TS_PAIR)
            continue;
        ShowComparison(*m_Rows[i], m_RowSources[i]);
    }

    const double mruHeading = PrimaryMruHeading();
    if (m_pGpsHeading != nullptr && IsSourceActive(CRP_GPS1) && IsSourceActive(CRP_GPS2))
        ShowDeviceValues(*m_pGpsHeading, m_pTemplate->m_GpsHeading, HeadingDifference(m_pTemplate->m_GpsHeading, mruHeading));
    if (m_pTsHeading != nullptr && IsSourceActive(CRP_TS_PAIR))
    {
        const double heading = m_pTemplate->m_TotalStationHeading;
        ShowDeviceValues(*m_pTsHeading, heading, HeadingDifference(heading, mruHeading));
        m_pBaseline[0]->SetValue(m_pTemplate->m_BaselineMeasured);
        m_pBaseline[1]->SetValue(m_pTemplate->m_BaselineObserved);
        m_pBaseline[2]->SetValue(m_pTemplate->m_BaselineDifference);
    }
}

LRESULT CTemplatePositioningPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pTemplate == nullptr)
        return 0;
    const CString text = item->GetValue().ToText();
    CWnd* parent = m_pOwner;
    switch (item->GetData())
    {
    case DATA_PRIMARY_CRP:
        for (int source = 0; source < CRP_SOURCE_COUNT; ++source)
        {
            if (text != m_CrpOption[source])
                continue;
            m_pTemplate->m_PrimaryGps = source;
            UpdateQC();
            if (parent != nullptr)
                parent->PostMessage(UM_TEMPLATE_CRP_UPDATE, 0, 0);
            break;
        }
        break;
    case DATA_PRIMARY_MRU:
        for (int i = 0; i < 2; ++i)
        {
            if (text != m_MruTxt[i] || Mru(i) == nullptr)
                continue;
            m_pTemplate->m_PrimaryMru = i;
            m_pTemplate->Save();
            UpdateQC();
            if (parent != nullptr)
                parent->PostMessage(UM_TEMPLATE_UPDATE, 0, 0);
            break;
        }
        break;
    default: break;
    }
    return 0;
}
