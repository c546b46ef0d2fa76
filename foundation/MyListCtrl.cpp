#include "foundation/MyListCtrl.h"

#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/ListOutput.h"
#include "foundation/WindowMessages.h"
#include "platform/ui/ImageList.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMyListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CMyListCtrl, CListCtrl)
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CMyListCtrl::OnCustomDraw)
ON_WM_ERASEBKGND()
ON_NOTIFY_REFLECT(LVN_BEGINLABELEDIT, &CMyListCtrl::OnBeginLabelEdit)
ON_NOTIFY_REFLECT(LVN_ENDLABELEDIT, &CMyListCtrl::OnEndLabelEdit)
ON_BN_CLICKED(CMyListCtrl::BUTTON_ID, &CMyListCtrl::OnButtonPress)
END_MESSAGE_MAP()

namespace
{
struct Scheme
{
    COLORREF back, text, headerBack, headerText;
};
const Scheme kDay[7] = {
    {0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555}, {0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB},
    {0xCCFFCC, 0x000000, 0x008000, 0x80FF80}, {0xFFCC99, 0x000000, 0x800000, 0xFF8080},
    {0xFF99CC, 0x000000, 0x800080, 0xFF80FF}, {0xF0F0FF, 0x000000, 0x000080, 0x8080FF},
    {0xE7FFFF, 0x000000, 0x008080, 0x00FFFF},
};
const Scheme kNight[7] = {
    {0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555}, {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB},
    {0x000000, 0x008000, 0x004000, 0x008000}, {0x000000, 0x800000, 0x400000, 0x800000},
    {0x000000, 0x800080, 0x400040, 0x800080}, {0x000000, 0x000080, 0x000040, 0x000080},
    {0x000000, 0x008080, 0x004040, 0x008080},
};

// Lines of a text: none when empty, else one more than its '\n's unless it ends in one.
int LineCount(const CString& text)
{
    if (text.IsEmpty())
        return 0;
    int n = 0;
    for (int i = 0; i < text.GetLength(); ++i)
        n += text[i] == '\n';
    return text[text.GetLength() - 1] == '\n' ? n : n + 1;
}

CString Heading(CHeaderCtrl* header, int i)
{
    char buffer[80] = {0};
    HDITEM item{};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    header->GetItem(i, &item);
    return buffer;
}
} // namespace

CMyListCtrl::CMyListCtrl() = default;

CMyListCtrl::~CMyListCtrl()
{
    // The editors are members: their windows go with them, and no other list is touched.
    m_NumberColumns.RemoveAll();
    m_LatitudeColumns.RemoveAll();
    m_LongitudeColumns.RemoveAll();
    m_ComboColumns.RemoveAll();
    m_ButtonColumns.RemoveAll();
    m_ReadOnlyColumns.RemoveAll();
}

void CMyListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    m_bNight = false;
    SetColourScheme(m_ColourScheme);
}

bool CMyListCtrl::InSet(const CList<int, int>& set, int column)
{
    for (POSITION pos = set.GetHeadPosition(); pos;)
        if (set.GetNext(pos) == column)
            return true;
    return false;
}

LRESULT CMyListCtrl::SendToBoth(UINT message, WPARAM wParam, LPARAM lParam)
{
    SendMessage(message, wParam, lParam);
    if (CWnd* parent = GetParent())
        return parent->SendMessage(message, wParam, lParam);
    return 0;
}

int CMyListCtrl::AddColumn(LPCTSTR lpszHeading, int nAlignment)
{
    const int at = InsertHeading(lpszHeading, nAlignment);
    SetupHeader();
    return at;
}

void CMyListCtrl::AddColumns(const CStringArray& headings, int nAlignment)
{
    for (INT_PTR i = 0; i < headings.GetSize(); ++i)
        InsertHeading(headings[i], nAlignment);
    SetupHeader();
}

