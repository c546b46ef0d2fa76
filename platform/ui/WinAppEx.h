// CWinAppEx: the application of the docking framework, with its managers. On this platform the
// context-menu, keyboard and tooltip managers, the visual manager, taskbar interaction, OLE,
// control containers, rich edit and the common-control initialisation are accepted and have
// nothing to do; the layout of the main frame is kept in the profile (Workspace sections).
#pragma once

#include "platform/core/WinApp.h"
#include "platform/ui/ToolTipCtrl.h"

class CFrameWndEx;

// ----- Common controls, OLE and rich edit: accepted ---------------------------------------

struct INITCOMMONCONTROLSEX
{
    DWORD dwSize;
    DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;
#define ICC_WIN95_CLASSES 0x000000FFu
#define ICC_STANDARD_CLASSES 0x00004000u
PLATFORM_API BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
PLATFORM_API BOOL AfxOleInit();
PLATFORM_API void AfxOleTerm(BOOL bJustRevoke = FALSE);
PLATFORM_API void AfxEnableControlContainer();
PLATFORM_API BOOL AfxInitRichEdit2();
PLATFORM_API BOOL AfxInitRichEdit();

// Restart-manager aspects: accepted.
#define AFX_RESTART_MANAGER_SUPPORT_RESTART 0x01u
#define AFX_RESTART_MANAGER_SUPPORT_RECOVERY 0x02u
#define AFX_RESTART_MANAGER_AUTOSAVE_AT_RESTART 0x04u
#define AFX_RESTART_MANAGER_AUTOSAVE_AT_INTERVAL 0x08u
#define AFX_RESTART_MANAGER_REOPEN_PREVIOUS_FILES 0x10u
#define AFX_RESTART_MANAGER_RESTORE_AUTOSAVED_FILES 0x20u
#define AFX_RESTART_MANAGER_SUPPORT_ALL_ASPECTS 0x3Fu

// ----- Managers: accepted and remembered --------------------------------------------------

#define AFX_TOOLTIP_TYPE_DEFAULT 0x0001u
#define AFX_TOOLTIP_TYPE_TOOLBAR 0x0002u
#define AFX_TOOLTIP_TYPE_TAB 0x0004u
#define AFX_TOOLTIP_TYPE_MINIFRAME 0x0008u
#define AFX_TOOLTIP_TYPE_DOCKBAR 0x0010u
#define AFX_TOOLTIP_TYPE_EDIT 0x0020u
#define AFX_TOOLTIP_TYPE_BUTTON 0x0040u
#define AFX_TOOLTIP_TYPE_TOOLBOX 0x0080u
#define AFX_TOOLTIP_TYPE_PLANNER 0x0100u
#define AFX_TOOLTIP_TYPE_RIBBON 0x0200u
#define AFX_TOOLTIP_TYPE_CAPTIONBAR 0x0400u
#define AFX_TOOLTIP_TYPE_ALL 0xFFFFu

// The tooltip class of the framework's controls.
class PLATFORM_API CMFCToolTipCtrl : public CToolTipCtrl
{
    DECLARE_DYNCREATE(CMFCToolTipCtrl)
public:
    CMFCToolTipCtrl() = default;
};

struct CMFCToolTipInfo
{
    BOOL m_bBoldLabel = TRUE;
    BOOL m_bDrawDescription = TRUE;
    BOOL m_bDrawIcon = TRUE;
    BOOL m_bRoundedCorners = FALSE;
    BOOL m_bDrawSeparator = FALSE;
    BOOL m_bVislManagerTheme = FALSE;
    int m_nMaxDescrWidth = 0;
    int m_nGradientAngle = -1;
    COLORREF m_clrFill = static_cast<COLORREF>(-1);
    COLORREF m_clrFillGradient = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBorder = static_cast<COLORREF>(-1);
};

class PLATFORM_API CTooltipManager
{
public:
    void SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC = nullptr, CMFCToolTipInfo* pParams = nullptr);
    UINT GetTypes() const { return m_nTypes; }
    CRuntimeClass* GetToolTipClass() const { return m_pClass; }
    const CMFCToolTipInfo& GetParams() const { return m_params; }

private:
    UINT m_nTypes = 0;
    CRuntimeClass* m_pClass = nullptr;
    CMFCToolTipInfo m_params;
};

