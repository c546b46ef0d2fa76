// CScanningProfilerPane: the "Scanning Profiler" pane: one scan view for each active head of
// the host's two-headed profiler, side by side in a wide pane and stacked in a tall one. It
// tells its parent to lay out again ("UM_PANE_ADJUST") when it is sized or hidden.
#pragma once

#include "foundation/MyDockablePane.h"
#include "rov/RovApi.h"

class CScanView;
class CTritech;

class ROV_API CScanningProfilerPane : public CMyDockablePane
{
public:
    CScanningProfilerPane();
    ~CScanningProfilerPane() override;

    // Titled "Scanning Profiler" (string 10004); on success keeps the host's array of two heads
    // (null for none), gives view 1 head 1 and view 2 head 2, and lays out. Non-zero when made.
    int Create(CWnd* pOwner, int nID, CTritech* pProfiler);
    using CMyDockablePane::Create;

    // Head 1 or 2 has new profiles: its view repaints. Other heads are ignored.
    void Update(int head);
    // Head 1 or 2 fell silent (true) or reports again.
    void SetTimeout(int head, bool bTimeout);
    void SetDaylightMode();
    void SetNightMode(bool bNight);

    // The views by the active heads: none active, view 1 fills the pane; both, each takes half
    // the width (wider than tall) or half the height.
    void AdjustLayout();

    // Null before the pane is created and once it is destroyed.
    CScanView* GetView(int head) const { return head == 1 ? m_pView1 : head == 2 ? m_pView2 : nullptr; }

    // The views' control id inside the pane.
    static constexpr UINT VIEW_ID = 3;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The view of head 1 or 2 while its window is there.
    CScanView* LiveView(int head) const;
    void PostPaneAdjust();

    CTritech* m_pProfiler = nullptr;
    CScanView* m_pView1 = nullptr;
    CScanView* m_pView2 = nullptr;
};
