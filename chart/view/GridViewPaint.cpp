// The chart view as a window: creation, the paint with its layers in order under the host's
// mutex, grabs, captions and the double click.
#include "chart/view/GridView.h"

#include "chart/objects/Ais.h"
#include "chart/view/ChartexaStatusBar.h"
#include "chart/plot/GridPolyline.h"
#include "features/Barge.h"
#include "features/Dig.h"
#include "features/DigList.h"
#include "features/DxfList.h"
#include "features/GridWaypointList.h"
#include "features/Template.h"
#include "outside/alpha/DataView.h"
#include "foundation/FilePath.h"
#include "foundation/SelectedObjects.h"
#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageBox.h"

#include <cfloat>
#include <memory>

namespace
{
// Posted by a capture paint to its own view: the grab's message, shown after the paint.
constexpr UINT WM_CHART_GRAB_DONE = WM_APP + 0x0C01;
constexpr COLORREF kWhite = 0xFFFFFF;
// A second double click that arrives while one is handled is ignored, in any view.
bool g_InDoubleClick = false;

void PostToMainWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CCmdTarget* main = AfxGetMainWnd())
        ::PostMessage(main->GetSafeHwnd(), message, wParam, lParam);
}

// The colour of a DIG colour code: codes 1..257 are the drawing-exchange colours 0..256 (256
// black), any other code black.
COLORREF DigColour(int code)
{
    static const CDxf palette;
    if (code >= 1 && code <= 256)
        return palette.m_ColourTable[code - 1];
    return 0x000000;
}
} // namespace

BEGIN_MESSAGE_MAP(CGridView, CView)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_MESSAGE(WM_CHART_GRAB_DONE, &CGridView::OnGrabDone)
END_MESSAGE_MAP()

BOOL CGridView::Create(CWnd* parent, CChartexaStatusBar* bar)
{
    return CreateChartWindow(parent, bar, nullptr);
}

BOOL CGridView::Create(CWnd* parent, CDataView* box)
{
    return CreateChartWindow(parent, nullptr, box);
}

BOOL CGridView::CreateChartWindow(CWnd* parent, CChartexaStatusBar* bar, CDataView* box)
{
    // A view given a data box is the remote display's: it only displays.
    m_pStatusBar = bar;
    m_pDataView = box;
    m_bRemote = box != nullptr;
    m_SnapShot.prefix = m_bRemote ? "R_" : "B_";
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    return CWnd::Create(windowClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), parent, 0);
}

int CGridView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CView::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

BOOL CGridView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGridView::OnSize(UINT nType, int cx, int cy)
{
    Invalidate(TRUE);
    CView::OnSize(nType, cx, cy);
}

void CGridView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    PostToMainWindow(UM_SET_FOCUS, reinterpret_cast<WPARAM>(this), 0);
}

void CGridView::Redraw()
{
    CDC* dc = GetDC();
    if (dc != nullptr)
    {
        OnDraw(dc);
        ReleaseDC(dc);
    }
    Invalidate(FALSE);
}

void CGridView::ClearCursorCoords()
{
    if (m_pStatusBar != nullptr)
        m_pStatusBar->ClearDisplay();
    if (m_pDataView != nullptr)
        m_pDataView->ClearDisplay();
}

void CGridView::SetTitle(const char* text)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(text);
}

void CGridView::SetTitle()
{
    CString caption;
    auto join = [&caption](const CString& path) {
        if (!caption.IsEmpty())
            caption += " / ";
        caption += GetFileTitleFromPath(path);
    };
    if (m_pDigList != nullptr && !m_pDigList->IsEmpty())
    {
        for (POSITION pos = m_pDigList->GetHeadPosition(); pos;)
            if (const CDig* dig = m_pDigList->GetNext(pos))
                join(dig->m_FileName);
    }
    else if (m_pDxfList != nullptr && !m_pDxfList->IsEmpty())
    {
        for (POSITION pos = m_pDxfList->GetHeadPosition(); pos;)
            if (const CDxf* dxf = m_pDxfList->GetNext(pos))
                join(dxf->m_FileName);
    }
    else
        caption = "Navigation Display";
    if (caption.GetLength() > 40)
        caption = caption.Left(30) + "..";
    SetTitle(caption);
}

void CGridView::DrawDigs()
{
    for (POSITION pos = m_pDigList->GetHeadPosition(); pos;)
    {
        const CDig* dig = m_pDigList->GetNext(pos);
        if (dig == nullptr || !dig->IsShown() || dig->m_bBusy)
            continue;
        std::unique_ptr<CPen> pen;
        int penCode = INT_MIN;
        CPen* oldPen = nullptr;
        {
            // Joined legs of one colour go out as one polyline; a new colour or a new line
            // starts another.
            CGridPolyline line(m_Plot);
            for (INT_PTR i = 0; i < dig->GetSize(); ++i)
            {
                const BinaryDigDef& p = dig->GetAt(i);
                if (p.code < 0 || i == 0)
                {
                    line.Break();
                    line.Add(p.x, p.y);
                    continue;
                }
                if (p.code != penCode)
                {
                    line.Flush();
                    COLORREF colour = m_Plot.printing ? 0x000000 : DigColour(p.code);
                    if (!m_Plot.printing && colour == m_Plot.backgroundColour)
                        colour = 0xFFFFFF - colour;
                    auto next = std::make_unique<CPen>(PS_SOLID, 1, colour);
                    CPen* previous = m_Plot.SelectObject(next.get());
                    if (oldPen == nullptr)
                        oldPen = previous;
                    pen = std::move(next);
                    penCode = p.code;
                }
                line.Add(p.x, p.y);
            }
        }
        if (oldPen != nullptr)
            m_Plot.SelectObject(oldPen);
    }
}

