#include "outside/tide/TideListPane.h"

namespace
{
constexpr int kGreyScheme = 1;
constexpr int kRowHeight = 24;
constexpr int kListDropHeight = 300;
} // namespace

BEGIN_MESSAGE_MAP(CTideListPane, CMyDockablePane)
ON_WM_SIZE()
ON_CBN_SELCHANGE(CTideListPane::IDC_TIDE_CHOOSER, &CTideListPane::OnChooserSelChange)
END_MESSAGE_MAP()

CTideListPane::~CTideListPane()
{
    m_List.DestroyWindow();
    m_Chooser.DestroyWindow();
    m_Caption.DestroyWindow();
}

BOOL CTideListPane::CreateListPane(CWnd* pOwner, int nID, const char* title, const std::vector<const char*>& columns,
                                   bool chooser, bool caption)
{
    if (!CMyDockablePane::Create(pOwner, nID, title))
        return FALSE;
    m_bChooser = chooser;
    m_bCaption = caption;
    if (chooser && !m_Chooser.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                     CRect(0, 0, 100, kListDropHeight), this, IDC_TIDE_CHOOSER))
        return FALSE;
    if (caption && !m_Caption.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 100, kRowHeight), this,
                                     IDC_TIDE_CAPTION))
        return FALSE;
    if (!m_List.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 100), this, IDC_TIDE_LIST))
        return FALSE;
    m_List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_List.m_ReadOnlyColumns.RemoveAll();
    for (size_t i = 0; i < columns.size(); ++i)
    {
        m_List.AddColumn(columns[i], i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT);
        m_List.m_ReadOnlyColumns.AddTail(static_cast<int>(i));
    }
    m_List.SetColourScheme(kGreyScheme);
    AdjustLayout();
    return TRUE;
}

void CTideListPane::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    if (m_List.GetSafeHwnd() == nullptr)
        return;
    m_List.m_bNight = bNight;
    m_List.SetColourScheme(kGreyScheme);
    m_List.Invalidate();
}

CString CTideListPane::GetCaption() const
{
    CString text;
    if (m_bCaption && m_Caption.GetSafeHwnd() != nullptr)
        m_Caption.GetWindowText(text);
    return text;
}

void CTideListPane::ClearRows()
{
    if (m_List.GetSafeHwnd() != nullptr)
        m_List.DeleteAllItems();
}

void CTideListPane::AddRow(const std::vector<CString>& cells)
{
    if (m_List.GetSafeHwnd() == nullptr || cells.empty())
        return;
    const int row = m_List.InsertItem(m_List.GetItemCount(), cells[0]);
    for (size_t i = 1; i < cells.size(); ++i)
        m_List.SetItemText(row, static_cast<int>(i), cells[i]);
}

void CTideListPane::SetCaption(const CString& text)
{
    if (m_bCaption && m_Caption.GetSafeHwnd() != nullptr)
        m_Caption.SetWindowText(text);
}

void CTideListPane::FitColumns()
{
    if (m_List.GetSafeHwnd() != nullptr)
        AutoSizeColumns(&m_List, false);
}

void CTideListPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_List.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    int top = client.top;
    if (m_bChooser && m_Chooser.GetSafeHwnd() != nullptr)
    {
        m_Chooser.SetWindowPos(nullptr, client.left, top, client.Width(), kListDropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        top += kRowHeight;
    }
    if (m_bCaption && m_Caption.GetSafeHwnd() != nullptr)
    {
        m_Caption.SetWindowPos(nullptr, client.left + 4, top, client.Width() - 4, kRowHeight,
                               SWP_NOZORDER | SWP_NOACTIVATE);
        top += kRowHeight;
    }
    m_List.SetWindowPos(nullptr, client.left, top, client.Width(), std::max(0, static_cast<int>(client.bottom) - top),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTideListPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CTideListPane::OnChooserSelChange()
{
    OnChooserChanged();
}
