#include "platform/terralin/EditorSupport.h"

#include "foundation/WindowMessages.h"
#include "platform/ui/Wnd.h"

void PostGeodeticUpdate(CWnd* fallback)
{
    CWnd* target = AfxGetMainCWnd();
    if (target == nullptr || target->GetSafeHwnd() == nullptr)
        target = fallback;
    if (target != nullptr && target->GetSafeHwnd() != nullptr)
        target->PostMessage(UM_GEODETIC_UPDATE, 0, 0);
}
