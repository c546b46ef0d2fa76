// CListCtrl: the report view of the common list control ("SysListView32" window class) over
// a Qt table view with its own row model, so that tens of thousands of rows fill quickly
// (turn redraw off with SetRedraw(FALSE) during a fill; nothing sizes columns per row).
//
// Columns have a heading, a format (LVCFMT_*), a width and a value kept by the header
// (CHeaderCtrl). Items have texts per sub-item, a value (LPARAM), an image index and a state;
// LVIS_SELECTED and LVIS_FOCUSED are the view's selection and current row.
//
// Notifications to the parent (WM_NOTIFY, reflected to the list first): NM_CLICK, NM_RCLICK
// and NM_DBLCLK (NMITEMACTIVATE) on mouse presses; NM_CUSTOMDRAW (NMLVCUSTOMDRAW) while the
// rows paint: CDDS_PREPAINT once per paint, then, when answered with CDRF_NOTIFYITEMDRAW or
// CDRF_NOTIFYSUBITEMDRAW, CDDS_ITEMPREPAINT per row and CDDS_ITEMPREPAINT|CDDS_SUBITEM per
// cell, whose clrText and clrTextBk colour the cell; LVN_BEGINLABELEDIT from EditLabel.
#pragma once

#include "platform/core/List.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/Wnd.h"

class CImageList;
class CEdit;

// List-view styles.
#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_SORTASCENDING 0x0010
#define LVS_SORTDESCENDING 0x0020
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP 0x0080
#define LVS_AUTOARRANGE 0x0100
#define LVS_EDITLABELS 0x0200
#define LVS_OWNERDATA 0x1000
#define LVS_NOSCROLL 0x2000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000

#define LVS_EX_GRIDLINES 0x00000001u
#define LVS_EX_SUBITEMIMAGES 0x00000002u
#define LVS_EX_CHECKBOXES 0x00000004u
#define LVS_EX_TRACKSELECT 0x00000008u
#define LVS_EX_HEADERDRAGDROP 0x00000010u
#define LVS_EX_FULLROWSELECT 0x00000020u
#define LVS_EX_ONECLICKACTIVATE 0x00000040u
#define LVS_EX_DOUBLEBUFFER 0x00010000u

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_IMAGE 0x0800
#define LVCFMT_BITMAP_ON_RIGHT 0x1000
#define LVCFMT_COL_HAS_IMAGES 0x8000

#define LVCF_FMT 0x0001u
#define LVCF_WIDTH 0x0002u
#define LVCF_TEXT 0x0004u
#define LVCF_SUBITEM 0x0008u
#define LVCF_IMAGE 0x0010u
#define LVCF_ORDER 0x0020u

#define LVIS_FOCUSED 0x0001u
#define LVIS_SELECTED 0x0002u
#define LVIS_CUT 0x0004u
#define LVIS_DROPHILITED 0x0008u
// The state image: 1 an unticked, 2 a ticked check box (LVS_EX_CHECKBOXES).
#define LVIS_STATEIMAGEMASK 0xF000u
#define INDEXTOSTATEIMAGEMASK(i) (static_cast<UINT>(i) << 12)

#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

#define LVHT_NOWHERE 0x0001u
#define LVHT_ONITEMICON 0x0002u
#define LVHT_ONITEMLABEL 0x0004u
#define LVHT_ONITEMSTATEICON 0x0008u
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x0008u
#define LVHT_BELOW 0x0010u
#define LVHT_TORIGHT 0x0020u
#define LVHT_TOLEFT 0x0040u

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

#define CLR_NONE 0xFFFFFFFFu
#define CLR_DEFAULT 0xFF000000u

