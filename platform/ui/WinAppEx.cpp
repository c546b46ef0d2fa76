#include "platform/ui/WinAppEx.h"

#include "platform/core/SysColor.h"
#include "platform/ui/FrameWnd.h"

#include <memory>

IMPLEMENT_DYNCREATE(CMFCToolTipCtrl, CToolTipCtrl)
IMPLEMENT_DYNCREATE(CMFCVisualManager, CObject)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOffice2007, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows, CMFCVisualManager)
IMPLEMENT_DYNAMIC(CWinAppEx, CWinApp)

CRuntimeClass* CMFCVisualManager::m_pDefaultClass = nullptr;

namespace
{
std::unique_ptr<CMFCVisualManager>& CurrentVisualManager()
{
    static std::unique_ptr<CMFCVisualManager> manager;
    return manager;
}
} // namespace

void CMFCVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    m_pDefaultClass = pRTI;
    // The next question gets a manager of the new class.
    CurrentVisualManager().reset();
}

CMFCVisualManager* CMFCVisualManager::GetInstance()
{
    std::unique_ptr<CMFCVisualManager>& manager = CurrentVisualManager();
    if (!manager)
    {
        CObject* made = m_pDefaultClass ? m_pDefaultClass->CreateObject() : nullptr;
        auto* typed = dynamic_cast<CMFCVisualManager*>(made);
        if (!typed)
        {
            delete made;
            typed = new CMFCVisualManager;
        }
        manager.reset(typed);
    }
    return manager.get();
}

void CMFCVisualManager::GetTabFrameColors(const CMFCTabCtrl*, COLORREF& clrDark, COLORREF& clrBlack,
                                          COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                          COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    clrDark = GetSysColor(COLOR_BTNSHADOW);
    clrBlack = GetSysColor(COLOR_BTNTEXT);
    clrHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    clrFace = GetTabFaceColour();
    clrDarkShadow = GetSysColor(COLOR_3DDKSHADOW);
    clrLight = GetSysColor(COLOR_3DLIGHT);
    pbrFace = nullptr;
    pbrBlack = nullptr;
}

void CMFCVisualManager::SetTabFaceColour(COLORREF colour)
{
    m_clrTabFace = colour;
}

COLORREF CMFCVisualManager::GetTabFaceColour() const
{
    return m_clrTabFace == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : m_clrTabFace;
}
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
