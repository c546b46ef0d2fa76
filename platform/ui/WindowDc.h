// Device contexts of windows: CPaintDC inside WM_PAINT, CClientDC and CWindowDC at any time.
//
// A self-painting window (see Wnd.h) keeps its pixels in a surface image; these contexts draw
// on it and the widget shows the surface, so what CClientDC draws stays until painted over
// (XOR drawn twice restores the pixels). CPaintDC erases first when erasing is due
// (WM_ERASEBKGND; m_ps.fErase is TRUE when the window did not erase), clips to the invalid
// area (m_ps.rcPaint) and validates it. A window drawn by its Qt widget (a control that does
// not handle WM_PAINT) shows nothing of what these contexts draw.
#pragma once

#include "platform/ui/Dc.h"
#include "platform/ui/WndMessages.h"

class CWnd;

class PLATFORM_API CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

class PLATFORM_API CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The whole window: the same as the client area here, as windows have no frame of their own.
class PLATFORM_API CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
