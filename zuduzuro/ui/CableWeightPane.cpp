#include "zuduzuro/ui/CableWeightPane.h"

#include "zuduzuro/Anchor.h"
#include "zuduzuro/CableWeight.h"

#include "foundation/MyListCtrl.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/HeaderCtrl.h"
#include "outside/panes/units/TemperatureProperty.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCableWeightPane, CDockablePane)

BEGIN_MESSAGE_MAP(CCableWeightPane, CPropertyPane)
ON_WM_CREATE()
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CCableWeightPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
constexpr UINT kListId = 3;
constexpr int kGridRows = 5;
constexpr DWORD kListExStyle = 0x21; // grid lines, full-row select
} // namespace

CCableWeightPane::~CCableWeightPane()
{
    m_List.DestroyWindow();
}

void CCableWeightPane::SetData(CAnchor* pAnchor, CCableWeight* pTable)
{
    m_pAnchor = pAnchor;
    m_pTable = pTable;
}

int CCableWeightPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertyPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_List.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 100), this, kListId))
        return -1;
    m_List.Setup(m_pOwner, m_pAnchor, m_pTable);
    AdjustLayout();
    return 0;
}

void CCableWeightPane::InitPropList()
{
    BeginPropList();
    m_wndPropList.EnableDescriptionArea(FALSE);
    if (m_pTable == nullptr)
        return;
    auto* group = new CMFCPropertyGridProperty("Sea Water");
    group->AddSubItem(new CMFCPropertyGridTemperatureModeProperty(TEMPERATURE_CELSIUS, 1));
    group->AddSubItem(new CMFCPropertyGridTemperatureProperty("Temperature", m_pTable->m_Temperature,
                                                              TEMPERATURE_CELSIUS, "Enter Water Temperature", 2));
    group->AddSubItem(new CMFCPropertyGridDouble("Salinity", m_pTable->m_Salinity, "%8.2lf ppt",
                                                 "Enter Salinity of Sea Water", 3));
    m_wndPropList.AddProperty(group);
}

int CCableWeightPane::GetFittingWidth()
{
    int columns = 0;
    if (m_List.GetSafeHwnd() != nullptr)
    {
        // The columns at their contents' width, then filling the pane again.
        ::AutoSizeColumns(&m_List, false);
        const int count = m_List.GetHeaderCtrl() != nullptr ? m_List.GetHeaderCtrl()->GetItemCount() : 0;
        for (int i = 0; i < count; ++i)
            columns += m_List.GetColumnWidth(i);
        m_List.AutoSizeColumns();
        // The list's frame and room for a scroll bar.
        columns += 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL);
    }
    return std::max(CPropertyPane::GetFittingWidth(), columns);
}

void CCableWeightPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int gridHeight = (kGridRows + 1) * m_wndPropList.GetRowHeight() + 4;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), gridHeight, flags);
    if (m_List.GetSafeHwnd() == nullptr)
        return;
    m_List.SetWindowPos(nullptr, client.left, client.top + gridHeight, client.Width(),
                        std::max(0, client.Height() - gridHeight), flags);
    m_List.SetExtendedStyle(kListExStyle);
    m_List.AutoSizeColumns();
    m_List.ShowWindow(SW_SHOW);
}

LRESULT CCableWeightPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (prop == nullptr || m_pTable == nullptr)
        return 0;
    switch (prop->GetData())
    {
    case 1:
        if (auto* temperature = dynamic_cast<CMFCPropertyGridTemperatureProperty*>(m_wndPropList.FindItemByData(2)))
            temperature->Update(static_cast<CMFCPropertyGridChoiceProperty*>(prop)->GetChoice());
        break;
    case 2:
        m_pTable->m_Temperature = prop->GetValue().dblVal;
        UpdateSeaWater();
        break;
    case 3:
        m_pTable->m_Salinity = prop->GetValue().dblVal;
        UpdateSeaWater();
        break;
    default: break;
    }
    return 0;
}

void CCableWeightPane::UpdateSeaWater()
{
    // The first built-in type stays as it is.
    for (int i = 1; i < m_pTable->GetSize(); ++i)
    {
        CableWeightDef& type = m_pTable->ElementAt(i);
        if (type.nWeightInWater == 0)
            type.WeightInWater =
                WeightInSeawater(type.nDiameter, type.WeightInAir, m_pTable->m_Temperature, m_pTable->m_Salinity);
    }
    m_List.FillList();
    // Saved, pushed into the anchor and announced like every other change of the table, so
    // that the catenary and the anchor pane's choices use the new weights.
    m_List.TableChanged();
}
