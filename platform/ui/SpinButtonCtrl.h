// CSpinButtonCtrl: the up-down control ("msctls_updown32" window class): two arrow buttons
// that step a position within a range, optionally shown in a buddy window's text.
//
// A click (or a held button, repeating) first sends WM_NOTIFY UDN_DELTAPOS (NMUPDOWN: the
// position and the proposed change) to the parent, which may return nonzero to refuse the
// step; then the position moves (clamped to the range, or wrapped with UDS_WRAP), the buddy
// shows it (UDS_SETBUDDYINT, with thousands separators unless UDS_NOTHOUSANDS), and the parent
// gets WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION and the position, then
// SB_ENDSCROLL when the button is let go. The up arrow moves towards the upper end of the range
// given to SetRange, which may be below the lower end (the range starts as 100 to 0, so that
// the up arrow counts down until a range is set). With a buddy whose text is the position,
// GetPos reads the buddy's text.
#pragma once

#include "platform/ui/Wnd.h"

struct UDACCEL
{
    UINT nSec;
    UINT nInc;
};
using LPUDACCEL = UDACCEL*;

#define UD_MAXVAL 0x7FFF
#define UD_MINVAL (-UD_MAXVAL)

class PLATFORM_API CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Returns the previous buddy. With UDS_ALIGNRIGHT or UDS_ALIGNLEFT the control moves to
    // that side of the buddy, which gives up the room.
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    // 10 or 16; returns the previous base, 0 for another value.
    int SetBase(int nBase);
    UINT GetBase() const;
    BOOL SetAccel(int nAccel, UDACCEL* pAccel);
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const;

    // Each SetPos returns the previous position.
    int SetPos(int nPos);
    int GetPos() const;
    int SetPos32(int nPos);
    // *lpbError is TRUE when the buddy's text is no position.
    int GetPos32(BOOL* lpbError = nullptr) const;
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    DWORD GetRange() const;
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const;
};
