// CUdpPortPane: the UDP inputs of the program: a table of the local ports with their names,
// whether each is enabled and what it receives, editable in place, above the lines received on
// them. A changed port or name is applied at once (the input reopened) and the list file
// "UDP Ports.UDP" rewritten whole; enabling or disabling starts or stops the input.
#pragma once

#include "outside/communication/PortPane.h"

class CUdpArray;
class CUdpReader;

class CUdpPortPane : public CPortPane
{
public:
    enum COLUMN
    {
        COLUMN_PORT,
        COLUMN_NAME,
        COLUMN_ENABLED,
        COLUMN_RECEIVING,
        COLUMN_COUNT
    };
    CUdpPortPane() = default;

    // The pane for a reader array that stays alive as long as the pane.
    BOOL Create(CUdpArray* pUdpArray, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);
    using CPortPane::Create;

    void SetUdpArray(CUdpArray* pUdpArray) { m_pUdpArray = pUdpArray; }
    CUdpArray* GetUdpArray() const { return m_pUdpArray; }

    // The readers were loaded again: the table shows them afresh, and an input that could not
    // be opened is told once in the frame's status bar, with the system's reason.
    void Reset();

    // The reader a table row shows; null when there is none.
    CUdpReader* GetRowReader(int nRow) const;
    // Writes the list file whole from the readers; false when it cannot be written (the old
    // file is then kept).
    bool SaveList() const;

protected:
    bool IsOwnPort(int nPort) const override;
    void AddTableColumns() override;
    int GetPortCount() const override;
    void SetRowTexts(int nRow) override;
    bool ApplyEdit(int nRow, int nColumn, const CString& text, CString& strRefusal) override;
    void GetChoices(int nRow, int nColumn, CStringList& choices) override;

private:
    // Every enabled input that could not be opened, and why, in the frame's status bar.
    void TellOpenFailures();

    CUdpArray* m_pUdpArray = nullptr;
};
