#include "outside/communication/PortPane.h"

#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/Menu.h"

#include <QDockWidget>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

namespace
{
const UINT_PTR kRefreshTimer = 1;
const COLORREF kHighlightText = RGB(220, 0, 0);
// The pane's own message: tell the user the next refused edit.
const UINT WM_PORT_REFUSAL = WM_APP + 0x51;
} // namespace

CString YesNoText(bool value)
{
    return value ? "Yes" : "No";
}

int ParseYesNo(const CString& text)
{
    CString t(text);
    t.Trim();
    if (t.CompareNoCase("Yes") == 0)
        return 1;
    if (t.CompareNoCase("No") == 0)
        return 0;
    return -1;
}

bool ParseWholeNumber(const CString& text, long& value)
{
    CString t(text);
    t.Trim();
    if (t.IsEmpty())
        return false;
    char* end = nullptr;
    const long v = std::strtol(t.GetString(), &end, 10);
    if (end == nullptr || *end != '\0')
        return false;
    value = v;
    return true;
}

BEGIN_MESSAGE_MAP(CPortPane, CDockablePane)
ON_REGISTERED_MESSAGE(UM_LIST_SET_ITEMS, &CPortPane::OnListSetItems)
ON_REGISTERED_MESSAGE(UM_LIST_VALIDATE, &CPortPane::OnListValidate)
ON_WM_TIMER()
ON_WM_CONTEXTMENU()
ON_MESSAGE(WM_PORT_REFUSAL, &CPortPane::OnShowRefusal)
ON_NOTIFY(NM_CUSTOMDRAW, CPortPane::IDC_RECEIVED_LINES, &CPortPane::OnLinesCustomDraw)
END_MESSAGE_MAP()

CPortPane::CPortPane() = default;

void CPortPane::AddColumns(const ColumnDef* columns, int count)
{
    for (int c = 0; c < count; ++c)
    {
        m_Table.AddColumn(columns[c].heading, LVCFMT_LEFT);
        m_Table.SetColumnWidth(c, columns[c].width);
    }
}

void CPortPane::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AddMenuItems(menu);
    menu.AppendMenu(MF_STRING, ID_CLEAR_LINES, "Clear Received Data");
    if (point.x == -1 && point.y == -1)
    {
        CRect rc;
        GetWindowRect(&rc);
        point = rc.TopLeft();
    }
    const int command =
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    if (command == ID_CLEAR_LINES)
        ClearLines();
    else if (command != 0)
        OnMenuCommand(static_cast<UINT>(command));
}

CPortPane::~CPortPane()
{
    if (GetSafeHwnd())
        KillTimer(kRefreshTimer);
    // The lists go before the pane, so nothing of theirs reaches a pane half destroyed.
    if (m_Table.GetSafeHwnd())
        m_Table.DestroyWindow();
    if (m_LineList.GetSafeHwnd())
        m_LineList.DestroyWindow();
}

BOOL CPortPane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                       DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle, CCreateContext* pContext)
{
    if (!CDockablePane::Create(lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle,
                               dwControlBarStyle, pContext))
        return FALSE;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!m_Table.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS |
                            LVS_SINGLESEL,
                        CRect(0, 0, width, height / 3), this, IDC_PORT_TABLE) ||
        !m_LineList.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                           CRect(0, height / 3, width, height), this, IDC_RECEIVED_LINES))
    {
        DestroyWindow();
        return FALSE;
    }
    m_Table.SetExtendedStyle(m_Table.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddTableColumns();
    m_LineList.SetExtendedStyle(m_LineList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_LineList.InsertColumn(LINE_COLUMN_PORT, "Port", LVCFMT_LEFT, 50);
    m_LineList.InsertColumn(LINE_COLUMN_TYPE, "Type", LVCFMT_LEFT, 50);
    m_LineList.InsertColumn(LINE_COLUMN_DATA, "Data", LVCFMT_LEFT, 600);

    // Both lists live in the dock's content area, the user sharing it out with a splitter.
    QWidget* content = GetDockWidget() ? GetDockWidget()->widget() : nullptr;
    if (content)
    {
        auto* layout = new QVBoxLayout(content);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* splitter = new QSplitter(Qt::Vertical, content);
        splitter->setChildrenCollapsible(false);
        layout->addWidget(splitter);
        splitter->addWidget(m_Table.GetWidget());
        splitter->addWidget(m_LineList.GetWidget());
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 2);
    }
    SetNightMode(m_bNight);
    UpdateTable();
    SetTimer(kRefreshTimer, REFRESH_MS);
    return TRUE;
}

void CPortPane::AddString(int nPort, LPCTSTR lpszType, LPCTSTR lpszLine, bool bHighlight)
{
    if (!IsOwnPort(nPort))
        return;
    CString text(lpszLine ? lpszLine : "");
    text.TrimRight("\r\n");
    m_Lines.push_back({nPort, CString(lpszType ? lpszType : ""), text, bHighlight});
    if (static_cast<int>(m_Lines.size()) > MAX_LINES)
    {
        m_Lines.pop_front();
        ++m_nDropped;
    }
    if (lpszType && *lpszType)
        m_LastType[nPort] = lpszType;
    ++m_LineTotals[nPort];
    m_bDirty = true;
}

CString CPortPane::GetLastType(int nPort) const
{
    const auto it = m_LastType.find(nPort);
    return it == m_LastType.end() ? CString() : it->second;
}