void CGridView::DrawAisTargets()
{
    if (!m_pAis->m_bShowClassA && !m_pAis->m_bShowClassB)
        return;
    for (INT_PTR i = 0; i < m_pAis->GetCount(); ++i)
    {
        AisTargetDef* target = m_pAis->GetTarget(i);
        if (target == nullptr)
            continue;
        if ((target->classLetter == 'A' && !m_pAis->m_bShowClassA) ||
            (target->classLetter == 'B' && (!m_pAis->m_bShowClassB || target->id == m_pAis->m_OwnId)))
            continue;
        int x = 0, y = 0;
        if (target->E == DBL_MAX || m_Plot.IsOutside(target->E, target->N, &x, &y))
            continue;
        if (m_pAis->m_bShowHistory && m_pAis->m_bHistoryPoints)
        {
            SelectedObjects selected(m_Plot, nullptr, &m_pAis->m_HistoryBrush);
            for (INT_PTR h = 0; h < target->history.GetSize(); ++h)
            {
                int hx = 0, hy = 0;
                if (!m_Plot.IsOutside(target->history[h].x, target->history[h].y, &hx, &hy))
                    m_Plot.Ellipse(hx - 2, hy - 2, hx + 2, hy + 2);
            }
        }
        if (m_pAis->showVelocityVector)
            DrawVelocityVector(&target->velocity, &m_pAis->m_HeadingPen, false, POINT{0, 0});
        CAis::ClassifyTarget(*target);
        m_pAis->DrawTarget(&m_Plot, x, y, *target, m_Plot.pixelsPerMetre);
    }
}

void CGridView::DrawLayers(const CRect& client)
{
    if (m_pDxfList != nullptr)
        for (POSITION pos = m_pDxfList->GetHeadPosition(); pos;)
            m_Plot.DrawDxfShape(m_pDxfList->GetNext(pos));
    if (m_pDigList != nullptr)
        DrawDigs();
    DrawDtm(m_pDtm);
    DrawStructures(m_pStructureList);
    DrawBoundary(m_pBoundaryList);
    DrawPipelines(m_pPipelineList);
    DrawPipeRoute(m_pPipeRoute);
    DrawRPLs(m_pRPLList);
    DrawRoutes(m_pRouteList, true);
    if (!m_bTraining)
        DrawDesignRoutes(m_pDesignRouteList);
    DrawSailLine(m_pSailLineList, m_pVessel);
    DrawWaypoints(m_pWaypointList);
    if (m_pCustomDraw != nullptr)
        m_pCustomDraw(&m_Plot, this, m_pCustomDrawData);
    m_Plot.DrawGrid(client);
    if (m_Plot.showNorthArrow)
        m_Plot.DrawNorthArrow(client.left + 100, client.top + 100);
    DrawTarget(m_pVessel);
    DrawTarget(m_pTemplate);
    if (m_pAis != nullptr)
        DrawAisTargets();
    DrawVesselLayers();
    DrawTemplateLayers();
    DrawLaser();
    if (m_pTrainingObjects != nullptr)
    {
        const COLORREF colours[4] = {0x00FFFF, 0x0000FF, 0xFF0000, 0x00FF00};
        for (INT_PTR i = 0; i < m_pTrainingObjects->GetSize(); ++i)
            DrawObject(&m_pTrainingObjects->ElementAt(i), i < 4 ? colours[i] : 0xFFFF00);
    }
    if (m_pLiveDraw != nullptr)
        m_pLiveDraw(&m_Plot, this, m_pLiveDrawData);
    if (m_pEBLList != nullptr)
        m_Plot.DrawEBLs(m_pEBLList, m_bTraining);
    if (m_pDivider != nullptr)
        m_Plot.DrawDivider(m_pDivider);
}

