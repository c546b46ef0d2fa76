// CPicturePane: a docking pane that only holds a view the main frame made for it (the picture
// view of the "Vertical Offset" diagram) and keeps it filling the pane.
#pragma once

#include "foundation/MyDockablePane.h"
#include "platform/ui/Font.h"

class CPicturePane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CPicturePane)
public:
    CPicturePane() = default;
    ~CPicturePane() override;

    // The view it holds, not owned; sized to the pane at once.
    void SetView(CWnd* pView);
    CWnd* GetView() const { return m_pView; }

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void AdjustLayout();

    CFont m_Font;
    CWnd* m_pView = nullptr;
};
