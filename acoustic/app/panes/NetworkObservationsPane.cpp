#include "acoustic/app/panes/NetworkObservationsPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/NetworkSaveGuard.h"
#include "acoustic/app/panes/StationSelectProperty.h"
#include "acoustic/engine/Network.h"
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"

#include <QDockWidget>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CNetworkObservationsPane, CDockablePane)

BEGIN_MESSAGE_MAP(CNetworkObservationsPane, CPropertyGridPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CNetworkObservationsPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
const char kSettingsName[] = "Network Observations";
const char kTwoWay[] = "Two Way Travel Time";
const char kMetres[] = "Metres";
constexpr double kDegreesPerRadian = 57.29577951308232;
// The group rows, the items of the widest observation and the description area's height.
constexpr int kShownRows = 3 + 4 + 5 + 5 + 4;

// The group's items in order: "Use Observation", "Observed", "Std.Err.", "Computed", "O-C".
enum
{
    ITEM_USE,
    ITEM_OBSERVED,
    ITEM_SE,
    ITEM_COMPUTED,
    ITEM_DIFFERENCE,
    GROUP_ITEMS
};

// The integer of a settings line: 0 when no line is left; the line's default for a line
// without '=', with no number, with text after the number or with a number beyond the range
// of int.
int ReadIndex(CConfigFile& file, int defaultValue)
{
    CString line, value;
    if (!file.ReadSettingsLine(line))
        return 0;
    if (!CConfigFile::ValueAfterEquals(line, value))
        return defaultValue;
    value.Trim();
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(value, &end, 10);
    if (end == static_cast<LPCSTR>(value) || *end != '\0' || errno == ERANGE || number < INT_MIN ||
        number > INT_MAX)
        return defaultValue;
    return static_cast<int>(number);
}

CMFCPropertyGridProperty* ReadOnly(CMFCPropertyGridProperty* item)
{
    item->AllowEdit(FALSE);
    return item;
}

void SetDouble(CMFCPropertyGridProperty* item, double value)
{
    item->SetValue(COleVariant(value));
}
} // namespace

BOOL CNetworkObservationsPane::Create(CWnd* pFrame, CNetwork* pNetwork, CNetworkSaveGuard* pSaveGuard)
{
    m_pOwner = pFrame;
    m_pNetwork = pNetwork;
    m_pSaveGuard = pSaveGuard;
    if (!CMyDockablePane::Create(pFrame, ID_ACOUSTIC_NETWORK_OBSERVATIONS, "Network Observations"))
        return FALSE;
    LoadSettings();
    ClampIndices();
    InitPropList();
    // Docked among the other panes, the pane keeps room for every row of one observation and
    // the description below them.
    if (QDockWidget* dock = GetDockWidget())
        dock->setMinimumHeight(kShownRows * m_wndPropList.GetRowHeight());
    AdjustLayout();
    return TRUE;
}

int CNetworkObservationsPane::StationCount() const
{
    return m_pNetwork != nullptr ? static_cast<int>(m_pNetwork->GetSize()) : 0;
}

void CNetworkObservationsPane::LoadSettings()
{
    int from = 0;
    int to = 1;
    CConfigFile::ReadSettingsFile(kSettingsName, [&](CConfigFile& file) {
        from = ReadIndex(file, 0);
        to = ReadIndex(file, 1);
    });
    // Beyond the 16 bits the pane keeps, an index names no station of any network the program
    // loads: the clamping then takes it to the last station, as for any index too large.
    m_nFrom = static_cast<int16_t>(from < 0 ? 0 : (from > SHRT_MAX ? SHRT_MAX : from));
    m_nTo = static_cast<int16_t>(to < 0 ? 0 : (to > SHRT_MAX ? SHRT_MAX : to));
    const int count = StationCount();
    if (count == 0)
    {
        m_nFrom = 0;
        m_nTo = 0;
        return;
    }
    if (m_nFrom >= count)
        m_nFrom = 0;
    if (m_nTo >= count)
        m_nTo = static_cast<int16_t>(count - 1);
}