int CMyListCtrl::InsertHeading(LPCTSTR lpszHeading, int nAlignment)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    const int index = header ? header->GetItemCount() : 0;
    const bool sorts = (GetStyle() & LVS_NOSORTHEADER) == 0;
    int format = nAlignment & 3;
    if (sorts)
        format |= LVCFMT_BITMAP_ON_RIGHT;
    const int width = sorts ? GetStringWidth(lpszHeading) + GetStringWidth("        ") + 14
                            : GetStringWidth(lpszHeading) + GetStringWidth("    ");
    LVCOLUMN col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<LPSTR>(lpszHeading);
    col.iSubItem = index;
    const int at = InsertColumn(index, &col);
    if (at == 0 && header)
    {
        HDITEM hd{};
        hd.mask = HDI_FORMAT;
        header->GetItem(0, &hd);
        hd.fmt = (hd.fmt & ~HDF_JUSTIFYMASK) | (nAlignment & 3);
        header->SetItem(0, &hd);
    }
    return at;
}

void CMyListCtrl::SetupHeader()
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header)
        return;
    int lines = 1;
    const int count = header->GetItemCount();
    for (int i = 0; i < count; ++i)
        lines = std::max(lines, LineCount(Heading(header, i)));
    m_HeaderLines = lines;
    m_Header.Bind(GetSafeHwnd());
    // 9.5 points a line, so that the header grows to hold every line of the tallest heading.
    m_HeaderFont.DeleteObject();
    m_HeaderFont.CreatePointFont(95 * lines, "MS Serif");
    m_Header.SetFont(&m_HeaderFont, TRUE);
    for (int i = 0; i < count; ++i)
    {
        HDITEM hd{};
        hd.mask = HDI_FORMAT;
        header->GetItem(i, &hd);
        hd.fmt |= HDF_OWNERDRAW;
        header->SetItem(i, &hd);
    }
}

void CMyListCtrl::SetColourScheme(int nScheme)
{
    if (nScheme < 0 || nScheme > 6)
        return;
    const Scheme& s = m_bNight ? kNight[nScheme] : kDay[nScheme];
    SetBkColor(s.back);
    SetTextColor(s.text);
    m_Header.m_BackColour = s.headerBack;
    m_Header.m_TextColour = s.headerText;
    m_ColourScheme = nScheme;
    Invalidate(TRUE);
}

NMLVCUSTOMDRAW* SubItemPrePaint(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = 0;
    const DWORD stage = cd->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT)
    {
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return nullptr;
    }
    return stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) ? cd : nullptr;
}

