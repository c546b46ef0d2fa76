#include "testsupport/MenuProbe.h"

#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

#include <gtest/gtest.h>

namespace MenuProbe
{
void ExpectMenu(CWnd* frame, const std::vector<Popup>& menu)
{
    CMenu* bar = frame ? frame->GetMenu() : nullptr;
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuItemCount(), static_cast<int>(menu.size()));
    for (int p = 0; p < bar->GetMenuItemCount(); ++p)
    {
        CString label;
        bar->GetMenuString(p, label, MF_BYPOSITION);
        EXPECT_EQ(label, menu[p].label);
        CMenu* popup = bar->GetSubMenu(p);
        ASSERT_NE(popup, nullptr) << menu[p].label;
        std::vector<std::pair<CString, UINT>> items;
        for (int i = 0; i < popup->GetMenuItemCount(); ++i)
        {
            const UINT id = popup->GetMenuItemID(i);
            if (id == 0)
                continue; // separator
            CString text;
            popup->GetMenuString(i, text, MF_BYPOSITION);
            items.emplace_back(text, id);
        }
        ASSERT_EQ(items.size(), menu[p].items.size()) << menu[p].label;
        for (size_t i = 0; i < items.size(); ++i)
        {
            EXPECT_EQ(items[i].first, menu[p].items[i].first) << menu[p].label;
            EXPECT_EQ(items[i].second, menu[p].items[i].second) << menu[p].items[i].first;
        }
    }
}
} // namespace MenuProbe
