#include "platform/ui/Menu.h"

#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/ModalHook.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QWidgetAction>
#include <QPointer>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace
{
struct MenuItem
{
    UINT flags = 0;
    UINT id = 0;
    CString text;
    HMENU popup = nullptr;
    ULONG_PTR data = 0;
};

struct MenuData
{
    std::vector<MenuItem> items;
    MENUINFO info{};
    bool popup = false;
    UINT defaultItem = static_cast<UINT>(-1);
};

struct MenuRegistry
{
    std::map<HMENU, std::unique_ptr<MenuData>> menus;
    std::map<HMENU, CMenu*> owners;                    // objects holding a handle
    std::map<HMENU, std::unique_ptr<CMenu>> temporary; // FromHandle's objects
    std::map<UINT, const MENU_TEMPLATE_ITEM*> templates;
    uintptr_t next = 0x1000;
};

MenuRegistry& Menus()
{
    static auto* registry = new MenuRegistry;
    return *registry;
}

MenuData* DataOf(HMENU h)
{
    auto& menus = Menus().menus;
    auto it = menus.find(h);
    return it == menus.end() ? nullptr : it->second.get();
}

HMENU NewMenu(bool popup)
{
    MenuRegistry& r = Menus();
    auto h = reinterpret_cast<HMENU>(r.next);
    r.next += 0x10;
    auto data = std::make_unique<MenuData>();
    data->popup = popup;
    data->info.cbSize = sizeof(MENUINFO);
    r.menus.emplace(h, std::move(data));
    return h;
}

void DestroyHandle(HMENU h)
{
    MenuRegistry& r = Menus();
    auto it = r.menus.find(h);
    if (it == r.menus.end())
        return;
    std::unique_ptr<MenuData> data = std::move(it->second);
    r.menus.erase(it);
    for (const MenuItem& item : data->items)
        if (item.popup)
            DestroyHandle(item.popup);
    if (auto owner = r.owners.find(h); owner != r.owners.end())
    {
        owner->second->m_hMenu = nullptr;
        r.owners.erase(owner);
    }
    if (auto temp = r.temporary.find(h); temp != r.temporary.end())
    {
        temp->second->m_hMenu = nullptr;
        r.temporary.erase(temp);
    }
}

// The item by command id (searching popups too) or by position; the menu holding it.
MenuItem* FindItem(HMENU h, UINT nItem, UINT nFlags, MenuData** holder = nullptr, size_t* index = nullptr)
{
    MenuData* data = DataOf(h);
    if (!data)
        return nullptr;
    if (nFlags & MF_BYPOSITION)
    {
        if (nItem >= data->items.size())
            return nullptr;
        if (holder)
            *holder = data;
        if (index)
            *index = nItem;
        return &data->items[nItem];
    }
    for (size_t i = 0; i < data->items.size(); ++i)
    {
        MenuItem& item = data->items[i];
        if (!item.popup && !(item.flags & MF_SEPARATOR) && item.id == nItem)
        {
            if (holder)
                *holder = data;
            if (index)
                *index = i;
            return &item;
        }
        if (item.popup)
            if (MenuItem* found = FindItem(item.popup, nItem, nFlags, holder, index))
                return found;
    }
    return nullptr;
}

MenuItem MakeItem(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    MenuItem item;
    // MF_APPEND shares its bit with MF_OWNERDRAW, so it stays: an owner-drawn item keeps its flag.
    item.flags = nFlags & ~(MF_BYPOSITION | MF_CHANGE | MF_DELETE | MF_REMOVE);
    if (nFlags & MF_POPUP)
        item.popup = reinterpret_cast<HMENU>(nIDNewItem);
    else
        item.id = static_cast<UINT>(nIDNewItem);
    if (nFlags & MF_OWNERDRAW)
        item.data = reinterpret_cast<ULONG_PTR>(lpszNewItem);
    else if (!(nFlags & MF_SEPARATOR) && lpszNewItem)
        item.text = lpszNewItem;
    if (item.popup)
        if (MenuData* sub = DataOf(item.popup))
            sub->popup = true;
    return item;
}

// Builds menu levels from a template; returns the index after the level.
size_t BuildFromTemplate(HMENU h, const MENU_TEMPLATE_ITEM* items, size_t at)
{
    MenuData* data = DataOf(h);
    for (;;)
    {
        const MENU_TEMPLATE_ITEM& t = items[at++];
        const bool last = (t.flags & MF_END) != 0;
        const UINT flags = t.flags & ~MF_END;
        if (flags & MF_POPUP)
        {
            HMENU sub = NewMenu(true);
            at = BuildFromTemplate(sub, items, at);
            data = DataOf(h);
            data->items.push_back(MakeItem(flags, reinterpret_cast<UINT_PTR>(sub), t.text));
        }
        else
            data->items.push_back(MakeItem(flags, t.id, t.text));
        if (last)
            return at;
    }
}

CString MenuText(const CString& text)
{
    // The accelerator after a tab is shown by Qt as a shortcut text.
    return text;
}

void Describe(HMENU h, int depth, CString& out)
{
    MenuData* data = DataOf(h);
    if (!data)
        return;
    for (const MenuItem& item : data->items)
    {
        CString line(' ', depth * 2);
        if (item.flags & MF_SEPARATOR)
            line += "-";
        else if (item.flags & MF_OWNERDRAW)
            line += "(owner-drawn)";
        else
            line += item.text;
        if (!out.IsEmpty())
            out += "\n";
        out += line;
        if (item.popup)
            Describe(item.popup, depth + 1, out);
    }
}

bool Choosable(HMENU h, UINT id)
{
    MenuItem* item = FindItem(h, id, MF_BYCOMMAND);
    return item && !(item->flags & (MF_GRAYED | MF_DISABLED));
}

// An owner-drawn item: the owner window measures it (WM_MEASUREITEM) and draws it
// (WM_DRAWITEM) on the menu, as its item data tells it.
class OwnerDrawnItem : public QWidget
{
public:
    OwnerDrawnItem(HWND owner, HMENU menu, const MenuItem& item, QWidget* parent)
        : QWidget(parent), m_owner(owner), m_menu(menu), m_id(item.id), m_data(item.data)
    {
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_MENU;
        mis.itemID = m_id;
        mis.itemData = m_data;
        mis.itemHeight = static_cast<UINT>(fontMetrics().height() + 6);
        if (m_owner)
            ::SendMessage(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        // A menu leaves out items of no width: one the owner did not measure gets a little.
        m_size = QSize(std::max(static_cast<int>(mis.itemWidth), 40), static_cast<int>(mis.itemHeight));
    }

    QSize sizeHint() const override { return m_size; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        CDC dc;
        if (!m_owner || !dc.Attach(&painter))
            return;
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = m_id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = isEnabled() ? 0 : ODS_DISABLED;
        dis.hwndItem = reinterpret_cast<HWND>(m_menu);
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, width(), height());
        dis.itemData = m_data;
        ::SendMessage(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        // The context goes with this scope and gives the painter its state back.
    }

private:
    HWND m_owner;
    HMENU m_menu;
    UINT m_id;
    ULONG_PTR m_data;
    QSize m_size;
};

QMenu* BuildQMenu(HMENU h, QWidget* parent, HWND owner)
{
    MenuData* data = DataOf(h);
    auto* menu = new QMenu(parent);
    if (!data)
        return menu;
    if ((data->info.fMask & MIM_BACKGROUND) && data->info.hbrBack)
    {
        LOGBRUSH lb{};
        if (CBrush* brush = CBrush::FromHandle(data->info.hbrBack); brush && brush->GetLogBrush(&lb))
        {
            QPalette pal = menu->palette();
            pal.setColor(QPalette::Window, ToQColor(lb.lbColor));
            pal.setColor(QPalette::Base, ToQColor(lb.lbColor));
            menu->setPalette(pal);
            menu->setAutoFillBackground(true);
            // The style lightens the palette for menus; the brush's colour is what must show.
            menu->setStyleSheet(QStringLiteral("QMenu { background-color: %1; }").arg(ToQColor(lb.lbColor).name()));
        }
    }
    for (const MenuItem& item : data->items)
    {
        if (item.flags & MF_SEPARATOR)
        {
            menu->addSeparator();
            continue;
        }
        const QString text = MenuText(item.text).ToQString();
        if (item.popup)
        {
            QMenu* sub = BuildQMenu(item.popup, menu, owner);
            sub->setTitle(text);
            sub->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            menu->addMenu(sub);
            continue;
        }
        if (item.flags & MF_OWNERDRAW)
        {
            auto* drawn = new QWidgetAction(menu);
            drawn->setDefaultWidget(new OwnerDrawnItem(owner, h, item, menu));
            drawn->setData(item.id);
            drawn->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            menu->addAction(drawn);
            continue;
        }
        QAction* action = menu->addAction(text);
        action->setData(item.id);
        if (item.flags & MF_CHECKED)
        {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
        if (item.id == data->defaultItem)
        {
            QFont f = action->font();
            f.setBold(true);
            action->setFont(f);
        }
    }
    return menu;
}
} // namespace

void AfxRegisterMenuTemplate(UINT nIDResource, const MENU_TEMPLATE_ITEM* items)
{
    if (items)
        Menus().templates[nIDResource] = items;
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!DataOf(hMenu))
        return nullptr;
    MenuRegistry& r = Menus();
    if (auto it = r.owners.find(hMenu); it != r.owners.end())
        return it->second;
    auto& temp = r.temporary[hMenu];
    if (!temp)
    {
        temp = std::make_unique<CMenu>();
        temp->m_hMenu = hMenu;
    }
    return temp.get();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !DataOf(hMenu))
        return FALSE;
    m_hMenu = hMenu;
    MenuRegistry& r = Menus();
    r.owners[hMenu] = this;
    if (auto temp = r.temporary.find(hMenu); temp != r.temporary.end())
    {
        temp->second->m_hMenu = nullptr;
        r.temporary.erase(temp);
    }
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h)
        Menus().owners.erase(h);
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu()
{
    return !m_hMenu && Attach(NewMenu(false));
}

