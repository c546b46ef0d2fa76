#include "outside/tide/TidePortPane.h"

#include "foundation/GridLook.h"
#include "foundation/WindowMessages.h"
#include "marevo/Clearance.h"
#include "marevo/CoTidalChart.h"
#include "marevo/NP159.h"
#include "marevo/TimeZone.h"
#include "outside/tide/TideTablePrint.h"
#include "outside/tide/TideText.h"
#include "marevo/StandardPortList.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace
{
const char* const kConstantNames[CONSTANT_COUNT] = {"Table VI default", "M2 g", "M2 H", "S2 g", "S2 H",
                                                    "K1 g", "K1 H", "O1 g", "O1 H", "F4", "f4", "F6", "f6"};

CString PortText(const CTidalPort* port)
{
    CString text;
    if (port != nullptr)
        text.Format("%s %s", port->m_strNumber.GetString(), port->m_strName.GetString());
    return text;
}

CString ZoneText(int seconds)
{
    CString text;
    const int minutes = std::abs(seconds) / 60;
    text.Format("UT%c%02d:%02d", seconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

CMFCPropertyGridProperty* Shown(const char* name, const CString& value)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(value), nullptr, 0);
    item->AllowEdit(FALSE);
    return item;
}
} // namespace

BEGIN_MESSAGE_MAP(CTidePortPane, CPropertyGridPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CTidePortPane::OnPropertyChanged)
END_MESSAGE_MAP()

BOOL CTidePortPane::Create(CWnd* pOwner, int nID, CNP159* pData, CStandardPortList* pPorts, CTimeZone* pZone,
                           CClearance* pClearance, CCoTidalChart* pChart)
{
    m_pData = pData;
    m_pPorts = pPorts;
    m_pZone = pZone;
    m_pClearance = pClearance;
    m_pChart = pChart;
    if (!CMyDockablePane::Create(pOwner, nID, "Tidal Port") || m_wndPropList.GetSafeHwnd() == nullptr)
        return FALSE;
    InitPropList();
    AdjustLayout();
    return TRUE;
}

int CTidePortPane::PortCount() const
{
    return m_pData != nullptr && m_pData->m_pPorts != nullptr ? static_cast<int>(m_pData->m_pPorts->GetSize()) : 0;
}

void CTidePortPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    m_wndPropList.RemoveAll();
    SetPropListFont();
    ApplyGreyGridScheme(m_wndPropList);

    const int count = PortCount();
    const CTidalPort* port =
        m_nPort >= 0 && m_nPort < count ? m_pData->m_pPorts->GetAt(m_nPort) : nullptr;
    auto* chooser = new CMFCPropertyGridProperty("Port", COleVariant(PortText(port)), "The tidal port in use",
                                                 ITEM_PORT);
    for (int i = 0; i < count; ++i)
        chooser->AddOption(PortText(m_pData->m_pPorts->GetAt(i)), FALSE);
    chooser->AllowEdit(FALSE);
    m_wndPropList.AddProperty(chooser);

    if (port != nullptr)
    {
        auto* group = new CMFCPropertyGridProperty("Tidal Port");
        group->AddSubItem(Shown("Name", port->m_strName));
        group->AddSubItem(Shown("Number", port->m_strNumber));
        group->AddSubItem(Shown("Latitude", TideAngleText(port->m_dPosition[0], true)));
        group->AddSubItem(Shown("Longitude", TideAngleText(port->m_dPosition[1], false)));
        group->AddSubItem(Shown("Time Zone", ZoneText(port->m_nTimeZone)));
        m_wndPropList.AddProperty(group);

        const int decimals = m_pZone != nullptr ? m_pZone->GetHeightDecimals() : 2;
        auto* constants = new CMFCPropertyGridProperty("Harmonic Constants");
        for (int i = 0; i < CONSTANT_COUNT; ++i)
            constants->AddSubItem(Shown(kConstantNames[i], TideNumberText(port->m_dConstants[i], decimals + 1)));
        m_wndPropList.AddProperty(constants);

        auto* coTidal = new CMFCPropertyGridProperty("Co-Tidal");
        if (m_pChart != nullptr)
            coTidal->AddSubItem(Shown("Chart", m_pChart->m_strFileName));
        for (int i = 0; i < 8; ++i)
        {
            CString name;
            name.Format("Value %d", i + 1);
            // The files mark a value they do not have with the largest double.
            const double value = port->m_dCoTidal[i];
            coTidal->AddSubItem(Shown(name, value >= DBL_MAX * 0.5 ? CString() : TideNumberText(value, 3)));
        }
        m_wndPropList.AddProperty(coTidal);
    }

    if (m_pClearance != nullptr)
    {
        auto* clearance = new CMFCPropertyGridProperty("Clearance");
        clearance->AddSubItem(Shown("In Use", m_pClearance->m_bClearance ? "Yes" : "No"));
        const char* const names[3] = {"Draught", "Safety Margin", "Squat"};
        for (int i = 0; i < 3; ++i)
            clearance->AddSubItem(Shown(names[i], TideNumberText(m_pClearance->m_dValue[i], 2)));
        m_wndPropList.AddProperty(clearance);
    }
    AdjustLayout();
}

void CTidePortPane::SetPortIndex(int index)
{
    m_nPort = index;
    if (m_pData != nullptr && index >= 0 && index < PortCount())
        m_pData->m_nCurrentPort = index;
    InitPropList();
}

int CTidePortPane::Print()
{
    if (m_pData == nullptr || m_pPorts == nullptr)
        return 0;
    const CTidalPort* port = m_pData->GetCurrentPort();
    const CStandardPort* standard = port != nullptr ? m_pPorts->FindNumber(port->m_strNumber) : nullptr;
    if (standard == nullptr)
        return 0;
    return PrintTideTable(*standard, m_pData->m_nYear);
}

void CTidePortPane::SetPropListFont()
{
    CreateMessageFacePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
}

LRESULT CTidePortPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    const auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || item->GetData() != ITEM_PORT)
        return 0;
    const CString chosen = item->GetValue().bstrVal;
    for (int i = 0; i < PortCount(); ++i)
        if (PortText(m_pData->m_pPorts->GetAt(i)) == chosen)
        {
            if (m_pOwner != nullptr)
                m_pOwner->PostMessage(UM_NP159_TIDE_CURVE, 0, i);
            break;
        }
    return 0;
}

