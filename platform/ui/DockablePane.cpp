#include "platform/ui/DockablePane.h"

#include "platform/core/WinApp.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace
{
const char kVisibilityFilter[] = "suitePaneVisibilityFilter";

// The dock carries the pane's visibility, so a pane learns that it is shown or hidden (by
// ShowPane, the close box or a restored layout) from its dock being shown or hidden itself,
// as a window learns it from WM_SHOWWINDOW. A frame minimised or a tab behind another is not
// such a change.
class DockVisibilityFilter : public QObject
{
public:
    DockVisibilityFilter(QDockWidget* dock, CDockablePane* pane) : QObject(dock), m_pPane(pane), m_Inner(pane->GetWidget()) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::HideToParent || type == QEvent::ShowToParent) && m_Inner && m_pPane->GetSafeHwnd() != nullptr)
            AfxCallWndProc(m_pPane, WM_SHOWWINDOW, type == QEvent::ShowToParent ? TRUE : FALSE, 0);
        return QObject::eventFilter(watched, event);
    }

private:
    CDockablePane* m_pPane;
    // Gone with the pane's window: the pane is then no longer told.
    QPointer<QWidget> m_Inner;
};
} // namespace

IMPLEMENT_DYNAMIC(CDockablePane, CPane)

CDockablePane::CDockablePane() = default;

CDockablePane::~CDockablePane()
{
    m_pDock = nullptr;
}

BEGIN_MESSAGE_MAP(CDockablePane, CPane)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

BOOL CDockablePane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL, UINT nID,
                           DWORD dwStyle, DWORD, DWORD dwControlBarStyle, CCreateContext*)
{
    if (pParentWnd == nullptr || GetSafeHwnd() != nullptr || pParentWnd->GetWidget() == nullptr)
        return FALSE;
    m_strCaption = lpszCaption ? lpszCaption : "";
    m_dwControlBarStyle = dwControlBarStyle;
    const CRect area(rect);
    // The window itself always shows inside its dock; the dock carries the pane's visibility.
    if (!CWnd::CreateEx(0, nullptr, lpszCaption, dwStyle | WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, area.Width(), area.Height()), pParentWnd, nID))
        return FALSE;
    QWidget* inner = GetWidget();
    QWidget* host = inner->parentWidget();
    auto* dock = new QDockWidget(m_strCaption.ToQString(), host);
    QDockWidget::DockWidgetFeatures features = QDockWidget::NoDockWidgetFeatures;
    if (dwControlBarStyle & AFX_CBRS_CLOSE)
        features |= QDockWidget::DockWidgetClosable;
    if (dwControlBarStyle & AFX_CBRS_FLOAT)
        features |= QDockWidget::DockWidgetFloatable | QDockWidget::DockWidgetMovable;
    dock->setFeatures(features);
    // The name by which a frame's saved layout finds the pane again.
    dock->setObjectName(QString::fromLatin1(static_cast<LPCSTR>(GetProfileSection(nID).Mid(10))));
    dock->setWidget(inner);
    inner->show();
    m_pDock = dock;
    if (auto* frame = qobject_cast<QMainWindow*>(host))
    {
        // In a frame the pane sits in a dock area at once, never loose over the view.
        const DWORD side = GetDockSide();
        frame->addDockWidget(static_cast<Qt::DockWidgetArea>(DockAreaOfSide(side)), dock);
        const bool across = side == CBRS_ALIGN_LEFT || side == CBRS_ALIGN_RIGHT;
        if (area.Width() > 0 && area.Height() > 0)
            frame->resizeDocks({dock}, {across ? area.Width() : area.Height()},
                               across ? Qt::Horizontal : Qt::Vertical);
    }
    else
        dock->setGeometry(area.left, area.top, area.Width(), area.Height());
    dock->setVisible((dwStyle & WS_VISIBLE) != 0);
    // The saved layout wins over the style the pane was created with.
    const int stored = GetStoredVisibility(nID);
    if (stored == 0)
        ShowPane(FALSE, FALSE, FALSE);
    else if (stored == 1)
        ShowPane(TRUE, FALSE, FALSE);
    auto* filter = new DockVisibilityFilter(dock, this);
    dock->installEventFilter(filter);
    dock->setProperty(kVisibilityFilter, QVariant::fromValue<QObject*>(filter));
    return TRUE;
}

