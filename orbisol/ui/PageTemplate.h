// The shape every page of the solar program's sheet shares: a child dialog of one size and
// font, registered by its id, whose controls are taken over by the page's control objects.
#pragma once

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

#include <initializer_list>

// A page template: the page's id, caption and items at the sheet's page size.
constexpr DLGTEMPLATE_TABLE OrbisolPageTemplate(UINT id, const char* caption, const DLGITEM_TABLE* items,
                                                int itemCount)
{
    return {id, caption, "MS Shell Dlg", 8, 0, 0, 311, 227, DS_SETFONT | WS_CHILD | WS_CAPTION, 0, items, itemCount};
}

// Defines the template `name` of the page and registers it, for a page's source file.
#define ORBISOL_PAGE_TEMPLATE(name, id, caption, items)                                                    \
    const DLGTEMPLATE_TABLE name = OrbisolPageTemplate(id, caption, items, AFX_DLGITEM_COUNT(items));     \
    const CDialogTemplateRegistrar name##Registrar(&name)

// A control object and the id of the template item it takes over.
struct PAGE_CONTROL
{
    CWnd* control;
    UINT id;
};

// Subclasses each item of the page with its control object.
void SubclassPageControls(CWnd* page, std::initializer_list<PAGE_CONTROL> controls);
