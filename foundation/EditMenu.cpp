#include "foundation/EditMenu.h"

#include "platform/ui/Menu.h"

UINT TrackEditMenu(CWnd& edit, CPoint point, bool locked, UINT idCut, UINT idCopy, UINT idPaste)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return 0;
    menu.AppendMenu(MF_STRING | (locked ? MF_GRAYED : 0u), idCut, "Cut");
    menu.AppendMenu(MF_STRING, idCopy, "Copy");
    menu.AppendMenu(MF_STRING | (locked ? MF_GRAYED : 0u), idPaste, "Paste");
    CPoint screen = point;
    edit.ClientToScreen(&screen);
    return static_cast<UINT>(
        menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, &edit));
}
