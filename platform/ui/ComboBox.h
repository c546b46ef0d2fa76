// Combo boxes: CComboBox over the "ComboBox" window class (CBS_DROPDOWN with an edit field,
// CBS_DROPDOWNLIST with a list only, CBS_SIMPLE) and CComboBoxEx over "ComboBoxEx32", whose
// items carry images from a CImageList. Both are a QComboBox.
//
// The window's height is the height of its selection field; the height given at creation is
// the extent of the drop-down list, as on Windows. Items are Windows-1252 texts with one
// pointer-sized value each (SetItemData). With CBS_SORT, AddString keeps the list sorted
// without regard to case.
//
// Notifications to the parent (WM_COMMAND): CBN_SELCHANGE when the user changes the selection
// (not when the program does), CBN_SELENDOK when the user picks an item, CBN_DROPDOWN before
// the list opens and CBN_CLOSEUP after it closes, CBN_EDITUPDATE and CBN_EDITCHANGE when the
// user edits the text, CBN_SETFOCUS and CBN_KILLFOCUS.
#pragma once

#include "platform/ui/Wnd.h"

class CImageList;
class CEdit;

// CComboBoxEx messages and records.
#define CBEM_INSERTITEM (WM_USER + 1)
#define CBEM_SETIMAGELIST (WM_USER + 2)
#define CBEM_GETIMAGELIST (WM_USER + 3)
#define CBEM_GETITEM (WM_USER + 4)
#define CBEM_SETITEM (WM_USER + 5)
#define CBEM_DELETEITEM CB_DELETESTRING
#define CBEM_GETCOMBOCONTROL (WM_USER + 6)
#define CBEM_GETEDITCONTROL (WM_USER + 7)
#define CBEM_SETEXSTYLE (WM_USER + 8)
#define CBEM_GETEXSTYLE (WM_USER + 9)
#define CBEM_SETEXTENDEDSTYLE (WM_USER + 14)
#define CBEM_GETEXTENDEDSTYLE (WM_USER + 9)
#define CBEM_HASEDITCHANGED (WM_USER + 10)

#define CBEIF_TEXT 0x00000001u
#define CBEIF_IMAGE 0x00000002u
#define CBEIF_SELECTEDIMAGE 0x00000004u
#define CBEIF_OVERLAY 0x00000008u
#define CBEIF_INDENT 0x00000010u
#define CBEIF_LPARAM 0x00000020u
#define CBEIF_DI_SETITEM 0x10000000u

#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1)))
#define I_IMAGECALLBACK (-1)
#define I_IMAGENONE (-2)

struct COMBOBOXEXITEM
{
    UINT mask;
    INT_PTR iItem;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int iOverlay;
    int iIndent;
    LPARAM lParam;
};
using COMBOBOXEXITEMA = COMBOBOXEXITEM;
using PCOMBOBOXEXITEM = COMBOBOXEXITEM*;
using PCCOMBOBOXEXITEM = const COMBOBOXEXITEM*;

class PLATFORM_API CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items. Indexes are 0-based; CB_ERR (-1) reports a bad index or no selection.
    int GetCount() const;
    int AddString(LPCTSTR lpszString);
    // nIndex -1 appends. Never sorts.
    int InsertString(int nIndex, LPCTSTR lpszString);
    // The number of items left, or CB_ERR.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);

    // Selection. SetCurSel(-1) clears it (and returns CB_ERR).
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // The first item after nStartAfter (-1: from the top) that begins with the text, or
    // equals it, without regard to case; the search wraps round. CB_ERR when none.
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    // Selects what FindString finds; CB_ERR (selection unchanged) when nothing does.
    int SelectString(int nStartAfter, LPCTSTR lpszString);

    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT lprect) const;
    int SetDroppedWidth(UINT nWidth);
    int GetDroppedWidth() const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    int GetItemHeight(int nIndex) const;
    int SetExtendedUI(BOOL bExtended = TRUE);
    BOOL GetExtendedUI() const;
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);

    // The edit field of CBS_DROPDOWN boxes.
    BOOL LimitText(int nMaxChars);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
    void Clear();
    void Copy();
    void Cut();
    void Paste();
};

class PLATFORM_API CComboBoxEx : public CComboBox
{
    DECLARE_DYNAMIC(CComboBoxEx)
public:
    CComboBoxEx() = default;

    using CComboBox::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // Items with text, image, selected image, indent and value (lParam) by the mask.
    // iItem -1 appends. Returns the index, -1 on failure.
    int InsertItem(const COMBOBOXEXITEM* pCBItem);
    BOOL SetItem(const COMBOBOXEXITEM* pCBItem);
    // Fills what the mask asks for; pszText must point to cchTextMax bytes.
    BOOL GetItem(COMBOBOXEXITEM* pCBItem);
    int DeleteItem(int iIndex);

    // The list's images (not owned: it must outlive the box); returns the previous list.
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles);
    DWORD GetExtendedStyle() const;
    BOOL HasEditChanged();
    CComboBox* GetComboBoxCtrl();
    CEdit* GetEditCtrl();
};
