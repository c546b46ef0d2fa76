// CPortPane: the base of the port panes: a docking pane with an editable table of the ports
// above a scrolling list of the lines received on them. Lines are kept in a bounded store and
// shown a few times a second, so a fast input costs little and a long run does not grow.
#pragma once

#include "foundation/MyListCtrl.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/ListCtrl.h"

#include <deque>
#include <map>

class CMenu;

class CPortPane : public CDockablePane
{
public:
    // Lines kept and shown; older ones are dropped.
    static constexpr int MAX_LINES = 500;
    // How often new lines reach the list (ms).
    static constexpr UINT REFRESH_MS = 250;
    // Ids of the two lists (they also name their column-state settings files).
    static constexpr UINT IDC_PORT_TABLE = 1801;
    static constexpr UINT IDC_RECEIVED_LINES = 1802;
    enum
    {
        LINE_COLUMN_PORT,
        LINE_COLUMN_TYPE,
        LINE_COLUMN_DATA
    };

    // Right-click menu command of every port pane; a pane's own commands take other numbers.
    enum
    {
        ID_CLEAR_LINES = 2
    };

    // A table column: its heading and starting width (pixels).
    struct ColumnDef
    {
        const char* heading;
        int width;
    };

    struct LineDef
    {
        int nPort;
        CString strType;
        CString strText; // without its line end
        bool bHighlight;
    };

    CPortPane();
    ~CPortPane() override;

    BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE,
                CCreateContext* pContext = nullptr) override;

    // Keeps a received line of one of this pane's ports (any port while the pane has no port
    // list) with its port and type text; `bHighlight` shows it in red. Never opens a window,
    // and costs no drawing until the next refresh.
    void AddString(int nPort, LPCTSTR lpszType, LPCTSTR lpszLine, bool bHighlight);
    // Shows the kept lines now instead of at the next refresh.
    void FlushLines();
    // Forgets every kept line.
    void ClearLines();

    int GetLineCount() const { return static_cast<int>(m_Lines.size()); }
    const LineDef& GetLine(int i) const { return m_Lines.at(static_cast<size_t>(i)); }
    // The type text last received on a port; empty when none.
    CString GetLastType(int nPort) const;
    // Lines received on a port since the pane was made.
    long GetLineTotal(int nPort) const;

    void SetDaylightMode() { SetNightMode(false); }
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }

    CMyListCtrl& GetTable() { return m_Table; }
    CListCtrl& GetLineList() { return m_LineList; }

    // Applies an edited table cell to the port it shows. False, with the cell put back, when
    // the text is no valid value for the column or the port has gone; a refused value is
    // explained to the user in a message box that says which value stays, shown once the
    // cell's editor has closed (posted to the pane).
    bool EditCell(int nRow, int nColumn, const char* text);
    // Shows the ports in the table (rows are made or dropped only when their number changed,
    // so the selection stays).
    void UpdateTable();

protected:
    // True when the line of a port belongs in this pane.
    virtual bool IsOwnPort(int nPort) const = 0;
    virtual void AddTableColumns() = 0;
    // The number of ports, one a row in their order.
    virtual int GetPortCount() const = 0;
    // Sets every cell of a row (its item data: the port number) from its port.
    virtual void SetRowTexts(int nRow) = 0;
    // Applies a cell's text to the row's port; false when refused, with what the user is told
    // in `strRefusal` (left empty for a cell no user edits).
    virtual bool ApplyEdit(int nRow, int nColumn, const CString& text, CString& strRefusal) = 0;
    virtual void GetChoices(int nRow, int nColumn, CStringList& choices) = 0;
    // The pane's own right-click menu items, put above "Clear Received Data", and the command
    // of one of them when chosen.
    virtual void AddMenuItems(CMenu& menu) { (void)menu; }
    virtual void OnMenuCommand(UINT nID) { (void)nID; }

    // Adds the table's columns, left-aligned, in their order.
    void AddColumns(const ColumnDef* columns, int count);

    void OnContextMenu(CWnd* pWnd, CPoint point);
    LRESULT OnShowRefusal(WPARAM wParam, LPARAM lParam);
    LRESULT OnListSetItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnListValidate(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLinesCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CMyListCtrl m_Table;
    CListCtrl m_LineList;
    bool m_bNight = false;

private:
    std::deque<LineDef> m_Lines;
    std::deque<CString> m_Refusals; // told to the user by OnShowRefusal, in order
    std::map<int, CString> m_LastType;
    std::map<int, long> m_LineTotals;
    int m_nShown = 0;      // rows of the line list that show kept lines
    int m_nDropped = 0;    // lines dropped since the last refresh
    bool m_bDirty = false; // lines arrived since the last refresh
    unsigned m_nTicks = 0; // refresh timer ticks
};

// "Yes" / "No" of a flag, and back (-1 for anything else).
CString YesNoText(bool value);
int ParseYesNo(const CString& text);
// A whole number in the text (blanks around allowed); false when there is none or more.
bool ParseWholeNumber(const CString& text, long& value);
