#include "platform/ui/DockablePane.h"

#include "platform/core/WinApp.h"

#include <QDockWidget>
#include <QWidget>

IMPLEMENT_DYNAMIC(CDockablePane, CWnd)

CDockablePane::CDockablePane() = default;

CDockablePane::~CDockablePane()
{
    m_pDock = nullptr;
}

BOOL CDockablePane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL, UINT nID, DWORD dwStyle,
                           DWORD, DWORD dwControlBarStyle, CCreateContext*)
{
    if (pParentWnd == nullptr || GetSafeHwnd() != nullptr)
        return FALSE;
    auto* dock = new QDockWidget(QString::fromLatin1(lpszCaption ? lpszCaption : ""));
    dock->setWidget(new QWidget(dock));
    QDockWidget::DockWidgetFeatures features = QDockWidget::NoDockWidgetFeatures;
    if (dwControlBarStyle & AFX_CBRS_CLOSE)
        features |= QDockWidget::DockWidgetClosable;
    if (dwControlBarStyle & AFX_CBRS_FLOAT)
        features |= QDockWidget::DockWidgetFloatable | QDockWidget::DockWidgetMovable;
    dock->setFeatures(features);
    if (!CreateFromWidget(dock, 0, lpszCaption, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    m_pDock = dock;
    m_strCaption = lpszCaption ? lpszCaption : "";
    m_dwControlBarStyle = dwControlBarStyle;
    // The saved layout wins over the style the pane was created with.
    const int stored = GetStoredVisibility(nID);
    if (stored == 0)
        ShowPane(FALSE, FALSE, FALSE);
    else if (stored == 1)
        ShowPane(TRUE, FALSE, FALSE);
    return TRUE;
}

void CDockablePane::ShowPane(BOOL bShow, BOOL, BOOL)
{
    if (GetSafeHwnd() != nullptr)
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

BOOL CDockablePane::IsVisible() const
{
    return GetSafeHwnd() != nullptr && IsWindowVisible();
}

CString CDockablePane::GetProfileSection(UINT nID)
{
    CString section;
    section.Format("Workspace\\BasePane-%d", static_cast<int>(nID));
    return section;
}

BOOL CDockablePane::SaveState()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    return app->WriteProfileInt(GetProfileSection(static_cast<UINT>(GetDlgCtrlID())), "IsVisible",
                                IsVisible() ? 1 : 0);
}

int CDockablePane::GetStoredVisibility(UINT nID)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    return static_cast<int>(app->GetProfileInt(GetProfileSection(nID), "IsVisible", -1));
}
