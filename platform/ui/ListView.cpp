#include "platform/ui/ListView.h"

#include "platform/ui/WndPrivate.h"

IMPLEMENT_DYNCREATE(CListView, CCtrlView)

CListView::CListView() : CCtrlView("SysListView32", AFX_WS_DEFAULT_VIEW | LVS_REPORT) {}

CListView::~CListView()
{
    WndAccess::Unshadow(&m_list);
}

BEGIN_MESSAGE_MAP(CListView, CCtrlView)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CListCtrl& CListView::GetListCtrl() const
{
    // The list control's calls act on the window; this object stands in for the view's own
    // window as a CListCtrl, without becoming its bound object.
    WndAccess::Shadow(&m_list, this);
    return m_list;
}

void CListView::OnNcDestroy()
{
    WndAccess::Unshadow(&m_list);
    CCtrlView::OnNcDestroy();
}
