// CGeodeticView: the client area of the Geodetic program, a report list that works as a
// co-ordinate spreadsheet. The column assignment and the conversions are the sheet's
// (GeodeticSheet.h); the view adds the heading and body menus and the file commands.
#pragma once

#include "geodetic/GeodeticSheet.h"

#include "foundation/InPlaceEdit.h"
#include "foundation/MyListView.h"

class CDatum;
class CProjection;
class CSpheroid;

// Commands of the two context menus.
enum GEODETIC_VIEW_COMMAND
{
    IDM_SHEET_TITLE = 1000, // owner-drawn section titles
    IDM_SHEET_LOAD_CSV = 1,
    IDM_SHEET_DELETE_ROWS = 8,
    IDM_SHEET_SAVE_CSV = 9,
    IDM_SHEET_SAVE_EXCEL = 10,
    IDM_SHEET_PRINT = 11,
    IDM_HEADING_CLEAR = 100,
    IDM_HEADING_DELETE_COLUMN = 200,
    IDM_HEADING_INSERT_COLUMN = 201,
    // The column kinds of the heading menu: this plus the kind (0 "Label" to 15 "Height"). A
    // menu closed without a choice returns 0, so no choice may have that id.
    IDM_HEADING_KIND = 300
};

class CGeodeticView : public CMyListView
{
    DECLARE_DYNCREATE(CGeodeticView)

public:
    CGeodeticView();
    ~CGeodeticView() override;

    // The working geodetic objects of the frame (not owned).
    void SetGeodeticObjects(CDatum* datum, CProjection* projection, CSpheroid* spheroid);

    void RescanHeadings() { m_Sheet.RescanHeadings(GetListCtrl()); }
    void ApplyHeadings() { m_Sheet.ApplyHeadings(GetListCtrl()); }
    double GetRowLatitude(int row) { return m_Sheet.GetRowLatitude(GetListCtrl(), row); }
    double GetRowLongitude(int row) { return m_Sheet.GetRowLongitude(GetListCtrl(), row); }

    // "Load CSV File": a co-ordinate file chosen by the user, loaded, headings applied; the
    // main window is titled with the file's path. False when cancelled.
    bool LoadCoordinateFile();
    // Loads that file (a Windows path) as the chosen one is loaded.
    void LoadCoordinateFile(const char* path);

    // The heading menu of column `column` at a screen point, and its choice carried out.
    void OnHeadingMenu(int column, CPoint screen);
    // The body menu at a screen point, and its choice carried out.
    void OnBodyMenu(CPoint screen);
    // A choice of either menu, as the menus carry it out.
    void DoHeadingCommand(int column, UINT command);
    void DoBodyCommand(UINT command);

    // Day colours (grey background, black text) or night colours (black, light grey).
    void SetNightMode(bool night);

    // Opens the in-place editor on a cell (as a double click, F2, or a click on the selected
    // row does). When the edit ends, the cell takes the text and, for an input cell, the row is
    // converted again. False when the cell does not exist or an edit is open.
    bool EditCell(int item, int column);
    CInPlaceEdit& GetCellEdit() { return m_CellEdit; }

    CGeodeticSheet& GetSheet() { return m_Sheet; }

    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    // The column assignment, the output columns and the working objects, in that order.
    CGeodeticSheet m_Sheet;

private:
    // A first row that holds the file's headings becomes the headings; true when it did.
    bool TakeHeadingLine();
    // The refused cells repainted, and the first of them, with its reason, in the status bar.
    void ShowProblems();
    CInPlaceEdit m_CellEdit;
    // The column that F2 edits: the one clicked last.
    int m_nEditColumn = 0;
    bool m_bNight = false;
    // Puts the heading menu on the list's header (right clicks there reach OnHeadingMenu).
    void HookHeader();
};
