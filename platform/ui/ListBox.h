// CListBox: the list box ("ListBox" window class) over a QListWidget: Windows-1252 items with a
// pointer-sized value each, single selection, or several with LBS_MULTIPLESEL (a click
// toggles an item) or LBS_EXTENDEDSEL (Shift and Ctrl extend). With LBS_SORT, AddString keeps
// the items sorted without regard to case.
//
// Notifications to the parent (WM_COMMAND), only with LBS_NOTIFY: LBN_SELCHANGE when the user
// changes the selection, LBN_DBLCLK on a double click on an item; LBN_SETFOCUS and
// LBN_KILLFOCUS always.
#pragma once

#include "platform/ui/Wnd.h"

class PLATFORM_API CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int AddString(LPCTSTR lpszItem);
    // nIndex -1 appends. Never sorts.
    int InsertString(int nIndex, LPCTSTR lpszItem);
    // The number of items left, or LB_ERR.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetText(int nIndex, LPTSTR lpszBuffer) const;
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);

    // Single-selection boxes.
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // Multiple-selection boxes. nIndex -1 selects or clears every item.
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    // Fills up to nMaxItems indexes of selected items; returns how many.
    int GetSelItems(int nMaxItems, LPINT rgIndex) const;
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem);
    int GetCaretIndex() const;
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE);

    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);

    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
};