bool CNetworkObservationsPane::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteInt("From", m_nFrom);
        file.WriteInt("To", m_nTo);
    });
}

void CNetworkObservationsPane::ClampIndices()
{
    const int count = StationCount();
    while (m_nFrom >= count && m_nFrom > 0)
        --m_nFrom;
    while (m_nTo >= count && m_nTo > 0)
        --m_nTo;
    if (m_nFrom < 0)
        m_nFrom = 0;
    if (m_nTo < 0)
        m_nTo = 0;
}

void CNetworkObservationsPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    m_wndPropList.RemoveAll();
    m_pGroups[0] = m_pGroups[1] = nullptr;
    m_wndPropList.EnableHeaderCtrl(FALSE, "Property", "Value");
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.SetVSDotNetLook(TRUE);
    SetColourScheme(&m_wndPropList, 0);
    m_wndPropList.MarkModifiedProperties(TRUE);
    m_wndPropList.SetBoolLabels("Yes", "No");
    SetPropListFont();

    const CNetwork empty;
    const CNetwork& network = m_pNetwork != nullptr ? *m_pNetwork : empty;
    const int count = StationCount();
    NetworkObservationDef o{};
    if (m_nFrom >= 0 && m_nFrom < count && m_nTo >= 0 && m_nTo < network.GetAt(m_nFrom).GetSize())
        o = network.GetAt(m_nFrom).GetAt(m_nTo);

    auto* general = new CMFCPropertyGridProperty("Network Observations");
    auto* measurement = new CMFCPropertyGridProperty("Measurement",
                                                     COleVariant(network.m_TwoWayTravelTime ? kTwoWay : kMetres),
                                                     "Method of observations", DATA_MEASUREMENT);
    measurement->AddOption(kTwoWay);
    measurement->AddOption(kMetres);
    measurement->AllowEdit(FALSE);
    general->AddSubItem(measurement);
    auto* speed = new CMFCPropertyGridDouble("Speed of Sound in Water", network.m_SpeedOfSound, "%8.2lfm/s",
                                             "Speed of Sound is Water used with Two Way Travel Time",
                                             DATA_SPEED_OF_SOUND);
    speed->SetMinimum(0.0, true);
    general->AddSubItem(speed);
    general->AddSubItem(
        new CMFCPropertyGridStationSelectProperty("From", m_nFrom, m_pNetwork, DATA_FROM));
    general->AddSubItem(new CMFCPropertyGridStationSelectProperty("To", m_nTo, m_pNetwork, DATA_TO));
    general->Expand(TRUE);
    m_wndPropList.AddProperty(general);

    auto* range = new CMFCPropertyGridProperty("Range");
    range->AddSubItem(new CMFCPropertyGridBool("Use Observation", o.UseRange != 0,
                                               "Use Range Observation in Calculation", DATA_USE_RANGE));
    auto* observedRange =
        new CMFCPropertyGridDouble("Observed", o.ObservedRange, "%10.3lf", "Observed Range", DATA_OBSERVED_RANGE);
    observedRange->SetMinimum(0.0);
    range->AddSubItem(observedRange);
    auto* rangeSE = new CMFCPropertyGridDouble("Std.Err.", o.RangeSE, "%8.3lf",
                                               "Weight for Range observation (Default = 1.0)", DATA_RANGE_SE);
    rangeSE->SetMinimum(0.0, true);
    range->AddSubItem(rangeSE);
    range->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Computed", o.ComputedRange, "%10.3lf", "Computed Range")));
    range->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("O-C", o.RangeDifference, "%10.3lf",
                                                          "Difference between Observed and Computed Range")));
    range->Expand(TRUE);
    m_wndPropList.AddProperty(range);

    auto* bearing = new CMFCPropertyGridProperty("Bearing");
    bearing->AddSubItem(new CMFCPropertyGridBool("Use Observation", o.UseBearing != 0,
                                                 "Use Bearing Observation in Computation", DATA_USE_BEARING));
    bearing->AddSubItem(new CMFCPropertyGridAngleDouble("Observed", o.ObservedBearing / kDegreesPerRadian, 1,
                                                        "Observed Bearing", DATA_OBSERVED_BEARING));
    auto* bearingSE =
        new CMFCPropertyGridDouble("Std.Err.", o.BearingSE, "%8.3lf",
                                   "Weight for Range observation (Default = 1.0), arc seconds", DATA_BEARING_SE);
    bearingSE->SetMinimum(0.0, true);
    bearing->AddSubItem(bearingSE);
    bearing->AddSubItem(ReadOnly(
        new CMFCPropertyGridAngleDouble("Computed", o.ComputedBearing / kDegreesPerRadian, 1, "Computed Bearing")));
    bearing->AddSubItem(ReadOnly(new CMFCPropertyGridAngleDouble(
        "O-C", o.BearingDifference, 5, "Difference between Observed and Computed Bearing")));
    bearing->Expand(TRUE);
    m_wndPropList.AddProperty(bearing);

    m_pGroups[0] = range;
    m_pGroups[1] = bearing;
    UpdateValues();
}