// Custom draw.
#define CDDS_PREPAINT 0x00000001u
#define CDDS_POSTPAINT 0x00000002u
#define CDDS_PREERASE 0x00000003u
#define CDDS_POSTERASE 0x00000004u
#define CDDS_ITEM 0x00010000u
#define CDDS_ITEMPREPAINT (CDDS_ITEM | CDDS_PREPAINT)
#define CDDS_ITEMPOSTPAINT (CDDS_ITEM | CDDS_POSTPAINT)
#define CDDS_SUBITEM 0x00020000u
#define CDRF_DODEFAULT 0x00000000u
#define CDRF_NEWFONT 0x00000002u
#define CDRF_SKIPDEFAULT 0x00000004u
#define CDRF_NOTIFYPOSTPAINT 0x00000010u
#define CDRF_NOTIFYITEMDRAW 0x00000020u
#define CDRF_NOTIFYSUBITEMDRAW 0x00000020u
#define CDRF_NOTIFYPOSTERASE 0x00000040u

// The list-view records and notification codes (shared with the in-place editors).
#define LVN_FIRST (0U - 100U)
#define LVN_BEGINLABELEDIT (LVN_FIRST - 5)
#define LVN_ENDLABELEDIT (LVN_FIRST - 6)
#define LVIF_TEXT 0x00000001u
#define LVIF_IMAGE 0x00000002u
#define LVIF_PARAM 0x00000004u
#define LVIF_STATE 0x00000008u

struct LVITEM
{
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};
using LV_ITEM = LVITEM;
using LPLVITEM = LVITEM*;

struct NMLVDISPINFO
{
    NMHDR hdr;
    LVITEM item;
};
using LV_DISPINFO = NMLVDISPINFO;


#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_KEYDOWN (LVN_FIRST - 55)

struct LVCOLUMN
{
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
};
using LV_COLUMN = LVCOLUMN;

struct LVHITTESTINFO
{
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
    int iGroup;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

struct NMITEMACTIVATE
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

struct NMLISTVIEW
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
using LPNMLISTVIEW = NMLISTVIEW*;
using NM_LISTVIEW = NMLISTVIEW;

struct NMCUSTOMDRAW
{
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
    DWORD_PTR dwItemSpec;
    UINT uItemState;
    LPARAM lItemlParam;
};
using LPNMCUSTOMDRAW = NMCUSTOMDRAW*;

struct NMLVCUSTOMDRAW
{
    NMCUSTOMDRAW nmcd;
    COLORREF clrText;
    COLORREF clrTextBk;
    int iSubItem;
};
using LPNMLVCUSTOMDRAW = NMLVCUSTOMDRAW*;

class PLATFORM_API CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl();
    ~CListCtrl() override;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ----- Columns ----------------------------------------------------------------------
    // The index of the new column, or -1. nWidth -1 leaves the width at 60 pixels.
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    int GetColumnWidth(int nCol) const;
    // cx >= 0 sets the width; LVSCW_AUTOSIZE fits the widest cell of the column,
    // LVSCW_AUTOSIZE_USEHEADER the widest of cells and heading (the last column then fills
    // what is left of the client width).
    BOOL SetColumnWidth(int nCol, int cx);
    // The header (null without a window).
    CHeaderCtrl* GetHeaderCtrl() const;

    // ----- Items ------------------------------------------------------------------------
    int GetItemCount() const;
    // Index of the new item (at most the count), or -1.
    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    // nItem -1 applies to every item.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    int GetSelectedCount() const;
    int GetNextItem(int nItem, int nFlags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);

    // ----- Geometry and scrolling -------------------------------------------------------
    // Client coordinates. LVIR_BOUNDS: the whole row (starting at the scrolled left edge of
    // column 0); LVIR_LABEL / LVIR_ICON: column 0.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetCountPerPage() const;
    int GetTopIndex() const;
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int nFirst, int nLast);

    // ----- Looks ------------------------------------------------------------------------
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    // Check boxes (LVS_EX_CHECKBOXES): a left click on a row's box toggles it, after NM_CLICK
    // has gone to the parent; HitTest reports LVHT_ONITEMSTATEICON there.
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    int GetStringWidth(LPCTSTR lpsz) const;

    // Starts the list's own label editing of an item's first column: LVN_BEGINLABELEDIT to
    // the parent (a non-zero answer cancels). Returns null: the label editor is the owner's.
    CEdit* EditLabel(int nItem);

protected:
    mutable CHeaderCtrl m_DefaultHeader;
};
