// CMFCStatusBar / CStatusBar: a row of indicator panes along the bottom of a frame. Pane texts
// come from the string tables by indicator id; SetPaneText repaints the pane at once.
#pragma once

#include "platform/ui/FrameStyles.h"
#include "platform/ui/Wnd.h"

#include <vector>

class QLabel;

#define ID_SEPARATOR 0
#define SBPS_NORMAL 0x0000u
#define SBPS_NOBORDERS 0x0100u
#define SBPS_POPOUT 0x0200u
#define SBPS_OWNERDRAW 0x1000u
#define SBPS_DISABLED 0x04000000u
#define SBPS_STRETCH 0x08000000u

class PLATFORM_API CMFCStatusBar : public CWnd
{
    DECLARE_DYNAMIC(CMFCStatusBar)
public:
    CMFCStatusBar();
    ~CMFCStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id, its text the id's string (empty for separators and unknown ids); the
    // first separator stretches. FALSE without a window.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    // The pane of the id, or -1.
    int CommandToIndex(UINT nIDFind) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    int GetPaneWidth(int nIndex) const;
    void SetPaneWidth(int nIndex, int cx);
    // FALSE for an index out of range.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    // Where the pane is, in the bar's client coordinates (empty when out of range).
    void GetItemRect(int nIndex, LPRECT lpRect) const;

private:
    struct Pane
    {
        UINT id = 0;
        UINT style = 0;
        int width = 0;
        CString text;
        QLabel* label = nullptr;
    };
    void ShowPane(Pane& pane);

    std::vector<Pane> m_panes;
    QWidget* m_pRow = nullptr;
};

class PLATFORM_API CStatusBar : public CMFCStatusBar
{
    DECLARE_DYNAMIC(CStatusBar)
};
