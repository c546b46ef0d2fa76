// CTargetPane: the docking pane in which a host shows and edits where a vessel or a subsea
// template is to be placed: one target tab control, to which it forwards its operations.
#pragma once

#include "featureui/panes/TargetTabCtrl.h"
#include "featureui/TolvarApi.h"
#include "foundation/MyDockablePane.h"

class CBarge;
class CTemplate;

class TOLVAR_API CTargetPane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CTargetPane)
public:
    CTargetPane() = default;
    ~CTargetPane() override = default;

    // "TARGET for Vessel" and "TARGET for Template". FALSE when the pane cannot be made; tabs
    // that cannot be made leave the pane without them and still give TRUE.
    BOOL Create(CWnd* pOwner, int nID, CBarge* pBarge);
    BOOL Create(CWnd* pOwner, int nID, CTemplate* pTemplate);
    using CMyDockablePane::Create;

    void InitTargetPropList() { m_wndTabs.InitTargetPropList(); }
    void InitSailLinePropList() { m_wndTabs.InitSailLinePropList(); }
    void InitShadowPropList() { m_wndTabs.InitShadowPropList(); }
    void UpdateSailLine() { m_wndTabs.UpdateSailLine(); }
    void UpdateCrp() { m_wndTabs.UpdateCrp(); }
    void UpdateWaypoint() { m_wndTabs.UpdateWaypoint(); }
    void UpdateVessel() { m_wndTabs.UpdateVessel(); }

    void SetDaylightMode() { SetNightMode(false); }
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndTabs.m_bNight; }

    virtual void AdjustLayout();

    CMFCTargetTabCtrl& GetTabs() { return m_wndTabs; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnActiveTabChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CMFCTargetTabCtrl m_wndTabs;

private:
    BOOL Finish(CWnd* pOwner);
};
