#include "platform/ui/WinAppEx.h"

#include "platform/ui/FrameWnd.h"

IMPLEMENT_DYNCREATE(CMFCToolTipCtrl, CToolTipCtrl)
IMPLEMENT_DYNCREATE(CMFCVisualManager, CObject)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOffice2007, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows, CMFCVisualManager)
IMPLEMENT_DYNAMIC(CWinAppEx, CWinApp)

CRuntimeClass* CMFCVisualManager::m_pDefaultClass = nullptr;
CMFCVisualManagerOffice2007::Style CMFCVisualManagerOffice2007::m_style =
    CMFCVisualManagerOffice2007::Office2007_LunaBlue;

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*)
{
    return TRUE;
}

BOOL AfxOleInit()
{
    return TRUE;
}

void AfxOleTerm(BOOL) {}

void AfxEnableControlContainer() {}

BOOL AfxInitRichEdit2()
{
    return TRUE;
}

BOOL AfxInitRichEdit()
{
    return TRUE;
}

void CTooltipManager::SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, CMFCToolTipInfo* pParams)
{
    m_nTypes = nTypes;
    m_pClass = pRTC;
    m_params = pParams ? *pParams : CMFCToolTipInfo();
}

CWinAppEx::CWinAppEx(BOOL bResourceSmartUpdate) : m_bResourceSmartUpdate(bResourceSmartUpdate) {}

CWinAppEx::~CWinAppEx() = default;

BOOL CWinAppEx::InitContextMenuManager()
{
    m_bContextMenuManager = TRUE;
    return TRUE;
}

BOOL CWinAppEx::InitKeyboardManager()
{
    m_bKeyboardManager = TRUE;
    return TRUE;
}

BOOL CWinAppEx::InitTooltipManager()
{
    m_bTooltipManager = TRUE;
    return TRUE;
}

BOOL CWinAppEx::DelProfileTree(LPCTSTR lpszSectionName)
{
    return DeleteProfileTree(lpszSectionName);
}

BOOL CWinAppEx::CleanState(LPCTSTR lpszSectionName)
{
    return DeleteProfileTree(lpszSectionName ? lpszSectionName : "Workspace");
}

BOOL CWinAppEx::SaveState(CFrameWndEx* pFrame)
{
    return pFrame && m_bSaveState ? pFrame->SaveLayoutState() : FALSE;
}

BOOL CWinAppEx::LoadState(CFrameWndEx* pFrame)
{
    return pFrame ? pFrame->LoadLayoutState() : FALSE;
}
