// CMFCToolBar: a row of command buttons from a toolbar table (ids in order, 0 for a separator),
// over a QToolBar at the top of its frame. A pressed button sends its command to the frame;
// on idle each button's state comes from the command's update handler (ON_UPDATE_COMMAND_UI).
#pragma once

#include "platform/ui/BasePane.h"

#include <vector>

class QAction;
class CFrameWnd;

// Button styles as GetButtonStyle gives them.
#define TBBS_BUTTON 0x0000u
#define TBBS_SEPARATOR 0x0001u
#define TBBS_CHECKBOX 0x0002u
#define TBBS_CHECKED 0x00010000u
#define TBBS_PRESSED 0x00020000u
#define TBBS_DISABLED 0x00040000u
#define TBBS_INDETERMINATE 0x00100000u

// Registers a toolbar table: the command ids of its buttons in order, 0 for a separator (kept
// by pointer: a static table). Button texts come from the string of each id: the part after
// '\n' (the tooltip), else the whole string, else the id.
PLATFORM_API void AfxRegisterToolBarTemplate(UINT nIDResource, const UINT* pIDs, int nCount);

class PLATFORM_API CMFCToolBar : public CPane
{
    DECLARE_DYNCREATE(CMFCToolBar)
public:
    CMFCToolBar();
    ~CMFCToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, CRect rcBorders = CRect(1, 1, 1, 1),
                          UINT nID = AFX_IDW_TOOLBAR);
    // The buttons of a registered toolbar table; FALSE when there is none or no window. The
    // other resource ids are accepted.
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    // 0 for a separator; 0 out of range.
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    // TBBS_* of the button; 0 out of range.
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    CString GetButtonText(int nIndex) const;
    // Presses the button as a user's click: its command goes to the frame unless it is
    // disabled. FALSE for a disabled button, a separator or an index out of range.
    BOOL ClickButton(int nIndex);

    // Each button's state from its command's update handler (bDisableIfNoHndler greys a
    // button whose command has no handler).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    // Accepted settings of the framework's toolbars.
    void EnableCustomizeButton(BOOL, int, const CString&, BOOL = TRUE) {}
    void EnableTextLabels(BOOL = TRUE) {}
    void SetLockedSizes(CSize, CSize) {}
    static void SetSizes(CSize, CSize) {}
    static void SetMenuSizes(CSize, CSize) {}
    static void SetLargeIcons(BOOL bLargeIcons = TRUE) { m_bLargeIcons = bLargeIcons; }
    static BOOL IsLargeIcons() { return m_bLargeIcons; }
    static void EnableQuickCustomization(BOOL = TRUE) {}

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    struct Button
    {
        UINT id = 0;
        UINT style = 0;
        CString text;
        QAction* action = nullptr;
    };
    void ApplyButton(Button& button);
    // The frame that gets the commands.
    CFrameWnd* GetCommandTarget() const;

    std::vector<Button> m_buttons;
    static BOOL m_bLargeIcons;
};
