#include "rov/MruPane.h"

#include "platform/ui/Resources.h"
#include "rov/ChildWindow.h"
#include "rov/PitchRollView.h"
#include "rov/RovLibrary.h"
#include "survey/records/Mru.h"

BEGIN_MESSAGE_MAP(CMruPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

int CMruPane::Create(CWnd* pOwner, int nID, CMru* pMru)
{
    CString title;
    AfxLoadString(IDS_ROV_MRU_PANE, title);
    const BOOL created = CMyDockablePane::Create(pOwner, nID, title);
    if (created)
    {
        m_pMru = pMru;
        AdjustLayout();
        Update(0);
    }
    return created;
}

int CMruPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS);
    auto* view = static_cast<CPitchRollView*>(RUNTIME_CLASS(CPitchRollView)->CreateObject());
    // A view that fails to be made deletes itself, as a view does when its window goes.
    if (view == nullptr || !view->Create(windowClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, VIEW_ID))
        return -1;
    m_pView = view;
    m_pView->SetDisplayText(true);
    return 0;
}

void CMruPane::OnDestroy()
{
    CMyDockablePane::OnDestroy();
    // The view goes with the pane's window, deleting itself.
    m_pView = nullptr;
}

CPitchRollView* CMruPane::LiveView() const
{
    return LiveChild(m_pView);
}

void CMruPane::AdjustLayout()
{
    FillClientArea(*this, m_pView);
}

void CMruPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
    if (CPitchRollView* view = LiveView())
        view->Invalidate();
}

void CMruPane::Update(int index)
{
    CPitchRollView* view = LiveView();
    if (m_pMru == nullptr || view == nullptr)
        return;
    const CMru& mru = m_pMru[index];
    view->SetTrueHeading(mru.m_Heading);
    view->SetPitchRoll(mru.m_Pitch, mru.m_Roll);
    view->Invalidate(TRUE);
}

void CMruPane::SetTimeout(bool bTimeout)
{
    CPitchRollView* view = LiveView();
    if (view == nullptr || bTimeout == m_bTimeout)
        return;
    view->SetTimeout(bTimeout);
    m_bTimeout = bTimeout;
    // A silent MRU sends no more updates to repaint with, so the change shows now.
    view->Invalidate();
}

void CMruPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CMruPane::SetNightMode(bool bNight)
{
    CPitchRollView* view = LiveView();
    if (view == nullptr)
        return;
    view->SetNightMode(bNight);
    view->Invalidate();
}

// Out of line, so that the library exports them with the class.
CMruPane::CMruPane() = default;
CMruPane::~CMruPane() = default;
