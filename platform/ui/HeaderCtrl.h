// CHeaderCtrl: the column header of a report-view list (CListCtrl). Its items are the list's
// columns: text, format (HDF_*), width and a pointer-sized value each. The header is not a
// window of its own here; it reaches its list's columns through the list's window. Binding a
// header object to a list (a derived header, in place of subclassing the header window) makes
// it the list's header: GetHeaderCtrl gives it and its DrawItem draws the HDF_OWNERDRAW items.
#pragma once

#include "platform/ui/Wnd.h"

#define HDI_WIDTH 0x0001u
#define HDI_HEIGHT HDI_WIDTH
#define HDI_TEXT 0x0002u
#define HDI_FORMAT 0x0004u
#define HDI_LPARAM 0x0008u
#define HDI_IMAGE 0x0020u
#define HDI_ORDER 0x0080u

// DRAWITEMSTRUCT.CtlType of header items.
#define ODT_HEADER 100

#define HDF_LEFT 0x0000
#define HDF_RIGHT 0x0001
#define HDF_CENTER 0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_OWNERDRAW 0x8000
#define HDF_STRING 0x4000
#define HDF_BITMAP 0x2000
#define HDF_BITMAP_ON_RIGHT 0x1000
#define HDF_IMAGE 0x0800

struct HDITEM
{
    UINT mask;
    int cxy;
    LPSTR pszText;
    HBITMAP hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
    int iImage;
    int iOrder;
};
using HD_ITEM = HDITEM;
using LPHDITEM = HDITEM*;

class CListCtrl;
class CFont;

class PLATFORM_API CHeaderCtrl : public CObject
{
public:
    CHeaderCtrl() = default;
    // Unbinds the header from its list.
    ~CHeaderCtrl() override;

    // Makes this object the header of the list window (null unbinds it).
    void Bind(HWND hWndList);
    HWND GetListWindow() const { return m_hWndList; }
    BOOL IsBound() const { return m_hWndList != nullptr; }

    int GetItemCount() const;
    // Reads the fields that pItem->mask names; text is cut to cchTextMax - 1 bytes.
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    // The header's height in pixels; it follows the font's height and the most lines of any
    // heading.
    int GetHeight() const;
    // The headings' font (the font must outlive its use); the header grows to hold the
    // tallest heading's lines in it.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);

    // Owner-drawn items (HDF_OWNERDRAW) are drawn by this; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

private:
    HWND m_hWndList = nullptr;
};