bool HitTestListCell(CListCtrl& list, CPoint point, int& nItem, int& nColumn)
{
    nItem = -1;
    nColumn = -1;
    if ((list.GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
        return false;
    const int row = list.HitTest(point);
    if (row < 0)
        return false;
    CRect bounds;
    list.GetItemRect(row, &bounds, LVIR_BOUNDS);
    if (!bounds.PtInRect(point))
        return false;
    CHeaderCtrl* header = list.GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    int left = bounds.left;
    for (int c = 0; c < count; ++c)
    {
        const int width = list.GetColumnWidth(c);
        if (point.x >= left && point.x <= left + width)
        {
            nItem = row;
            nColumn = c;
            return true;
        }
        left += width;
    }
    return false;
}

CRect GetListCellRect(CListCtrl& list, int nColumn, int nItem)
{
    CRect row;
    list.GetItemRect(nItem, &row, LVIR_BOUNDS);
    CRect client;
    list.GetClientRect(&client);
    if (row.right > client.right)
        row.right = client.right;
    int offset = 0;
    for (int c = 0; c < nColumn; ++c)
        offset += list.GetColumnWidth(c);
    const int width = list.GetColumnWidth(nColumn);
    const int left = row.left + offset;
    int scroll = 0;
    if (left >= client.left && left <= client.right)
    {
        if (left + width > client.right)
            scroll = left + width - client.right;
    }
    else
        scroll = left;
    if (scroll != 0)
        list.Scroll(CSize(scroll, 0));
    // Where the list really ended up: it cannot scroll past its ends.
    CRect after;
    list.GetItemRect(nItem, &after, LVIR_BOUNDS);
    const int cellLeft = after.left + offset;
    return CRect(cellLeft, after.top, cellLeft + width, after.bottom);
}

bool CMyListCtrl::HitTestCell(CPoint point, int& nItem, int& nColumn)
{
    return HitTestListCell(*this, point, nItem, nColumn);
}

CRect CMyListCtrl::GetCellRect(int nColumn, int nItem)
{
    return GetListCellRect(*this, nColumn, nItem);
}

void CMyListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    int item = -1;
    int column = -1;
    // A click off every cell is swallowed: no selection change.
    if (!HitTestCell(point, item, column))
        return;
    CListCtrl::OnLButtonDown(nFlags, point);
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return;
    const CString text = GetItemText(item, column);
    if (item < 0 || !(GetItemState(item, LVIS_FOCUSED) & LVIS_FOCUSED) || !(GetStyle() & LVS_EDITLABELS))
        return;
    const WPARAM cell = MAKELONG(column, item);
    if (InSet(m_ComboColumns, column))
    {
        CStringList choices;
        SendToBoth(UM_LIST_SET_ITEMS, cell, reinterpret_cast<LPARAM>(&choices));
        CImageList* images = nullptr;
        SendMessage(UM_LIST_IMAGE_LIST, cell, reinterpret_cast<LPARAM>(&images));
        if (!images)
            if (CWnd* parent = GetParent())
                parent->SendMessage(UM_LIST_IMAGE_LIST, cell, reinterpret_cast<LPARAM>(&images));
        if (!choices.IsEmpty())
        {
            ShowInPlaceCombo(item, column, choices, images, text);
            if (m_Combo.GetSafeHwnd())
                m_Combo.SelectString(-1, text);
        }
        return;
    }
    if (InSet(m_ButtonColumns, column))
    {
        ShowInPlaceButton(item, column, text);
        m_ButtonItem = item;
        m_ButtonColumn = column;
        return;
    }
    if (InSet(m_ReadOnlyColumns, column))
        return;
    // Both receivers are asked, the parent even after the list itself said no.
    bool allowed = true;
    SendToBoth(UM_LIST_START_EDIT, cell, reinterpret_cast<LPARAM>(&allowed));
    if (!allowed)
        return;
    if (InSet(m_LatitudeColumns, column))
        ShowInPlaceAngleEdit(item, column, 5, text);
    else if (InSet(m_LongitudeColumns, column))
        ShowInPlaceAngleEdit(item, column, 6, text);
    else if (InSet(m_NumberColumns, column))
        ShowInPlaceEdit(item, column, "0123456789.+-", text);
    else
        ShowInPlaceEdit(item, column, "", text);
    m_bEditing = true;
}

// Scrolling takes the focus back to the list, which ends an open in-place editor.
void CMyListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CMyListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CMyListCtrl::ShowInPlaceEdit(int nItem, int nColumn, LPCTSTR lpszAllowed, LPCTSTR lpszText)
{
    m_Edit.Setup(nItem, nColumn, lpszAllowed, lpszText);
    if (!m_Edit.GetSafeHwnd())
        m_Edit.Create(EDIT_STYLE | WS_CHILD, GetCellRect(nColumn, nItem), this, 0);
}

void CMyListCtrl::ShowInPlaceAngleEdit(int nItem, int nColumn, int angleType, LPCTSTR lpszText)
{
    m_AngleEdit.Setup(nItem, nColumn, angleType, m_AngleFormat, lpszText);
    if (!m_AngleEdit.GetSafeHwnd())
        m_AngleEdit.Create(EDIT_STYLE | WS_CHILD, GetCellRect(nColumn, nItem), this, 0);
}

void CMyListCtrl::ShowInPlaceButton(int nItem, int nColumn, LPCTSTR lpszText)
{
    m_Button.Setup(nItem, nColumn, lpszText);
    if (m_Button.GetSafeHwnd())
        return;
    CRect cell = GetCellRect(nColumn, nItem);
    cell.left = cell.right - cell.Height();
    m_Button.Create("...", BUTTON_STYLE, cell, this, BUTTON_ID);
}

void CMyListCtrl::ShowInPlaceCombo(int nItem, int nColumn, const CStringList& choices, CImageList* pImages,
                                   LPCTSTR lpszText)
{
    if (!EnsureVisible(nItem, FALSE))
        return;
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || nColumn >= header->GetItemCount() || GetColumnWidth(nColumn) < 10)
        return;
    CRect cell = GetCellRect(nColumn, nItem);
    const int n = static_cast<int>(choices.GetCount());
    const int rowHeight = cell.Height();
    cell.bottom += rowHeight * (n < 10 ? n + 10 : 11);
    m_Combo.Setup(nItem, nColumn, choices, pImages, lpszText);
    if (!m_Combo.GetSafeHwnd())
        m_Combo.Create(COMBO_STYLE, cell, this, 0);
    const CString text = lpszText ? lpszText : "";
    if (!text.IsEmpty() && m_Combo.GetSafeHwnd())
    {
        int index = 0;
        int found = -1;
        for (POSITION pos = choices.GetHeadPosition(); pos; ++index)
            if (choices.GetNext(pos) == text && found < 0)
                found = index;
        m_Combo.SetCurSel(found);
    }
}

void CMyListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    SetItemText(info->item.iItem, info->item.iSubItem, info->item.pszText ? info->item.pszText : "");
    SendToBoth(UM_LIST_VALIDATE, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(info));
    m_bEditing = false;
    *pResult = 0;
}

void CMyListCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    if (InSet(m_ReadOnlyColumns, info->item.iSubItem))
    {
        *pResult = 1;
        return;
    }
    m_bEditing = true;
    *pResult = 0;
}

void CMyListCtrl::OnButtonPress()
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(UM_LIST_BUTTON_PRESS, static_cast<WPARAM>(m_ButtonItem),
                            static_cast<LPARAM>(m_ButtonColumn));
}

BOOL CMyListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (!pDC)
        return TRUE;
    CRect client;
    GetClientRect(&client);
    const COLORREF back = GetBkColor();
    pDC->FillSolidRect(&client, back);
    CHeaderCtrl* header = GetHeaderCtrl();
    const int columns = header ? header->GetItemCount() : 0;
    if (m_ColumnColourMode == 1)
    {
        // Columns side by side from the client's left edge; the last keeps the background.
        int left = client.left;
        for (int c = 0; c + 1 < columns; ++c)
        {
            const int width = GetColumnWidth(c);
            HDITEM hd{};
            hd.mask = HDI_LPARAM;
            if (header->GetItem(c, &hd) && hd.lParam != 0 && hd.lParam != c)
                pDC->FillSolidRect(CRect(left, client.top, left + width, client.bottom), static_cast<COLORREF>(hd.lParam));
            left += width;
        }
    }
    else if (m_AlternateRowColour != 0)
    {
        // Bands between rows r and r + 1, from the top row, as far as a page reaches.
        const int top = GetTopIndex();
        const int perPage = GetCountPerPage();
        CRect first;
        if (GetItemCount() > 0 && GetItemRect(top, &first, LVIR_BOUNDS))
        {
            const int height = first.Height();
            for (int r = 0; r <= perPage; ++r)
            {
                const CRect band(client.left, first.top + r * height, client.right, first.top + (r + 1) * height);
                pDC->FillSolidRect(&band, (r % 2) ? m_AlternateRowColour : back);
            }
        }
    }
    return TRUE;
}

void CMyListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* cd = SubItemPrePaint(pNMHDR, pResult);
    if (!cd)
        return;
    const int row = static_cast<int>(cd->nmcd.dwItemSpec);
    const int sub = cd->iSubItem;
    if (m_ColumnColourMode == 1)
    {
        CHeaderCtrl* header = GetHeaderCtrl();
        HDITEM hd{};
        hd.mask = HDI_LPARAM;
        if (!header || !header->GetItem(sub, &hd))
            return;
        cd->clrTextBk =
            (hd.lParam != 0 && hd.lParam != sub) ? static_cast<COLORREF>(hd.lParam) : GetBkColor();
        return;
    }
    if (row == m_HighlightRow && m_HighlightBackColour != 0)
    {
        cd->clrTextBk = m_HighlightBackColour;
        cd->clrText = m_HighlightTextColour;
        return;
    }
    if (m_bRowColourByData)
    {
        const COLORREF data = static_cast<COLORREF>(cd->nmcd.lItemlParam);
        cd->clrTextBk = data != 0 ? data : GetBkColor();
        if (data == 0x555555 || data == 0x808080)
            cd->clrText = 0xFFFFFF;
        return;
    }
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (m_ImageOneColour != 0 && GetItem(&item) && item.iImage == 1)
    {
        cd->clrTextBk = m_ImageOneColour;
        return;
    }
    if (m_AlternateRowColour != 0 && (row & 1))
    {
        cd->clrTextBk = m_AlternateRowColour;
        return;
    }
    cd->clrTextBk = GetBkColor();
}

