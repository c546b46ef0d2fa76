// CGridViewPane: a docking pane holding one chart view that fills it; the view reports the
// cursor position to the host's status bar.
#pragma once

#include "chart/ChartexaApi.h"
#include "foundation/MyDockablePane.h"

class CChartexaStatusBar;
class CGridView;

class CHARTEXA_API CGridViewPane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CGridViewPane)

public:
    CGridViewPane() = default;
    // Deletes the view (and its window, when the pane's is still there).
    ~CGridViewPane() override;
    CGridViewPane(const CGridViewPane&) = delete;
    CGridViewPane& operator=(const CGridViewPane&) = delete;

    // The pane "Grid View Pane" as control `id` of `parent`, hidden until the workspace has
    // stored it as visible; 1, or 0 when the pane or its view could not be made.
    BOOL Create(CWnd* parent, int id, CChartexaStatusBar* bar);
    using CMyDockablePane::Create;

    // The view takes the whole client area.
    virtual void AdjustLayout();
    void Update();
    CGridView* GetView() const { return m_pView; }

    // The view's colours; without a view nothing changes and the pane is not in night mode.
    void SetDaylightMode();
    void SetNightMode(bool night);
    bool GetNightMode() const;

    // Members, in this order.
    CGridView* m_pView = nullptr;
    CChartexaStatusBar* m_pStatusBar = nullptr;
    CWnd* m_pParent = nullptr;

protected:
    // The view the pane makes; tests give one that cannot be created.
    virtual CGridView* MakeView();
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* oldWnd);
    DECLARE_MESSAGE_MAP()
};