class PLATFORM_API CContextMenuManager
{
public:
    BOOL AddMenu(LPCTSTR, UINT) { return TRUE; }
};

class PLATFORM_API CKeyboardManager
{
public:
    static BOOL IsKeyPrintable(UINT nChar) { return nChar >= 0x20 && nChar != 0x7F; }
};

class CMFCTabCtrl;
class CBrush;

// The look of frames and bars: Qt's own style is used whatever manager is chosen. The manager
// still answers the colours that controls ask it for: a tab control's frame colours.
class PLATFORM_API CMFCVisualManager : public CObject
{
    DECLARE_DYNCREATE(CMFCVisualManager)
public:
    CMFCVisualManager() = default;
    ~CMFCVisualManager() override = default;

    static void SetDefaultManager(CRuntimeClass* pRTI);
    static CRuntimeClass* GetDefaultManager() { return m_pDefaultClass; }
    static void RedrawAll() {}
    // The current manager, made of the default class (this one when none is set) on first use.
    static CMFCVisualManager* GetInstance();

    // A tab control's frame colours: face, highlight and shadows of the 3-D frame. The brushes
    // are the manager's own.
    virtual void GetTabFrameColors(const CMFCTabCtrl* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                   COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                   COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
    // The face colour tabs are drawn on; the system's button face until set.
    void SetTabFaceColour(COLORREF colour);
    COLORREF GetTabFaceColour() const;

private:
    static CRuntimeClass* m_pDefaultClass;
    COLORREF m_clrTabFace = static_cast<COLORREF>(-1);
};

class PLATFORM_API CMFCVisualManagerOffice2007 : public CMFCVisualManager
{
    DECLARE_DYNCREATE(CMFCVisualManagerOffice2007)
public:
    enum Style
    {
        Office2007_LunaBlue,
        Office2007_ObsidianBlack,
        Office2007_Aqua,
        Office2007_Silver
    };
    static void SetStyle(Style style) { m_style = style; }
    static Style GetStyle() { return m_style; }

private:
    static Style m_style;
};

class PLATFORM_API CMFCVisualManagerWindows : public CMFCVisualManager
{
    DECLARE_DYNCREATE(CMFCVisualManagerWindows)
};

// The shell's folder and item services: accepted; this platform's file dialogs need none.
class PLATFORM_API CShellManager
{
public:
    CShellManager() = default;
};

// ----- The application --------------------------------------------------------------------

class PLATFORM_API CWinAppEx : public CWinApp
{
    DECLARE_DYNAMIC(CWinAppEx)
public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE);
    ~CWinAppEx() override;

    BOOL InitContextMenuManager();
    BOOL InitKeyboardManager();
    BOOL InitTooltipManager();
    BOOL InitShellManager() { return TRUE; }
    CContextMenuManager* GetContextMenuManager() { return &m_contextMenuManager; }
    CKeyboardManager* GetKeyboardManager() { return &m_keyboardManager; }
    CTooltipManager* GetTooltipManager() { return &m_tooltipManager; }
    void EnableTaskbarInteraction(BOOL bEnable = TRUE) { m_bTaskbarInteraction = bEnable; }
    void SetAppID(LPCTSTR lpszAppID) { m_strAppID = lpszAppID ? lpszAppID : ""; }
    void EnableHtmlHelp() {}

    // Deletes the profile section and every section below it ("<section>\..."). FALSE when
    // the profile could not be written.
    BOOL DelProfileTree(LPCTSTR lpszSectionName);
    // Forgets the stored layout (the "Workspace" sections).
    BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
    // The main frame's layout to and from the profile.
    BOOL SaveState(CFrameWndEx* pFrame);
    BOOL LoadState(CFrameWndEx* pFrame);

    BOOL m_bSaveState = TRUE;
    BOOL m_bResourceSmartUpdate;
    BOOL m_bHiColorIcons = FALSE;
    BOOL m_bTaskbarInteraction = TRUE;
    DWORD m_dwRestartManagerSupportFlags = 0;
    UINT m_nAppLook = 0;
    CString m_strAppID;

private:
    CContextMenuManager m_contextMenuManager;
    CKeyboardManager m_keyboardManager;
    CTooltipManager m_tooltipManager;
    BOOL m_bContextMenuManager = FALSE;
    BOOL m_bKeyboardManager = FALSE;
    BOOL m_bTooltipManager = FALSE;
};