void CGridView::OnDraw(CDC* pDC)
{
    if (m_bPainting || m_pMutex == nullptr || pDC == nullptr)
        return;
    m_bPainting = true;
    CSingleLock lock(m_pMutex, TRUE);

    CRect client;
    GetClientRect(&client);
    CBitmap bitmap;
    if (m_Plot.CreateCompatibleDC(pDC) &&
        bitmap.CreateCompatibleBitmap(pDC, std::max(1, client.Width()), std::max(1, client.Height())))
    {
        CBitmap* previous = m_Plot.SelectObject(&bitmap);

        if (m_Plot.trackObject == TRACK_VESSEL && m_pVessel != nullptr)
        {
            m_Plot.TrackPosition(m_pVessel->m_Position.x, m_pVessel->m_Position.y);
            m_Plot.SetOrientation(static_cast<int>(m_pVessel->m_Heading));
        }
        else if (m_Plot.trackObject == TRACK_TEMPLATE && m_pTemplate != nullptr)
        {
            m_Plot.TrackPosition(m_pTemplate->m_Position.x, m_pTemplate->m_Position.y);
            m_Plot.SetOrientation(static_cast<int>(m_pTemplate->m_Heading));
        }
        else if (m_Plot.trackObject == TRACK_WAYPOINT && m_pWaypointList != nullptr)
        {
            const int f = m_Plot.trackWaypointFile, p = m_Plot.trackWaypointIndex;
            const CGridWaypoint* file = f >= 0 && f < m_pWaypointList->GetSize() ? m_pWaypointList->GetAt(f) : nullptr;
            if (file != nullptr && p >= 0 && p < file->GetSize())
            {
                m_Plot.originE = file->GetAt(p).Easting;
                m_Plot.originN = file->GetAt(p).Northing;
                m_Plot.SetOrientation(0);
            }
        }

        m_Plot.printing = m_bCapture;
        if (m_bCapture)
        {
            m_Plot.savedBackgroundColour = m_Plot.backgroundColour;
            m_Plot.backgroundColour = kWhite;
        }
        else
            m_Plot.backgroundColour = m_Plot.savedBackgroundColour;
        m_Plot.FillSolidRect(&client, m_Plot.backgroundColour);
        if (m_Vanes.GetSize() > 0)
            m_Vanes.Draw(&m_Plot, client.right - 130, client.top + 130);
        DrawLayers(client);

        pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &m_Plot, 0, 0, SRCCOPY);
        m_Plot.SelectObject(previous);
        bitmap.DeleteObject();
        if (m_bCapture)
        {
            // The message waits for the paint to let go of the host's lock: device threads
            // must not stand still while a user reads it.
            if (m_SnapShot.GrabView(this, m_GrabMessage) && !m_GrabMessage.IsEmpty() && GetSafeHwnd() != nullptr)
                PostMessage(WM_CHART_GRAB_DONE, 0, 0);
            m_bCapture = false;
            Invalidate(FALSE);
        }
        m_Plot.backgroundColour = m_Plot.savedBackgroundColour;
        m_Plot.printing = false;
    }
    m_Plot.DeleteDC();
    lock.Unlock();
    m_bPainting = false;
}

LRESULT CGridView::OnGrabDone(WPARAM, LPARAM)
{
    if (!m_GrabMessage.IsEmpty())
    {
        const CString message = m_GrabMessage;
        m_GrabMessage.Empty();
        AfxMessageBox(message, MB_OK);
    }
    return 0;
}

void CGridView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (g_InDoubleClick)
        return;
    g_InDoubleClick = true;
    const CFeature feature = Click(point, false);
    if (feature.Type != FEATURE_NONE)
    {
        if (m_EditMode != EDIT_NONE)
        {
            m_EditMode = EDIT_NONE;
            PostToMainWindow(UM_END_FEATURE_EDIT, 0, 0);
        }
        else
        {
            // The file index in the low 16 bits and the whole point index above them: a host
            // reading the two words gets the same values for small indices, and large point
            // indices arrive whole.
            const LPARAM indices = static_cast<LPARAM>(static_cast<uint16_t>(feature.FileIndex)) |
                                   static_cast<LPARAM>(static_cast<uint64_t>(static_cast<uint32_t>(feature.PointIndex)) << 16);
            PostToMainWindow(UM_CLICK_ON_CHART, static_cast<WPARAM>(feature.Type), indices);
        }
    }
    g_InDoubleClick = false;
    CView::OnLButtonDblClk(nFlags, point);
}

int16_t CGridView::m_WheelCount = 0;

BOOL CGridView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (!m_bRemote)
    {
        if (zDelta < 0)
            --m_WheelCount;
        else if (zDelta > 0)
            ++m_WheelCount;
        bool repaint = false;
        if (m_WheelCount < -5)
        {
            if (m_Plot.scaleIndex <= 28)
                ++m_Plot.scaleIndex;
            repaint = true;
        }
        else if (m_WheelCount > 5)
        {
            if (m_Plot.scaleIndex >= 2 && m_Plot.scaleIndex <= 30)
                --m_Plot.scaleIndex;
            repaint = true;
        }
        if (repaint)
        {
            m_WheelCount = 0;
            if (CDC* dc = GetDC())
            {
                OnDraw(dc);
                ReleaseDC(dc);
            }
            Invalidate(TRUE);
        }
    }
    return CView::OnMouseWheel(nFlags, zDelta, pt);
}

void CGridView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bRemote)
        m_Plot.OnKeyDown(this, nChar);
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CView::OnChar(nChar, nRepCnt, nFlags);
}