BOOL CMenu::CreatePopupMenu()
{
    return !m_hMenu && Attach(NewMenu(true));
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    if (m_hMenu)
        return FALSE;
    auto it = Menus().templates.find(nIDResource);
    if (it == Menus().templates.end())
        return FALSE;
    HMENU h = NewMenu(false);
    BuildFromTemplate(h, it->second, 0);
    return Attach(h);
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    HMENU h = Detach();
    // A temporary object (FromHandle) never destroys the menu it stands for.
    DestroyHandle(h);
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    MenuData* data = DataOf(m_hMenu);
    if (!data)
        return FALSE;
    if ((nFlags & MF_POPUP) && !DataOf(reinterpret_cast<HMENU>(nIDNewItem)))
        return FALSE;
    data->items.push_back(MakeItem(nFlags, nIDNewItem, lpszNewItem));
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    MenuData* data = DataOf(m_hMenu);
    if (!data)
        return FALSE;
    if ((nFlags & MF_POPUP) && !DataOf(reinterpret_cast<HMENU>(nIDNewItem)))
        return FALSE;
    MenuData* holder = data;
    size_t index = data->items.size();
    if (nPosition != static_cast<UINT>(-1))
    {
        if (!FindItem(m_hMenu, nPosition, nFlags & MF_BYPOSITION, &holder, &index))
        {
            // Inserting by position past the end appends, as Windows does.
            if (!(nFlags & MF_BYPOSITION))
                return FALSE;
            holder = data;
            index = data->items.size();
        }
    }
    holder->items.insert(holder->items.begin() + static_cast<std::ptrdiff_t>(index),
                         MakeItem(nFlags, nIDNewItem, lpszNewItem));
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    MenuItem* item = FindItem(m_hMenu, nPosition, nFlags & MF_BYPOSITION);
    if (!item)
        return FALSE;
    if (item->popup && item->popup != reinterpret_cast<HMENU>(nIDNewItem))
        DestroyHandle(item->popup);
    *item = MakeItem(nFlags, nIDNewItem, lpszNewItem);
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    MenuData* holder = nullptr;
    size_t index = 0;
    if (!FindItem(m_hMenu, nPosition, nFlags & MF_BYPOSITION, &holder, &index))
        return FALSE;
    holder->items.erase(holder->items.begin() + static_cast<std::ptrdiff_t>(index));
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    MenuItem* item = FindItem(m_hMenu, nPosition, nFlags & MF_BYPOSITION);
    if (!item)
        return FALSE;
    HMENU popup = item->popup;
    if (!RemoveMenu(nPosition, nFlags))
        return FALSE;
    if (popup)
        DestroyHandle(popup);
    return TRUE;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    MenuItem* item = FindItem(m_hMenu, nIDCheckItem, nCheck & MF_BYPOSITION);
    if (!item)
        return static_cast<UINT>(-1);
    const UINT old = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (nCheck & MF_CHECKED);
    return old;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    MenuItem* item = FindItem(m_hMenu, nIDEnableItem, nEnable & MF_BYPOSITION);
    if (!item)
        return static_cast<UINT>(-1);
    const UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    bool any = false;
    for (UINT id = nIDFirst; id <= nIDLast; ++id)
    {
        MenuItem* item = FindItem(m_hMenu, id, nFlags & MF_BYPOSITION);
        if (!item)
            continue;
        any = true;
        item->flags = (item->flags & ~MF_CHECKED) | (id == nIDItem ? (MF_CHECKED | MF_RADIOCHECK) : 0);
        if (id == nIDLast)
            break;
    }
    return any ? TRUE : FALSE;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    MenuItem* item = FindItem(m_hMenu, nID, nFlags & MF_BYPOSITION);
    if (!item)
        return static_cast<UINT>(-1);
    if (item->popup)
    {
        MenuData* sub = DataOf(item->popup);
        const UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
        return (count << 8) | (item->flags & 0xFF) | MF_POPUP;
    }
    return item->flags;
}