long CPortPane::GetLineTotal(int nPort) const
{
    const auto it = m_LineTotals.find(nPort);
    return it == m_LineTotals.end() ? 0 : it->second;
}

void CPortPane::ClearLines()
{
    m_Lines.clear();
    m_nDropped = 0;
    m_nShown = 0;
    m_bDirty = false;
    if (m_LineList.GetSafeHwnd())
        m_LineList.DeleteAllItems();
}

void CPortPane::FlushLines()
{
    if (!m_bDirty || !m_LineList.GetSafeHwnd())
        return;
    m_bDirty = false;
    const int kept = static_cast<int>(m_Lines.size());
    int first = m_nShown; // the first kept line not yet in the list
    m_LineList.SetRedraw(FALSE);
    if (m_nDropped > 0 || m_LineList.GetItemCount() != m_nShown)
    {
        // Lines fell off the front: show the whole store again.
        m_LineList.DeleteAllItems();
        first = 0;
    }
    else
        first = m_nShown - m_nDropped;
    for (int i = first; i < kept; ++i)
    {
        const LineDef& line = m_Lines[static_cast<size_t>(i)];
        CString port;
        port.Format("%d", line.nPort);
        const int row = m_LineList.InsertItem(m_LineList.GetItemCount(), port);
        m_LineList.SetItemText(row, LINE_COLUMN_TYPE, line.strType);
        m_LineList.SetItemText(row, LINE_COLUMN_DATA, line.strText);
        m_LineList.SetItemData(row, line.bHighlight ? 1 : 0);
    }
    m_nShown = kept;
    m_nDropped = 0;
    m_LineList.SetRedraw(TRUE);
    if (kept > 0)
        m_LineList.EnsureVisible(kept - 1, FALSE);
    // The rows show what their ports last received (not while the user edits a cell).
    if (!m_Table.m_bEditing)
        UpdateTable();
}

void CPortPane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRefreshTimer)
        return;
    FlushLines();
    // A port's threads may change its settings (a baud-rate search), so the table is looked
    // at now and then even when no line came.
    if (++m_nTicks % 4 == 0 && !m_Table.m_bEditing)
        UpdateTable();
}

void CPortPane::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    if (m_Table.GetSafeHwnd())
    {
        m_Table.m_bNight = bNight;
        m_Table.SetColourScheme(m_Table.m_ColourScheme);
        m_Table.Invalidate();
    }
    if (m_LineList.GetSafeHwnd())
    {
        m_LineList.SetBkColor(bNight ? RGB(0, 0, 0) : RGB(255, 255, 255));
        m_LineList.SetTextBkColor(bNight ? RGB(0, 0, 0) : RGB(255, 255, 255));
        m_LineList.SetTextColor(bNight ? RGB(192, 192, 192) : RGB(0, 0, 0));
        m_LineList.Invalidate();
    }
}

void CPortPane::UpdateTable()
{
    if (!m_Table.GetSafeHwnd())
        return;
    const int count = GetPortCount();
    // The rows are made again out of sight only when their number changed; otherwise each is
    // set in place, and one whose texts are as they were paints nothing, so that the table
    // looked at every second costs no painting while the ports stay as they are.
    const bool remake = m_Table.GetItemCount() != count;
    if (remake)
    {
        m_Table.SetRedraw(FALSE);
        m_Table.DeleteAllItems();
        for (int row = 0; row < count; ++row)
            m_Table.InsertItem(row, "");
    }
    for (int row = 0; row < count; ++row)
        SetRowTexts(row);
    if (remake)
        m_Table.SetRedraw(TRUE);
}

bool CPortPane::EditCell(int nRow, int nColumn, const char* text)
{
    if (!m_Table.GetSafeHwnd() || nRow < 0 || nRow >= m_Table.GetItemCount())
        return false;
    CString refusal;
    const bool applied = ApplyEdit(nRow, nColumn, CString(text ? text : ""), refusal);
    // The row shows what the port now holds: the new value, or the old one when refused.
    UpdateTable();
    // Told after the editor has gone, so that the row shows the value kept while the user reads
    // why (the editor ends the edit from inside its own focus change).
    if (!applied && !refusal.IsEmpty())
    {
        m_Refusals.push_back(refusal);
        PostMessage(WM_PORT_REFUSAL);
    }
    return applied;
}

LRESULT CPortPane::OnShowRefusal(WPARAM, LPARAM)
{
    if (m_Refusals.empty())
        return 0;
    const CString refusal = m_Refusals.front();
    m_Refusals.pop_front();
    WarningMessage(refusal, this);
    return 0;
}

LRESULT CPortPane::OnListSetItems(WPARAM wParam, LPARAM lParam)
{
    auto* choices = reinterpret_cast<CStringList*>(lParam);
    if (choices != nullptr)
        GetChoices(HIWORD(wParam), LOWORD(wParam), *choices);
    return 0;
}

LRESULT CPortPane::OnListValidate(WPARAM wParam, LPARAM lParam)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
    if (wParam != IDC_PORT_TABLE || info == nullptr)
        return 0;
    EditCell(info->item.iItem, info->item.iSubItem, info->item.pszText);
    return 0;
}

void CPortPane::OnLinesCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    const DWORD stage = cd->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT)
    {
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    }
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) &&
        m_LineList.GetItemData(static_cast<int>(cd->nmcd.dwItemSpec)) != 0)
        cd->clrText = kHighlightText;
}