void CDockablePane::OnNcDestroy()
{
    if (QDockWidget* dock = m_pDock)
    {
        // The dock goes with the pane's window (later: this may run inside one of its events).
        m_pDock = nullptr;
        // A pane going away is not told that it hides.
        if (auto* filter = dock->property(kVisibilityFilter).value<QObject*>())
        {
            dock->removeEventFilter(filter);
            delete filter;
        }
        dock->hide();
        dock->deleteLater();
    }
    CPane::OnNcDestroy();
}

void CDockablePane::ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (!m_pDock)
    {
        CPane::ShowPane(bShow, bDelay, bActivate);
        return;
    }
    m_pDock->setVisible(bShow != FALSE);
    if (bShow && bActivate)
        m_pDock->raise();
}

BOOL CDockablePane::IsVisible() const
{
    // Shown as far as the pane goes: a pane of a frame not yet shown counts as visible when it
    // will show with the frame, as the layout keeps it.
    QDockWidget* dock = m_pDock;
    if (GetSafeHwnd() == nullptr || dock == nullptr)
        return FALSE;
    if (dock->isWindow())
        return dock->isVisible();
    // A pane in a tab behind another is no more seen than a hidden one: the frame keeps it
    // out of sight above and left of its window (as Qt itself tells such a dock's visibility).
    auto* frame = qobject_cast<QMainWindow*>(dock->parentWidget());
    if (frame && !frame->tabifiedDockWidgets(dock).isEmpty() &&
        (dock->geometry().right() < 0 || dock->geometry().bottom() < 0))
        return FALSE;
    return dock->isVisibleTo(dock->window());
}

BOOL CDockablePane::IsDocked() const
{
    return m_pDock != nullptr && !m_pDock->isFloating();
}

BOOL CDockablePane::AttachToTabWnd(CDockablePane* pTabControlBarAttachTo, AFX_DOCK_METHOD, BOOL bSetActive,
                                   CDockablePane** ppTabbedControlBar)
{
    if (ppTabbedControlBar)
        *ppTabbedControlBar = nullptr;
    QDockWidget* other = pTabControlBarAttachTo ? pTabControlBarAttachTo->m_pDock : nullptr;
    auto* frame = m_pDock ? qobject_cast<QMainWindow*>(m_pDock->parentWidget()) : nullptr;
    if (!other || other == m_pDock || !frame || other->parentWidget() != frame)
        return FALSE;
    frame->tabifyDockWidget(other, m_pDock);
    (bSetActive ? m_pDock : other)->raise();
    return TRUE;
}

void CDockablePane::FloatPane(const RECT& rectFloat)
{
    if (!m_pDock)
        return;
    m_pDock->setFloating(true);
    m_pDock->setGeometry(rectFloat.left, rectFloat.top, rectFloat.right - rectFloat.left,
                         rectFloat.bottom - rectFloat.top);
}

DWORD CDockablePane::GetDockSide() const
{
    const DWORD own = GetStyle() & CBRS_ALIGN_ANY;
    for (DWORD side : {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
        if ((own & side) && (m_dwDockAlignment == 0 || (m_dwDockAlignment & side)))
            return side;
    for (DWORD side : {CBRS_ALIGN_RIGHT, CBRS_ALIGN_LEFT, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_TOP})
        if (m_dwDockAlignment & side)
            return side;
    return CBRS_ALIGN_RIGHT;
}

int DockAreaOfSide(DWORD side)
{
    switch (side)
    {
    case CBRS_ALIGN_LEFT:
        return Qt::LeftDockWidgetArea;
    case CBRS_ALIGN_TOP:
        return Qt::TopDockWidgetArea;
    case CBRS_ALIGN_BOTTOM:
        return Qt::BottomDockWidgetArea;
    default:
        return Qt::RightDockWidgetArea;
    }
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
    // A pane behind another's tab is part of the layout as much as the one in front: only a
    // closed pane is stored hidden (the frame's own layout keeps which tab is in front).
    const bool shown = m_pDock ? !m_pDock->isHidden() : IsVisible() != FALSE;
    return app->WriteProfileInt(GetProfileSection(static_cast<UINT>(GetDlgCtrlID())), "IsVisible", shown ? 1 : 0);
}

int CDockablePane::GetStoredVisibility(UINT nID)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    return static_cast<int>(app->GetProfileInt(GetProfileSection(nID), "IsVisible", -1));
}
