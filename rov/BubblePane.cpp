#include "rov/BubblePane.h"

#include "rov/BubbleView.h"
#include "rov/ChildWindow.h"

BEGIN_MESSAGE_MAP(CBubblePane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

int CBubblePane::Create(CWnd* pOwner, int nID, bool vesselOnly)
{
    // Kept before the window exists: the view is made while it is being created and must
    // already know whether it is vessel-only.
    m_bVesselOnly = vesselOnly;
    if (!CMyDockablePane::Create(pOwner, nID, "Motion Reference Unit"))
        return 0;
    m_pOwner = pOwner;
    AdjustLayout();
    return 1;
}

int CBubblePane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* view = static_cast<CBubbleView*>(RUNTIME_CLASS(CBubbleView)->CreateObject());
    // A view that fails to be made deletes itself, as a view does when its window goes.
    if (view == nullptr || !view->Create(this, m_bVesselOnly))
        return -1;
    m_pView = view;
    return 0;
}

void CBubblePane::OnDestroy()
{
    CMyDockablePane::OnDestroy();
    // The view goes with the pane's window, deleting itself.
    m_pView = nullptr;
}

CBubbleView* CBubblePane::LiveView() const
{
    return LiveChild(m_pView);
}

void CBubblePane::AdjustLayout()
{
    FillClientArea(*this, m_pView);
    if (CBubbleView* view = LiveView())
        view->Invalidate();
}

void CBubblePane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CBubblePane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (CBubbleView* view = LiveView())
        view->SetFocus();
}

void CBubblePane::UpdateVessel(double heading, double pitch, double roll, double tiltAngle, double tiltHeading)
{
    CBubbleView* view = LiveView();
    if (view != nullptr && !view->IsTemplate())
        view->UpdateData(heading, pitch, roll, tiltAngle, tiltHeading);
}

void CBubblePane::UpdateTemplate(double heading, double pitch, double roll, double tiltAngle, double tiltHeading)
{
    CBubbleView* view = LiveView();
    if (view != nullptr && view->IsTemplate())
        view->UpdateData(heading, pitch, roll, tiltAngle, tiltHeading);
}

void CBubblePane::UpdateTemplate2ndMRU(double tiltAngle, double tiltHeading)
{
    if (CBubbleView* view = LiveView())
        view->UpdateTemplate2ndMRU(tiltAngle, tiltHeading);
}

void CBubblePane::SetDaylightMode()
{
    if (CBubbleView* view = LiveView())
        view->SetDaylightMode();
}

void CBubblePane::SetNightMode(bool bNight)
{
    if (CBubbleView* view = LiveView())
        view->SetNightMode(bNight);
}

bool CBubblePane::GetNightMode() const
{
    return m_pView != nullptr && m_pView->GetNightMode();
}

// Out of line, so that the library exports them with the class.
CBubblePane::CBubblePane() = default;
CBubblePane::~CBubblePane() = default;

CBubbleView* CBubblePane::GetView() const
{
    return m_pView;
}