int CMenu::GetMenuItemCount() const
{
    MenuData* data = DataOf(m_hMenu);
    return data ? static_cast<int>(data->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    MenuData* data = DataOf(m_hMenu);
    if (!data || nPos < 0 || static_cast<size_t>(nPos) >= data->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = data->items[static_cast<size_t>(nPos)];
    if (item.popup)
        return static_cast<UINT>(-1);
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    MenuItem* item = FindItem(m_hMenu, nIDItem, nFlags & MF_BYPOSITION);
    rString = item ? item->text : CString();
    return rString.GetLength();
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    CString s;
    GetMenuString(nIDItem, s, nFlags);
    if (!lpString || nMaxCount <= 0)
        return s.GetLength();
    const int n = s.GetLength() < nMaxCount - 1 ? s.GetLength() : nMaxCount - 1;
    for (int i = 0; i < n; ++i)
        lpString[i] = s[i];
    lpString[n] = '\0';
    return n;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    MenuData* data = DataOf(m_hMenu);
    if (!data || nPos < 0 || static_cast<size_t>(nPos) >= data->items.size())
        return nullptr;
    HMENU popup = data->items[static_cast<size_t>(nPos)].popup;
    return popup ? FromHandle(popup) : nullptr;
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    MenuData* data = DataOf(m_hMenu);
    if (!data)
        return FALSE;
    if (uItem == static_cast<UINT>(-1))
    {
        data->defaultItem = uItem;
        return TRUE;
    }
    MenuItem* item = FindItem(m_hMenu, uItem, fByPos ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!item)
        return FALSE;
    data->defaultItem = item->id;
    return TRUE;
}

UINT CMenu::GetDefaultItem(UINT, BOOL fByPos)
{
    MenuData* data = DataOf(m_hMenu);
    if (!data || data->defaultItem == static_cast<UINT>(-1))
        return static_cast<UINT>(-1);
    if (!fByPos)
        return data->defaultItem;
    for (size_t i = 0; i < data->items.size(); ++i)
        if (!data->items[i].popup && data->items[i].id == data->defaultItem)
            return static_cast<UINT>(i);
    return static_cast<UINT>(-1);
}

BOOL CMenu::SetMenuInfo(LPCMENUINFO lpcmi)
{
    MenuData* data = DataOf(m_hMenu);
    if (!data || !lpcmi)
        return FALSE;
    if (lpcmi->fMask & MIM_BACKGROUND)
        data->info.hbrBack = lpcmi->hbrBack;
    if (lpcmi->fMask & MIM_STYLE)
        data->info.dwStyle = lpcmi->dwStyle;
    if (lpcmi->fMask & MIM_MAXHEIGHT)
        data->info.cyMax = lpcmi->cyMax;
    if (lpcmi->fMask & MIM_HELPID)
        data->info.dwContextHelpID = lpcmi->dwContextHelpID;
    if (lpcmi->fMask & MIM_MENUDATA)
        data->info.dwMenuData = lpcmi->dwMenuData;
    data->info.fMask |= lpcmi->fMask & ~MIM_APPLYTOSUBMENUS;
    if (lpcmi->fMask & MIM_APPLYTOSUBMENUS)
        for (const MenuItem& item : data->items)
            if (item.popup)
                if (CMenu* sub = FromHandle(item.popup))
                    sub->SetMenuInfo(lpcmi);
    return TRUE;
}

BOOL CMenu::GetMenuInfo(LPMENUINFO lpcmi) const
{
    MenuData* data = DataOf(m_hMenu);
    if (!data || !lpcmi)
        return FALSE;
    const DWORD mask = lpcmi->fMask;
    if (mask & MIM_BACKGROUND)
        lpcmi->hbrBack = data->info.hbrBack;
    if (mask & MIM_STYLE)
        lpcmi->dwStyle = data->info.dwStyle;
    if (mask & MIM_MAXHEIGHT)
        lpcmi->cyMax = data->info.cyMax;
    if (mask & MIM_HELPID)
        lpcmi->dwContextHelpID = data->info.dwContextHelpID;
    if (mask & MIM_MENUDATA)
        lpcmi->dwMenuData = data->info.dwMenuData;
    return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    if (!DataOf(m_hMenu))
        return FALSE;
    const HMENU self = m_hMenu;
    const HWND owner = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (owner && !(nFlags & TPM_NONOTIFY))
        ::SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(self), MAKELPARAM(0, FALSE));
    if (!DataOf(self))
        return FALSE;

    MODAL_RECORD record;
    record.kind = MODAL_RECORD::Menu;
    record.flags = nFlags;
    Describe(self, 0, record.text);
    UINT chosen = 0;
    bool found = false;
    ModalHook::MenuShownAnswer shownAnswer;
    if (ModalHook::TakeMenuAnswer(&chosen, &found, &shownAnswer))
    {
        if (shownAnswer)
        {
            CWnd* ownerWnd = CWnd::FromHandle(owner);
            std::unique_ptr<QMenu> menu(BuildQMenu(self, ownerWnd ? ownerWnd->GetWidget() : nullptr, owner));
            menu->popup(QPoint(x, y));
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            chosen = shownAnswer(menu.get());
            menu->close();
        }
        if (found && chosen && !Choosable(self, chosen))
        {
            CString message;
            message.Format("The prepared menu answer %u is no enabled item of the menu", chosen);
            ModalHook::ReportFailure(message);
            chosen = 0;
        }
        record.answered = found;
    }
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    {
        CWnd* ownerWnd = CWnd::FromHandle(owner);
        std::unique_ptr<QMenu> menu(BuildQMenu(self, ownerWnd ? ownerWnd->GetWidget() : nullptr, owner));
        QPointer<QMenu> guard(menu.get());
        QAction* action = menu->exec(QPoint(x, y));
        chosen = action && guard ? action->data().toUInt() : 0;
    }
    record.result = chosen;
    ModalHook::Record(record);
    if (nFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen && owner && !(nFlags & TPM_NONOTIFY))
        ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

HMENU CreatePopupMenu()
{
    return NewMenu(true);
}

HMENU CreateMenu()
{
    return NewMenu(false);
}

BOOL DestroyMenu(HMENU hMenu)
{
    if (!DataOf(hMenu))
        return FALSE;
    DestroyHandle(hMenu);
    return TRUE;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    CMenu* menu = CMenu::FromHandle(hMenu);
    return menu ? menu->AppendMenu(uFlags, uIDNewItem, lpNewItem) : FALSE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT* prcRect)
{
    CMenu* menu = CMenu::FromHandle(hMenu);
    return menu ? menu->TrackPopupMenu(uFlags, x, y, CWnd::FromHandle(hWnd), prcRect) : FALSE;
}

BOOL IsMenu(HMENU hMenu)
{
    return DataOf(hMenu) != nullptr;
}
