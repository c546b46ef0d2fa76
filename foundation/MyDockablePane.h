// CMyDockablePane: the base of every feature pane of the suite; remembers its owner, id and
// title, and starts hidden until a saved layout shows it. Also the property-grid colour
// schemes and the library's entry.
#pragma once

#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/DockablePane.h"

class CMyDockablePane : public CDockablePane
{
public:
    CMyDockablePane() = default;

    // Creates the pane (200 x 200, right-docked style, regular tabs, float/close/resize/auto-
    // hide); a pane with no stored layout ("IsVisible" -1) is hidden. TRUE when created.
    virtual BOOL Create(CWnd* pParent, int nID, const CString& strTitle);
    using CDockablePane::Create;

    CWnd* m_pOwner = nullptr;
    int m_nID = 0;
    CString m_strTitle;
};

// Applies colour scheme 0..7 (day or night by the grid's night flag); other numbers change
// nothing.
void SetColourScheme(CMyMFCPropertyGridCtrl* pGrid, int nScheme);

// The library's entry: attach joins the library's resources to the host's chain (FALSE when
// that fails), detach takes them out again; thread attach and detach do nothing.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
BOOL TolvarLibraryEntry(DWORD dwReason);
