// CSliderCtrl: the track bar ("msctls_trackbar32" window class) over a QSlider. A vertical one
// (TBS_VERT) has its minimum at the top, as on Windows.
//
// When the user moves the thumb, the parent gets WM_HSCROLL (WM_VSCROLL when vertical) with
// the TB_* code in the low word of wParam, the position in the high word for TB_THUMBTRACK and
// TB_THUMBPOSITION, and the slider's handle in lParam; every move ends with TB_ENDTRACK. The
// position has changed when the message arrives. Programmatic changes send nothing.
#pragma once

#include "platform/ui/Wnd.h"

#ifndef TBM_GETNUMTICS
#define TBM_GETNUMTICS (WM_USER + 16)
#endif

class PLATFORM_API CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetPos() const;
    void SetPos(int nPos);
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void GetRange(int& nMin, int& nMax) const;
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE);
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    // Each returns the previous size.
    int SetLineSize(int nSize);
    int GetLineSize() const;
    int SetPageSize(int nSize);
    int GetPageSize() const;
    void SetTicFreq(int nFreq);
    BOOL SetTic(int nTic);
    void ClearTics(BOOL bRedraw = FALSE);
    UINT GetNumTics() const;
};
