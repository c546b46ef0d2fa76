// CPropertyGridPane: a docking pane whose one child is a property grid filling it. It makes the
// grid with the pane, keeps it filling the pane, hands it the focus the pane gets, and remakes
// its font when the user's system fonts change. The panes differ in the font they take
// (SetPropListFont) and in what they put in the grid.
#pragma once

#include "foundation/MyDockablePane.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/Font.h"

class CPropertyGridPane : public CMyDockablePane
{
public:
    explicit CPropertyGridPane(UINT gridId) : m_nGridId(gridId) {}
    ~CPropertyGridPane() override;

    // The grid fills the client area.
    virtual void AdjustLayout();
    // (Re)makes the grid's font and gives it to the grid: here the GUI font with the height,
    // weight and slant of the system's menu font.
    virtual void SetPropListFont();

    // Night off, the grid's current scheme applied again.
    void SetDaylightMode() { SetNightMode(false); }
    // The grid's night flag as given, the grid's current scheme applied again.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }

    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CFont m_fntPropList;
    CMyMFCPropertyGridCtrl m_wndPropList;

private:
    UINT m_nGridId;
};
