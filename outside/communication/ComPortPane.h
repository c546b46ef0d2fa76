// CComPortPane: the serial ports of the program: a table of their settings that the user
// edits in place (enabled, baud rate, data bits, parity, stop bits), with what each port last
// received, above the lines received on them. An edit is applied to the port at once (the
// port reopened with its new settings, under the ports' lock) and saved to its settings file.
// The right-click menu starts a baud-rate search on the selected port or clears the lines.
#pragma once

#include "outside/communication/PortPane.h"

class CComArray;
struct ComDef;

class CComPortPane : public CPortPane
{
public:
    enum COLUMN
    {
        COLUMN_PORT,
        COLUMN_ENABLED,
        COLUMN_BAUD,
        COLUMN_DATA_BITS,
        COLUMN_PARITY,
        COLUMN_STOP_BITS,
        COLUMN_TYPE,
        COLUMN_COUNT
    };
    // Right-click menu command of its own (the pane's lines are cleared by ID_CLEAR_LINES).
    enum
    {
        ID_SEARCH_BAUD_RATE = 1
    };

    CComPortPane() = default;

    // The pane for a port array that stays alive as long as the pane.
    BOOL Create(CComArray* pComArray, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);
    using CPortPane::Create;

    void SetComArray(CComArray* pComArray) { m_pComArray = pComArray; }
    CComArray* GetComArray() const { return m_pComArray; }

    // The port a table row shows; null when there is none.
    ComDef* GetRowPort(int nRow) const;
    // The names a parity index is shown by ("None", "Odd", "Even", "Mark", "Space").
    static const char* ParityName(int parity);

protected:
    bool IsOwnPort(int nPort) const override;
    void AddTableColumns() override;
    int GetPortCount() const override;
    void SetRowTexts(int nRow) override;
    bool ApplyEdit(int nRow, int nColumn, const CString& text, CString& strRefusal) override;
    void GetChoices(int nRow, int nColumn, CStringList& choices) override;
    void AddMenuItems(CMenu& menu) override;
    void OnMenuCommand(UINT nID) override;

private:
    // The port of the selected table row; null when none.
    ComDef* GetSelectedPort() const;

    CComArray* m_pComArray = nullptr;
};