void CNetworkObservationsPane::UpdateValues()
{
    ClampIndices();
    if (m_wndPropList.GetSafeHwnd() == nullptr || m_pGroups[0] == nullptr)
        return;
    if (CMFCPropertyGridProperty* from = m_wndPropList.FindItemByData(DATA_FROM))
        from->SetValue(COleVariant(static_cast<short>(m_nFrom)));
    if (CMFCPropertyGridProperty* to = m_wndPropList.FindItemByData(DATA_TO))
        to->SetValue(COleVariant(static_cast<short>(m_nTo)));

    const int count = StationCount();
    if (m_nFrom == m_nTo || count < 2 || m_nTo >= m_pNetwork->GetAt(m_nFrom).GetSize())
    {
        m_pGroups[0]->Show(FALSE);
        m_pGroups[1]->Show(FALSE);
        return;
    }
    m_pGroups[0]->Show(TRUE);
    m_pGroups[1]->Show(TRUE);
    const NetworkObservationDef& o = m_pNetwork->GetAt(m_nFrom).GetAt(m_nTo);
    const bool fixedPair = m_pNetwork->GetAt(m_nFrom).IsFixed() && m_pNetwork->GetAt(m_nTo).IsFixed();
    for (int g = 0; g < 2; ++g)
    {
        CMFCPropertyGridProperty* items[GROUP_ITEMS];
        for (int k = 0; k < GROUP_ITEMS; ++k)
            items[k] = m_pGroups[g]->GetSubItem(k);
        const bool range = g == 0;
        const double computed = range ? o.ComputedRange : o.ComputedBearing / kDegreesPerRadian;
        if (fixedPair)
        {
            // Between two fixed stations nothing is observed: the computed value alone.
            for (int k : {ITEM_USE, ITEM_OBSERVED, ITEM_SE, ITEM_DIFFERENCE})
                items[k]->Show(FALSE);
            items[ITEM_COMPUTED]->SetName("Fixed");
            items[ITEM_COMPUTED]->Show(TRUE);
            SetDouble(items[ITEM_COMPUTED], computed);
            continue;
        }
        const bool used = (range ? o.UseRange : o.UseBearing) != 0;
        items[ITEM_USE]->Show(TRUE);
        if (auto* use = dynamic_cast<CMFCPropertyGridBool*>(items[ITEM_USE]))
            use->SetBool(used);
        items[ITEM_COMPUTED]->SetName("Computed");
        for (int k = ITEM_OBSERVED; k < GROUP_ITEMS; ++k)
            items[k]->Show(used ? TRUE : FALSE);
        if (!used)
            continue;
        SetDouble(items[ITEM_OBSERVED], range ? o.ObservedRange : o.ObservedBearing / kDegreesPerRadian);
        SetDouble(items[ITEM_SE], range ? o.RangeSE : o.BearingSE);
        SetDouble(items[ITEM_COMPUTED], computed);
        SetDouble(items[ITEM_DIFFERENCE], range ? o.RangeDifference : o.BearingDifference);
    }
}

