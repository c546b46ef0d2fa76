#include "acoustic/app/panes/NetworkStationListCtrl.h"

#include "acoustic/app/panes/FramePane.h"
#include "acoustic/app/panes/NetworkStationDlg.h"
#include "acoustic/engine/Network.h"
#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/HeaderCtrl.h"

#include <algorithm>
#include <functional>
#include <vector>

IMPLEMENT_DYNAMIC(CNetworkStationListCtrl, CMyListCtrl)

BEGIN_MESSAGE_MAP(CNetworkStationListCtrl, CMyListCtrl)
ON_WM_CREATE()
ON_NOTIFY_REFLECT(NM_CLICK, &CNetworkStationListCtrl::OnClick)
ON_NOTIFY_REFLECT(NM_DBLCLK, &CNetworkStationListCtrl::OnDoubleClick)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace
{
const char* const kHeadings[CNetworkStationListCtrl::ALL_COLUMNS] = {
    "Type\nObservation", "Station\nName",         "Easting\n",           "Northing\n",
    "Height\n",          "Std.\nErr.",            "Number\nObservations", "Computed\nEasting",
    "Computed\nNorthing", "Computed\nHeight",     "Standard\nError",      "Error Ellipse\n(Max)",
    "Error Ellipse\n(Min)", "Error Ellipse\n(Bearing)"};

CString Number(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

bool IsAdjustedType(int type)
{
    return type == STATION_FREE || type == STATION_FREE_WITH_POSITION;
}
} // namespace

CNetworkStationListCtrl::CNetworkStationListCtrl()
{
    m_pSaveGuard = &m_PlainSave;
}

void CNetworkStationListCtrl::SetData(CWnd* pOwner, CNetwork* pNetwork, CNetworkSaveGuard* pSaveGuard)
{
    m_pOwner = pOwner;
    m_pNetwork = pNetwork;
    m_pSaveGuard = pSaveGuard ? pSaveGuard : &m_PlainSave;
}

int CNetworkStationListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    // By day: black on 0xD6D6D6 under a dark header.
    m_bNight = false;
    SetColourScheme(1);
    SetTextBkColor(0xD6D6D6);
    m_HighlightBackColour = 0x555555;
    m_HighlightTextColour = 0xEBEBEB;
    if (m_pIcons == nullptr || m_pIcons->GetImageCount() == 0)
    {
        LoadStationIcons(m_Icons);
        m_pIcons = &m_Icons;
    }
    SetImageList(m_pIcons, LVSIL_SMALL);
    return 0;
}

void CNetworkStationListCtrl::Fill()
{
    SetRedraw(FALSE);
    DeleteAllItems();
    while (GetHeaderCtrl() != nullptr && GetHeaderCtrl()->GetItemCount() > 0)
        DeleteColumn(0);
    if (m_pNetwork != nullptr)
    {
        const int columns = m_pNetwork->m_Result ? ALL_COLUMNS : BASIC_COLUMNS;
        for (int c = 0; c < columns; ++c)
            AddColumn(kHeadings[c], LVCFMT_CENTER);
        for (int row = 0; row < static_cast<int>(m_pNetwork->GetSize()); ++row)
            ShowStation(row);
    }
    SetRedraw(TRUE);
    Invalidate();
}

void CNetworkStationListCtrl::ShowStation(int nRow)
{
    if (m_pNetwork == nullptr || nRow < 0 || nRow >= m_pNetwork->GetSize())
        return;
    const CNetworkStation& s = m_pNetwork->GetAt(nRow);
    const int type = s.m_Status >= STATION_NOT_IN_USE && s.m_Status <= STATION_FREE_WITH_POSITION
                         ? s.m_Status
                         : STATION_NOT_IN_USE;
    if (nRow == GetItemCount())
        InsertItem(nRow, CNetworkStationDlg::TYPE_NAMES[type], type);
    else
        SetItem(nRow, 0, LVIF_TEXT | LVIF_IMAGE, CNetworkStationDlg::TYPE_NAMES[type], type, 0, 0, 0);
    SetItemText(nRow, 1, s.m_Name);
    SetItemText(nRow, 2, Number("%.3lf", s.m_GivenE));
    SetItemText(nRow, 3, Number("%.3lf", s.m_GivenN));
    SetItemText(nRow, 4, Number("%.3lf", s.m_GivenDepth));
    SetItemText(nRow, 5, type == STATION_FREE_WITH_POSITION ? Number("%.3lf", s.m_PositionSE) : CString());
    CString links;
    links.Format("%d", s.m_LinkCount);
    SetItemText(nRow, 6, links);
    const int columns = GetHeaderCtrl() != nullptr ? GetHeaderCtrl()->GetItemCount() : 0;
    if (columns < ALL_COLUMNS)
        return;
    // Only stations the adjustment moves have computed values; the others stay empty.
    const bool computed = IsAdjustedType(type);
    const double values[] = {s.m_AdjustedE,    s.m_AdjustedN,  s.m_AdjustedDepth, s.m_ResidualRMS,
                             s.m_SemiMajor,    s.m_SemiMinor};
    for (int c = 0; c < 6; ++c)
        SetItemText(nRow, 7 + c, computed ? Number("%.3lf", values[c]) : CString());
    SetItemText(nRow, 13, computed ? Number("%.1lf\xB0", s.m_Orientation) : CString());
}