void CMyListCtrl::OnDestroy()
{
    CListCtrl::OnDestroy();
    SaveColumnState();
}

bool CMyListCtrl::SaveColumnState()
{
    if (!(GetStyle() & LVS_REPORT))
        return false;
    CHeaderCtrl* header = GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    CString name;
    name.Format("List Control %d Column State", GetDlgCtrlID());
    return CConfigFile::WriteSettingsFile(name, [count](CConfigFile& file) {
        for (int i = 0; i < count; ++i)
        {
            CString key;
            key.Format("%d", i + 1);
            file.WriteInt(key, 0);
        }
    });
}

void AutoSizeColumns(CListCtrl* pList, bool fillWidth)
{
    if (!pList || !pList->GetSafeHwnd())
        return;
    pList->SetRedraw(FALSE);
    CRect client;
    pList->GetClientRect(&client);
    CHeaderCtrl* header = pList->GetHeaderCtrl();
    int count = header ? header->GetItemCount() : 0;
    if (header)
        pList->InsertColumn(count, "", LVCFMT_LEFT);
    int sum = 0;
    int lastWidth = 0;
    for (int i = 0; i < count + (header ? 1 : 0); ++i)
    {
        pList->SetColumnWidth(i, LVSCW_AUTOSIZE);
        const int a = pList->GetColumnWidth(i);
        pList->SetColumnWidth(i, LVSCW_AUTOSIZE_USEHEADER);
        const int h = pList->GetColumnWidth(i);
        const CString heading = header ? Heading(header, i) : CString();
        int total = 0;
        int longest = 0;
        int line = 0;
        for (int k = 0; k <= heading.GetLength(); ++k)
        {
            if (k == heading.GetLength() || heading[k] == '\n')
            {
                longest = std::max(longest, line);
                line = 0;
            }
            else
            {
                ++total;
                ++line;
            }
        }
        const int w = (total < 1 || total == longest) ? h : (longest * h + 2) / total;
        const int width = std::max(a, w);
        pList->SetColumnWidth(i, width);
        if (i < count)
        {
            sum += width;
            lastWidth = width;
        }
    }
    if (header)
        pList->DeleteColumn(count);
    if (fillWidth && count > 0 && client.Width() > sum)
        pList->SetColumnWidth(count - 1, lastWidth + client.Width() - sum);
    pList->SetRedraw(TRUE);
}

// ---------------------------------------------------------------------------------------
// Exports, through the list view's writers and printer.

namespace
{
// "<folder><name>.<extension>", the folder being the documents folder when none is set.
CString ExportPath(const CString& folder, const char* name, const char* extension)
{
    CString path;
    path.Format("%s%s.%s", folder.IsEmpty() ? GetDocumentsFolder().GetString() : folder.GetString(),
                name ? name : "", extension);
    return path;
}
} // namespace

bool CMyListCtrl::ExportCsv(const char* name)
{
    const CString path = ExportPath(m_ExportFolder, name, "CSV");
    m_ExportError.Empty();
    if (WriteListCsv(*this, path, false))
        return true;
    m_ExportError.Format("The file \"%s\" could not be written.", path.GetString());
    return false;
}

bool CMyListCtrl::ExportExcel(const char* name)
{
    const CString path = ExportPath(m_ExportFolder, name, "XLS");
    m_ExportError.Empty();
    CString error;
    if (WriteListWorkbook(*this, path, "Grid On Grid", &error))
        return true;
    m_ExportError.Format("The workbook \"%s\" could not be written.", path.GetString());
    if (!error.IsEmpty())
        m_ExportError += "\n" + error;
    return false;
}

bool CMyListCtrl::Print(CStringArray* titleLines)
{
    ListPrintStyle style;
    style.fitFont = false;
    style.titleWeight = 700;
    style.headingWeight = 600;
    style.rowWeight = 500;
    style.titleLines = titleLines;
    ListPrintLayout layout;
    const CString title = titleLines && titleLines->GetSize() > 0 ? titleLines->GetAt(0) : CString("List");
    return PrintListWithDialog(*this, this, title, style, layout);
}

void CMyListCtrl::AutoSizeColumns()
{
    SetRedraw(FALSE);
    ::AutoSizeColumns(this, true);
    SetRedraw(TRUE);
}
