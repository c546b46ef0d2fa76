// CMyListCtrl: the report-view table of the suite. On top of the list control it adds per-column
// edit kinds with in-place editors, the UM_LIST_* protocol through which the owner fills combo
// choices, supplies images, vetoes, validates and answers cell buttons; colour schemes with a
// day and a night variant; row and column colouring; and a column-state file on destruction.
//
// Every edit message carries wParam = MAKELONG(column, item) and is sent first to the list,
// then to its parent: UM_LIST_START_EDIT (lParam: bool*, set false to veto), UM_LIST_SET_ITEMS
// (CStringList*), UM_LIST_IMAGE_LIST (CImageList**; the parent is asked only while it is still
// null), UM_LIST_VALIDATE (wParam: the list's id, lParam: the NMLVDISPINFO; the cell already
// holds the text) and UM_LIST_BUTTON_PRESS (parent only; wParam item, lParam column).
#pragma once

#include "foundation/InPlaceAngleEdit.h"
#include "foundation/InPlaceButton.h"
#include "foundation/InPlaceCombo.h"
#include "foundation/InPlaceEdit.h"
#include "foundation/MyHeaderCtrl.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListCtrl.h"

class CImageList;

class CMyListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CMyListCtrl)
public:
    CMyListCtrl();
    ~CMyListCtrl() override;

    // Column-kind sets (column indexes), filled by the owner before editing starts. A column in
    // several sets takes the first in this order: combo, button, read-only, latitude,
    // longitude, number.
    CList<int, int> m_NumberColumns;
    CList<int, int> m_LatitudeColumns;
    CList<int, int> m_LongitudeColumns;
    CList<int, int> m_ComboColumns;
    CList<int, int> m_ButtonColumns;
    CList<int, int> m_ReadOnlyColumns;

    bool m_bEditing = false;
    int m_ButtonItem = -1;
    int m_ButtonColumn = -1;
    bool m_bRowColourByData = false;
    COLORREF m_AlternateRowColour = 0;
    COLORREF m_HighlightBackColour = 0;
    COLORREF m_HighlightTextColour = 0;
    COLORREF m_ImageOneColour = 0;
    // 1: each column's background is its header item's data (when non-zero and not its index).
    int m_ColumnColourMode = 0;
    int m_HighlightRow = -1;
    int m_AngleFormat = 0;
    bool m_bNight = false;
    int m_ColourScheme = 1;

    static constexpr DWORD EDIT_STYLE = 0x1C0;
    static constexpr DWORD BUTTON_STYLE = 0x50008000;
    static constexpr DWORD COMBO_STYLE = 0x508008C3;
    static constexpr UINT BUTTON_ID = 1000;

    // Appends a column; alignment & 3 is its LVCFMT_* alignment. Returns its index.
    int AddColumn(LPCTSTR lpszHeading, int nAlignment);
    // The same for each heading in order, the header set up once for all of them (a matrix of
    // hundreds of columns would otherwise set the header up once a column).
    void AddColumns(const CStringArray& headings, int nAlignment);
    void SetupHeader();
    // 0..6 (white, grey, green, blue, purple, red, yellow); others change nothing.
    void SetColourScheme(int nScheme);
    // The cell under a client point; false when none.
    bool HitTestCell(CPoint point, int& nItem, int& nColumn);
    // The cell's rectangle for an editor, after scrolling it into view horizontally.
    CRect GetCellRect(int nColumn, int nItem);
    bool SaveColumnState();

    // Exports of the rows: "<m_ExportFolder><name>.CSV", one comma-separated line a row; and
    // "<m_ExportFolder><name>.XLS", a workbook whose table "Grid On Grid" holds the headings
    // and the rows. Each file is written whole or not at all; false, with the reason in
    // m_ExportError, when it was not.
    bool ExportCsv(const char* name);
    bool ExportExcel(const char* name);
    // Prints the rows (after the print dialog) in 12-point "Tahoma": the title lines in weight
    // 700, the headings in 600, the rows in 500, the columns scaled to the page's width, as
    // many pages as it takes. False when nothing was printed.
    bool Print(CStringArray* titleLines = nullptr);
    // Redraw off, every column sized to its widest content or heading, the last one taking
    // the rest of the width.
    void AutoSizeColumns();
    CString m_ExportFolder; // the documents folder unless the owner says otherwise
    CString m_ExportError;
    // The most lines of any heading (at least 1), as SetupHeader last counted them.
    int GetHeaderLines() const { return m_HeaderLines; }
    // Header background and text of the current scheme.
    COLORREF GetHeaderBackColour() const { return m_Header.m_BackColour; }
    COLORREF GetHeaderTextColour() const { return m_Header.m_TextColour; }

    // This list's editors (each list has its own, so closing one list never pulls an editor
    // from under another).
    CInPlaceEdit& GetInPlaceEdit() { return m_Edit; }
    CInPlaceAngleEdit& GetInPlaceAngleEdit() { return m_AngleEdit; }
    CInPlaceCombo& GetInPlaceCombo() { return m_Combo; }
    CInPlaceButton& GetInPlaceButton() { return m_Button; }

protected:
    // Appends a column as AddColumn does, leaving the header's set-up to the caller.
    int InsertHeading(LPCTSTR lpszHeading, int nAlignment);
    void PreSubclassWindow() override;
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    // The background: the list's colour, then the column colours or the alternate row bands.
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnButtonPress();
    DECLARE_MESSAGE_MAP()

    LRESULT SendToBoth(UINT message, WPARAM wParam, LPARAM lParam);
    static bool InSet(const CList<int, int>& set, int column);
    void ShowInPlaceEdit(int nItem, int nColumn, LPCTSTR lpszAllowed, LPCTSTR lpszText);
    void ShowInPlaceAngleEdit(int nItem, int nColumn, int angleType, LPCTSTR lpszText);
    void ShowInPlaceButton(int nItem, int nColumn, LPCTSTR lpszText);
    void ShowInPlaceCombo(int nItem, int nColumn, const CStringList& choices, CImageList* pImages,
                          LPCTSTR lpszText);

    CFont m_HeaderFont;
    CMyHeaderCtrl m_Header;
    int m_HeaderLines = 1;
    CInPlaceEdit m_Edit;
    CInPlaceAngleEdit m_AngleEdit;
    CInPlaceCombo m_Combo;
    CInPlaceButton m_Button;
};

// Custom draw of a list that colours cells: asks for the sub-item stage, and returns the
// notification only there (null, with the answer set, at every other stage).
NMLVCUSTOMDRAW* SubItemPrePaint(NMHDR* pNMHDR, LRESULT* pResult);
// The cell of a report list under a client point; false when none. Columns are tried in index
// order and both ends of a column's span belong to it.
bool HitTestListCell(CListCtrl& list, CPoint point, int& nItem, int& nColumn);
// A cell's rectangle for an in-place editor, after scrolling the list so that it shows.
CRect GetListCellRect(CListCtrl& list, int nColumn, int nItem);

// Sizes every column to the larger of its content and its heading's longest line; with
// fillWidth the last column takes what is left of the client width.
void AutoSizeColumns(CListCtrl* pList, bool fillWidth);
