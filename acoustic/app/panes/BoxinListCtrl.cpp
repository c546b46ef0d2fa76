#include "acoustic/app/panes/BoxinListCtrl.h"

#include "acoustic/app/panes/BoxinRows.h"
#include "acoustic/engine/Boxin.h"
#include "foundation/ListCtrlImport.h"
#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/HeaderCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CBoxinListCtrl, CMyListCtrl)

BEGIN_MESSAGE_MAP(CBoxinListCtrl, CMyListCtrl)
ON_WM_CREATE()
ON_NOTIFY_REFLECT(NM_CLICK, &CBoxinListCtrl::OnClick)
END_MESSAGE_MAP()

int CBoxinListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // By day: black on 0xD6D6D6, in the grey scheme.
    m_bNight = false;
    SetColourScheme(1);
    SetBkColor(0xD6D6D6);
    SetTextBkColor(0xD6D6D6);
    SetTextColor(0x000000);
    m_HighlightBackColour = 0x555555;
    m_HighlightTextColour = 0xEBEBEB;
    return 0;
}

CString CBoxinListCtrl::ObservationHeading(int rangeMode, bool twoWay)
{
    if (rangeMode == BOXIN_TRAVEL_TIME_SECONDS)
        return twoWay ? "Two-Way\nSeconds" : "One-Way\nSeconds";
    if (rangeMode == BOXIN_TRAVEL_TIME_MILLISECONDS)
        return twoWay ? "Two-Way\nMilliseconds" : "One-Way\nMilliseconds";
    return "Range\nMetres";
}

void CBoxinListCtrl::SetupColumns(CListCtrlImport& import)
{
    DeleteAllItems();
    while (GetHeaderCtrl() != nullptr && GetHeaderCtrl()->GetItemCount() > 0)
        DeleteColumn(0);
    CStringArray headings;
    for (int field = 0; field < 5; ++field)
    {
        const ListCtrlImportDef& def = import.GetAt(field);
        if (def.Column < 0)
            continue;
        headings.Add(field == 4 && m_pBoxin ? ObservationHeading(m_pBoxin->m_RangeMode, m_pBoxin->m_TwoWayTravelTime)
                                            : def.FieldName);
    }
    AddColumns(headings, LVCFMT_CENTER);
}

int CBoxinListCtrl::ConvertRows(CListCtrlImport& import)
{
    if (!m_pBoxin)
        return 0;
    std::vector<bool> used;
    const int unused = ConvertBoxinRows(
        *m_pBoxin, import, GetItemCount(), [this](int row, int column) { return GetItemText(row, column); }, used);
    for (size_t row = 0; row < used.size(); ++row)
        SetCheck(static_cast<int>(row), used[row] ? TRUE : FALSE);
    return unused;
}

void CBoxinListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (!m_pBoxin || row < 0 || row >= m_pBoxin->GetSize())
        return;
    m_Point.x = (*m_pBoxin)[row].VesselEasting;
    m_Point.y = (*m_pBoxin)[row].VesselNorthing;
    CCmdTarget* target = m_pOwner != nullptr ? static_cast<CCmdTarget*>(m_pOwner) : AfxGetMainWnd();
    if (target != nullptr)
        ::PostMessage(target->GetSafeHwnd(), UM_REDRAW_VECTOR_DISPLAY, reinterpret_cast<WPARAM>(&m_Point), 0);
}