void CNetworkStationListCtrl::PostToOwner(UINT message)
{
    CCmdTarget* target = m_pOwner != nullptr ? static_cast<CCmdTarget*>(m_pOwner) : AfxGetMainWnd();
    if (target != nullptr)
        ::PostMessage(target->GetSafeHwnd(), message, reinterpret_cast<WPARAM>(&m_Position), 0);
}

void CNetworkStationListCtrl::SelectStation(int nIndex)
{
    if (m_pNetwork == nullptr || nIndex < 0 || nIndex >= m_pNetwork->GetSize())
        return;
    m_Position.x = m_pNetwork->GetAt(nIndex).m_GivenE;
    m_Position.y = m_pNetwork->GetAt(nIndex).m_GivenN;
    PostToOwner(UM_REDRAW_VECTOR_DISPLAY);
}

bool CNetworkStationListCtrl::RunDialog(CNetworkStation& station, int nIndex)
{
    CNetworkStationDlg dialog(&station, m_pNetwork, nIndex, this);
    return dialog.DoModal() == IDOK;
}

void CNetworkStationListCtrl::NetworkChanged()
{
    m_pNetwork->ComputeObservations();
    m_pSaveGuard->Save(*m_pNetwork, this);
    m_pNetwork->m_Result = 0;
    PostToOwner(UM_UPDATE_STATION);
}

void CNetworkStationListCtrl::EditStation(int nRow)
{
    if (m_pNetwork == nullptr)
        return;
    const bool existing = nRow >= 0 && nRow < m_pNetwork->GetSize();
    CNetworkStation station;
    if (existing)
        station.Copy(m_pNetwork->GetAt(nRow));
    if (!RunDialog(station, existing ? nRow : -1))
        return;
    int row = nRow;
    if (existing)
        m_pNetwork->ElementAt(nRow).Copy(station);
    else
        row = static_cast<int>(m_pNetwork->AddStation(station));
    ShowStation(row);
    SelectStation(row);
    NetworkChanged();
}

void CNetworkStationListCtrl::InsertStation()
{
    if (m_pNetwork == nullptr)
        return;
    CNetworkStation station;
    if (!RunDialog(station, -1))
        return;
    const int row = static_cast<int>(m_pNetwork->AddStation(station));
    NetworkChanged();
    ShowStation(row);
    SelectStation(row);
}

void CNetworkStationListCtrl::DeleteSelectedStations()
{
    if (m_pNetwork == nullptr)
        return;
    std::vector<int> rows;
    POSITION pos = GetFirstSelectedItemPosition();
    while (pos != nullptr)
        rows.push_back(GetNextSelectedItem(pos));
    if (rows.empty())
        return;
    // From the highest down, so that the rows still to go keep their indices.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows)
        if (row >= 0 && row < m_pNetwork->GetSize())
        {
            m_pNetwork->RemoveStation(row);
            DeleteItem(row);
        }
    NetworkChanged();
    if (m_pNetwork->GetSize() > 0)
        SelectStation(0);
}

void CNetworkStationListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    SelectStation(reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem);
}

void CNetworkStationListCtrl::OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    EditStation(reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem);
}

void CNetworkStationListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE)
        DeleteSelectedStations();
    else if (nChar == VK_INSERT)
        InsertStation();
    CMyListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}
