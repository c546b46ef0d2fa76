// CLargeGpsPane: the receiver's last position read out in large text: latitude and longitude
// in the user's angle notation, height, fix quality, satellites, HDOP, time and date. While the
// receiver is silent beyond its time-out the values show in red.
#pragma once

#include "outside/gps/GpsPane.h"

class CLargeGpsPane : public CGpsPane
{
public:
    enum ROW
    {
        ROW_LATITUDE,
        ROW_LONGITUDE,
        ROW_HEIGHT,
        ROW_QUALITY,
        ROW_SATELLITES,
        ROW_HDOP,
        ROW_TIME,
        ROW_DATE,
        ROW_COUNT
    };
    // How often the time-out is looked at while nothing arrives (ms).
    static constexpr UINT TIMEOUT_CHECK_MS = 1000;

    CLargeGpsPane();
    ~CLargeGpsPane() override;

    // The pane for a receiver that stays alive as long as the pane.
    BOOL Create(CGps* pGps, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);
    BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE,
                CCreateContext* pContext = nullptr) override;

    void SetGps(CGps* pGps) { m_pGps = pGps; }
    CGps* GetGps() const { return m_pGps; }

    // Reads the receiver given to Create and repaints.
    void Update();
    // Reads this receiver instead (it becomes the pane's receiver).
    void Update(CGps* pGps) override;

    static const char* GetLabel(int row);
    CString GetValueText(int row) const { return row >= 0 && row < ROW_COUNT ? m_Values[row] : CString(); }
    bool IsShowingTimeout() const { return m_bTimedOut; }
    // The fix quality of GGA as a word.
    static CString QualityText(int quality);

    // Where a row's value is drawn in a client rectangle of the surface.
    CRect ValueRect(const CRect& rcClient, int row) const;
    void Draw(CDC* pDC, const CRect& rcClient) override;

    static COLORREF TimeoutColour() { return RGB(220, 0, 0); }

protected:
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    CGps* m_pGps = nullptr;
    CString m_Values[ROW_COUNT];
    bool m_bTimedOut = true;
};
