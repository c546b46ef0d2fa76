// CProgressCtrl: the progress bar ("msctls_progress32" window class) over a QProgressBar. The
// position stays within the range (0 to 100 until set); StepIt that passes the end of the
// range starts again from its other end.
#pragma once

#include "platform/ui/Wnd.h"

#ifndef PBM_GETSTEP
#define PBM_GETSTEP (WM_USER + 13)
#endif
#ifndef PBM_GETBARCOLOR
#define PBM_GETBARCOLOR (WM_USER + 15)
#define PBM_GETBKCOLOR (WM_USER + 14)
#endif

struct PBRANGE
{
    int iLow;
    int iHigh;
};
using PPBRANGE = PBRANGE*;

class PLATFORM_API CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // 16-bit range (0 to 65535), as PBM_SETRANGE takes it.
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    // Each returns the previous position.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int StepIt();
    // Returns the previous step (10 at first).
    int SetStep(int nStep);
    int GetStep() const;
    // CLR_DEFAULT returns to the system's colours. Each returns the previous colour.
    COLORREF SetBarColor(COLORREF clrBar);
    COLORREF SetBkColor(COLORREF clrNew);
    COLORREF GetBarColor() const;
    COLORREF GetBkColor() const;
    BOOL SetMarquee(BOOL fMarqueeMode, int nInterval);
};