void CNetworkObservationsPane::StoreObservation(int nData, const CMFCPropertyGridProperty& item)
{
    if (m_nFrom < 0 || m_nFrom >= StationCount() || m_nTo < 0 || m_nTo >= m_pNetwork->GetAt(m_nFrom).GetSize())
        return;
    CNetworkStation station;
    station.Copy(m_pNetwork->GetAt(m_nFrom));
    NetworkObservationDef o = station.GetAt(m_nTo);
    const COleVariant& value = item.GetValue();
    switch (nData)
    {
    case DATA_USE_RANGE:
        o.UseRange = value.boolVal != 0 ? 1 : 0;
        break;
    case DATA_OBSERVED_RANGE:
        o.ObservedRange = value.dblVal;
        o.RangeDifference = o.ObservedRange - o.ComputedRange;
        break;
    case DATA_RANGE_SE:
        o.RangeSE = value.dblVal;
        break;
    case DATA_USE_BEARING:
        o.UseBearing = value.boolVal != 0 ? 1 : 0;
        break;
    case DATA_OBSERVED_BEARING:
        o.ObservedBearing = value.dblVal * kDegreesPerRadian;
        o.BearingDifference = o.ObservedBearing - o.ComputedBearing;
        break;
    case DATA_BEARING_SE:
        o.BearingSE = value.dblVal;
        break;
    default:
        return;
    }
    station.SetAt(m_nTo, o);
    m_pNetwork->ElementAt(m_nFrom).Copy(station);
}

void CNetworkObservationsPane::PostStationUpdate(WPARAM wParam)
{
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        m_pOwner->PostMessage(UM_UPDATE_STATION, wParam, 0);
}

bool CNetworkObservationsPane::SaveNetwork()
{
    if (m_pSaveGuard != nullptr)
        return m_pSaveGuard->Save(*m_pNetwork, this);
    CNetworkSaveGuard plain;
    return plain.Save(*m_pNetwork, this);
}

LRESULT CNetworkObservationsPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pNetwork == nullptr)
        return 0;
    const int data = static_cast<int>(item->GetData());
    switch (data)
    {
    case DATA_MEASUREMENT:
        m_pNetwork->m_TwoWayTravelTime = CString(item->GetValue().bstrVal) == kTwoWay ? 1 : 0;
        break;
    case DATA_SPEED_OF_SOUND:
        m_pNetwork->m_SpeedOfSound = item->GetValue().dblVal;
        break;
    case DATA_FROM:
    case DATA_TO:
    {
        const short index = item->GetValue().iVal;
        (data == DATA_FROM ? m_nFrom : m_nTo) = index;
        if (index >= 0 && index < StationCount())
        {
            m_Position.x = m_pNetwork->GetAt(index).m_GivenE;
            m_Position.y = m_pNetwork->GetAt(index).m_GivenN;
        }
        PostStationUpdate(reinterpret_cast<WPARAM>(&m_Position));
        SaveSettings();
        break;
    }
    case DATA_USE_RANGE:
    case DATA_OBSERVED_RANGE:
    case DATA_RANGE_SE:
    case DATA_USE_BEARING:
    case DATA_OBSERVED_BEARING:
    case DATA_BEARING_SE:
        StoreObservation(data, *item);
        break;
    default:
        return 0;
    }
    if (data != DATA_FROM && data != DATA_TO)
    {
        const bool wasAdjusted = m_pNetwork->m_Result != 0;
        SaveNetwork();
        m_pNetwork->m_Result = 0;
        // The frame redraws what an observation's use or value moves; an edit that undoes an
        // adjustment tells it too, so that the residuals of an adjustment that no longer
        // holds leave the matrix.
        const bool moves = data == DATA_USE_RANGE || data == DATA_OBSERVED_RANGE ||
                           data == DATA_USE_BEARING || data == DATA_OBSERVED_BEARING;
        if (moves || wasAdjusted)
            PostStationUpdate(0);
    }
    UpdateValues();
    return 0;
}
