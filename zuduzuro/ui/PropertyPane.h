// CPropertyPane: what the anchor-cable program's grid panes share: a property grid (child id
// 2) in the system's message font filling the pane, day and night colours, messages posted to
// the owner, and a file that could not be written told once.
#pragma once

#include "foundation/MyDockablePane.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/Font.h"

class CPropertyPane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CPropertyPane)
public:
    CPropertyPane() = default;
    ~CPropertyPane() override;

    // Builds the grid's items.
    virtual void InitPropList() = 0;

    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }
    // The width at which the pane shows what it holds whole: every name of its grid (and the
    // columns of a table below it).
    virtual int GetFittingWidth() { return m_wndPropList.GetWholeNamesWidth(); }
    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

protected:
    // Header, description area, look and colours of the grid, as every pane shows them.
    void BeginPropList();
    // The item at a position (group, sub-item, ...); null when there is none.
    CMFCPropertyGridProperty* Item(int group, int sub = -1, int subSub = -1, int subSubSub = -1,
                                   int fifth = -1) const;
    // Lays the grid (and whatever else the pane holds) out in the client area.
    virtual void AdjustLayout();
    // To the owner, else the main window, with both parameters 0.
    void PostToOwner(UINT message) const;
    // A save that failed is told once per pane and kind of file (`told`); the data keeps the
    // change and the next save tries again.
    void TellSaveFailure(bool saved, bool& told, const CString& what);

    DECLARE_MESSAGE_MAP()

    CMyMFCPropertyGridCtrl m_wndPropList;
    CFont m_fntPropList;

private:
    void SetPropListFont();
};
