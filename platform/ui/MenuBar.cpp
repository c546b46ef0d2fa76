#include "platform/ui/MenuBar.h"

#include "platform/ui/FrameWnd.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

IMPLEMENT_DYNCREATE(CMFCMenuBar, CMFCToolBar)

BOOL CMFCPopupMenu::m_bForceMenuFocus = TRUE;

namespace
{
constexpr const char* kMenuBarClass = "AfxMenuBar";

struct MenuBarClassRegistrar
{
    MenuBarClassRegistrar()
    {
        AfxRegisterControlClass(
            kMenuBarClass,
            [](HWND, const CREATESTRUCT&, QWidget* parent) -> QWidget* {
                auto* bar = new QMenuBar(parent);
                bar->setNativeMenuBar(false);
                return bar;
            },
            [](CWnd*, UINT, WPARAM, LPARAM, LRESULT*) -> BOOL { return FALSE; });
    }
} g_menuBarClass;

CFrameWnd* FrameOfBar(HWND hBar)
{
    CWnd* bar = CWnd::FromHandle(hBar);
    if (!bar)
        return nullptr;
    if (CWnd* owner = bar->GetOwner(); owner && owner->IsFrameWnd())
        return owner->ToFrameWnd();
    return bar->GetTopLevelFrame();
}

void Populate(QMenu* menu, HMENU hMenu, HWND hBar);

// Every item of the popup, as its menu holds it after the frame's update pass.
void Populate(QMenu* menu, HMENU hMenu, HWND hBar)
{
    menu->clear();
    if (!IsMenu(hMenu))
        return;
    CMenu* popup = CMenu::FromHandle(hMenu);
    if (CFrameWnd* frame = FrameOfBar(hBar))
        frame->UpdateMenuPopup(popup);
    const int count = popup->GetMenuItemCount();
    for (int i = 0; i < count; ++i)
    {
        const UINT state = popup->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR)
        {
            menu->addSeparator();
            continue;
        }
        CString text;
        popup->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        if (CMenu* sub = popup->GetSubMenu(i))
        {
            QMenu* child = menu->addMenu(text.ToQString());
            child->setEnabled(!(state & (MF_GRAYED | MF_DISABLED)));
            const HMENU hSub = sub->GetSafeHmenu();
            QPointer<QMenu> guard(child);
            QObject::connect(child, &QMenu::aboutToShow, [guard, hSub, hBar]() {
                if (guard)
                    Populate(guard, hSub, hBar);
            });
            continue;
        }
        const UINT id = popup->GetMenuItemID(i);
        QAction* action = menu->addAction(text.ToQString());
        action->setEnabled(!(state & (MF_GRAYED | MF_DISABLED)));
        if (state & MF_CHECKED)
        {
            action->setCheckable(true);
            action->setChecked(true);
        }
        QObject::connect(action, &QAction::triggered, [id, hBar]() {
            if (CFrameWnd* frame = FrameOfBar(hBar))
                ::PostMessage(frame->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
        });
    }
}
} // namespace

CMFCMenuBar::CMFCMenuBar() = default;

CMFCMenuBar::~CMFCMenuBar() = default;

BOOL CMFCMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CMFCMenuBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect, UINT nID)
{
    if (!pParentWnd || GetSafeHwnd())
        return FALSE;
    SetPaneStyle(dwStyle & CBRS_ALIGN_ANY);
    if (!CWnd::CreateEx(0, kMenuBarClass, nullptr, (dwStyle | WS_CHILD) & ~(CBRS_ALIGN_ANY | CBRS_GRIPPER),
                        CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    if (CMenu* menu = pParentWnd->GetMenu())
        m_hMenu = menu->GetSafeHmenu();
    Rebuild();
    if (pParentWnd->IsFrameWnd())
        pParentWnd->ToFrameWnd()->AddControlBar(this);
    return TRUE;
}

void CMFCMenuBar::CreateFromMenu(HMENU hMenu, BOOL, BOOL)
{
    m_hMenu = hMenu;
    Rebuild();
}

void CMFCMenuBar::Rebuild()
{
    auto* bar = qobject_cast<QMenuBar*>(GetWidget());
    if (!bar)
        return;
    bar->clear();
    if (!IsMenu(m_hMenu))
        return;
    const HWND self = m_hWnd;
    CMenu* menu = CMenu::FromHandle(m_hMenu);
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i)
    {
        CString text;
        menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        if (CMenu* sub = menu->GetSubMenu(i))
        {
            QMenu* popup = bar->addMenu(text.ToQString());
            const HMENU hSub = sub->GetSafeHmenu();
            QPointer<QMenu> guard(popup);
            QObject::connect(popup, &QMenu::aboutToShow, [guard, hSub, self]() {
                if (guard)
                    Populate(guard, hSub, self);
            });
            continue;
        }
        if (menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
            continue;
        const UINT id = menu->GetMenuItemID(i);
        QAction* action = bar->addAction(text.ToQString());
        QObject::connect(action, &QAction::triggered, [id, self]() {
            if (CFrameWnd* frame = FrameOfBar(self))
                ::PostMessage(frame->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
        });
    }
}

CString CMFCMenuBar::GetMenuTitle(int nIndex) const
{
    CString text;
    if (IsMenu(m_hMenu))
        CMenu::FromHandle(m_hMenu)->GetMenuString(static_cast<UINT>(nIndex), text, MF_BYPOSITION);
    return text;
}

int CMFCMenuBar::GetMenuCount() const
{
    return IsMenu(m_hMenu) ? CMenu::FromHandle(m_hMenu)->GetMenuItemCount() : 0;
}

void CMFCMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
