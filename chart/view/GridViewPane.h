// CGridViewPane: a docking pane that holds one chart view, whose cursor read-out goes to the
// host's status bar. Its settings are "Grid View Pane".
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
    ~CGridViewPane() override = default;

    // The pane "Grid View Pane" of control id `id`, hidden while the workspace never stored it
    // as visible; its view made in OnCreate. FALSE when the pane or its view could not be made.
    BOOL Create(CWnd* parent, int id, CChartexaStatusBar* bar);
    using CMyDockablePane::Create;

    // The view fills the client area.
    virtual void AdjustLayout();
    void Update();
    CGridView* GetView() const { return m_pView; }
    // The view's modes; without a view nothing, and not night.
    void SetDaylightMode();
    void SetNightMode(bool night);
    bool GetNightMode() const;

    CGridView* m_pView = nullptr; // a child window of the pane, going with it
    CChartexaStatusBar* m_pStatusBar = nullptr;
    CWnd* m_pParent = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
