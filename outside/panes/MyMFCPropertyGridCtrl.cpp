#include "outside/panes/MyMFCPropertyGridCtrl.h"

#include "outside/panes/GroupProperty.h"

IMPLEMENT_DYNAMIC(CMyMFCPropertyGridCtrl, CMFCPropertyGridCtrl)

namespace
{
// Background, text, group background, group text, description background, description
// text, line; [scheme][0 day, 1 night].
const COLORREF kSchemes[8][2][7] = {
    {{0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x000000, 0xEBEBEB},
     {0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x000000, 0xEBEBEB}},
    {{0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555},
     {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}},
    {{0xCCFFCC, 0x000000, 0x008000, 0x80FF80, 0x008000, 0x80FF80, 0x000000},
     {0x000000, 0x008000, 0x004000, 0x008000, 0x004000, 0x008000, 0x008000}},
    {{0xFFCC99, 0x000000, 0x800000, 0xFF8080, 0x800000, 0xFF8080, 0x000000},
     {0x000000, 0x800000, 0x400000, 0x800000, 0x400000, 0x800000, 0x800000}},
    {{0xFF99CC, 0x000000, 0x800080, 0xFF80FF, 0x800080, 0xFF80FF, 0x000000},
     {0x000000, 0x800080, 0x400040, 0x800080, 0x400040, 0x800080, 0x800080}},
    {{0xF0F0FF, 0x000000, 0x000080, 0x8080FF, 0x000080, 0x8080FF, 0x000000},
     {0x000000, 0x000080, 0x000040, 0x000080, 0x000040, 0x000080, 0x000080}},
    {{0xE7FFFF, 0x000000, 0x008080, 0x00FFFF, 0x008080, 0x00FFFF, 0x000000},
     {0x000000, 0x008080, 0x004040, 0x008080, 0x004040, 0x008080, 0x008080}},
    {{0xD6D6D6, 0x000000, 0x400000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555},
     {0x000000, 0xC0C0C0, 0x800000, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}},
};
} // namespace

BOOL CMyMFCPropertyGridCtrl::SetColourScheme(int nScheme)
{
    if (nScheme < 0 || nScheme > 7)
        return FALSE;
    const COLORREF* c = kSchemes[nScheme][m_bNightMode ? 1 : 0];
    SetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    m_nColourScheme = nScheme;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

bool CMyMFCPropertyGridCtrl::Trigger(int nGroup)
{
    CMFCPropertyGridProperty* group = GetProperty(nGroup);
    m_nTriggered = group ? nGroup : -1;
    if (group == nullptr)
        return false;
    // A device group shows the refresh in its highlight colour, which a selection would hide;
    // any other group is shown by selecting it.
    if (auto* marked = dynamic_cast<CMFCGroupPropertyGridProperty*>(group))
        return marked->Trigger();
    SetCurSel(group);
    return false;
}
