#include "acoustic/app/panes/BoxinPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CBoxinPane, CDockablePane)

BEGIN_MESSAGE_MAP(CBoxinPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

BOOL CBoxinPane::Create(CWnd* pFrame, CBoxin* pBoxin)
{
    m_pBoxin = pBoxin;
    m_pFrame = pFrame;
    return CreateFramePane(*this, pFrame, "Boxin Data Pane", ID_ACOUSTIC_BOXIN_DRAW);
}

int CBoxinPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_List.SetData(m_pFrame, m_pBoxin);
    m_List.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 0, 0), this, 1);
    return 0;
}

void CBoxinPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_List.GetSafeHwnd())
        m_List.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CBoxinPane::OnSetFocus(CWnd* pOldWnd)
{
    CDockablePane::OnSetFocus(pOldWnd);
    if (m_List.GetSafeHwnd())
        m_List.SetFocus();
}
