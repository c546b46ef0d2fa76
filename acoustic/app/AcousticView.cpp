#include "acoustic/app/AcousticView.h"

#include "acoustic/app/PlanDrawing.h"
#include "chart/view/ChartexaStatusBar.h"
#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Dc.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNCREATE(CAcousticView, CView)

BEGIN_MESSAGE_MAP(CAcousticView, CView)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

int CAcousticView::s_WheelCount = 0;

CAcousticView::CAcousticView()
{
    LOGFONT font{};
    font.lfHeight = 90; // tenths of a point
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_TT_ALWAYS;
    font.lfQuality = PROOF_QUALITY;
    std::snprintf(font.lfFaceName, sizeof(font.lfFaceName), "%s", "Verdana");
    m_Font.CreatePointFontIndirect(&font);
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    m_VerticalFont.CreatePointFontIndirect(&font);
    m_WhitePen.CreatePen(PS_SOLID, 1, 0xFFFFFF);
    m_Plot.gridColour = 0x00FF00;
    m_Plot.backgroundColour = m_BackgroundColour;
    m_Plot.cursor = LoadCursor(nullptr, IDC_ARROW);
}

CAcousticView::~CAcousticView() = default;

// ---------------------------------------------------------------------------------------
// Drawing

void CAcousticView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    // A reader thread changes the objects only while it holds the frame's mutex.
    CSingleLock lock(m_pMutex, m_pMutex != nullptr);

    CRect client;
    GetClientRect(&client);
    if (m_Plot.CreateCompatibleDC(pDC))
    {
        CBitmap bitmap;
        if (bitmap.CreateCompatibleBitmap(pDC, std::max(1, client.Width()), std::max(1, client.Height())))
        {
            CBitmap* previous = m_Plot.SelectObject(&bitmap);
            m_Plot.backgroundColour = m_BackgroundColour;
            m_Plot.FillSolidRect(&client, m_BackgroundColour);
            m_Plot.DrawGrid(client);
            DrawCalibration();
            pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &m_Plot, 0, 0, SRCCOPY);
            m_Plot.SelectObject(previous);
            bitmap.DeleteObject();
        }
        m_Plot.DeleteDC();
    }
}

void CAcousticView::DrawCalibration()
{
    CPlanDrawing drawing(m_Plot, m_Font);
    switch (m_nMode)
    {
    case VIEW_GRID_ON_GRID:
        if (m_pGridOnGrid)
            drawing.DrawGridOnGrid(*m_pGridOnGrid);
        break;
    case VIEW_NETWORK:
        if (m_pNetwork)
            drawing.DrawNetwork(*m_pNetwork);
        break;
    case VIEW_BOXIN:
        if (m_pBoxin)
            drawing.DrawBoxin(*m_pBoxin);
        break;
    case VIEW_USBL_CALIBRATION:
        if (m_pUsblCalibration)
            drawing.DrawUsblCalibration(*m_pUsblCalibration);
        break;
    case VIEW_TRANSIT_FIX:
        if (m_pTransitFix)
            drawing.DrawTransitFix(*m_pTransitFix);
        break;
    default:
        break;
    }
}

void CAcousticView::Redraw()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (CDC* dc = GetDC())
    {
        OnDraw(dc);
        ReleaseDC(dc);
    }
    Invalidate(TRUE);
}

BOOL CAcousticView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CAcousticView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    Invalidate(TRUE);
}

void CAcousticView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (CCmdTarget* main = AfxGetMainWnd())
        ::PostMessage(main->GetSafeHwnd(), UM_SET_FOCUS, reinterpret_cast<WPARAM>(this), 0);
}

// ---------------------------------------------------------------------------------------
// Mouse

bool CAcousticView::ShowPosition(CPoint point, double* e, double* n)
{
    const bool inside = m_Plot.ScreenToGrid(point.x, point.y, e, n);
    if (m_pStatusBar != nullptr && m_pStatusBar->GetSafeHwnd() != nullptr)
    {
        if (inside)
            m_pStatusBar->DisplayGrid(*e, *n);
        else
            m_pStatusBar->ClearDisplay();
    }
    return inside;
}

void CAcousticView::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_LastPoint = point;
    double e = 0.0, n = 0.0;
    if (ShowPosition(point, &e, &n))
    {
        m_DragStartPoint = point;
        // Keeps the grid position, picks the cursor by Shift and Ctrl and starts panning
        // without either.
        m_Plot.StartDrag(this, nFlags, point.x, point.y);
    }
    CView::OnLButtonDown(nFlags, point);
}

void CAcousticView::OnMouseMove(UINT nFlags, CPoint point)
{
    double e = 0.0, n = 0.0;
    ShowPosition(point, &e, &n);
    m_Plot.DragMove(point);
    CView::OnMouseMove(nFlags, point);
}

void CAcousticView::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_Plot.panning = false;
    m_Plot.cursor = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(m_Plot.cursor);
    CView::OnLButtonUp(nFlags, point);
}

BOOL CAcousticView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (zDelta > 0)
        ++s_WheelCount;
    else if (zDelta < 0)
        --s_WheelCount;
    if (s_WheelCount < -kWheelSteps || s_WheelCount > kWheelSteps)
    {
        if (s_WheelCount < 0 && m_Plot.scaleIndex < kLastScale)
            ++m_Plot.scaleIndex;
        else if (s_WheelCount > 0 && m_Plot.scaleIndex > kFirstScale)
            --m_Plot.scaleIndex;
        s_WheelCount = 0;
        Redraw();
    }
    return CView::OnMouseWheel(nFlags, zDelta, pt);
}

// ---------------------------------------------------------------------------------------
// Keys

void CAcousticView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_nLastKey = nChar;
    m_Plot.OnKeyDown(this, nChar);
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CAcousticView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool keypad = m_nLastKey == VK_ADD || m_nLastKey == VK_SUBTRACT;
    m_nLastKey = 0;
    if ((nChar == '+' || nChar == '-') && !keypad)
        m_Plot.OnKeyDown(this, nChar);
    CView::OnChar(nChar, nRepCnt, nFlags);
}
