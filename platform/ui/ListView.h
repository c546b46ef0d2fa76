// CListView: a view that is the list control (window class "SysListView32"). Notifications the
// control sends its parent come back to the view's map as reflected ones (ON_NOTIFY_REFLECT).
#pragma once

#include "platform/ui/ListCtrl.h"
#include "platform/ui/View.h"

class PLATFORM_API CListView : public CCtrlView
{
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    ~CListView() override;

    // The view's own window as a list control (its state is the window's).
    CListCtrl& GetListCtrl() const;

protected:
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

private:
    mutable CListCtrl m_list;
};
