#include "orbisol/ui/PageTemplate.h"

void SubclassPageControls(CWnd* page, std::initializer_list<PAGE_CONTROL> controls)
{
    for (const PAGE_CONTROL& item : controls)
        item.control->SubclassDlgItem(item.id, page);
}
