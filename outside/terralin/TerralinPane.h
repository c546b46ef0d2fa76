// CTerralinPane: the base of the geodesy panes: a docking pane holding one property grid,
// with the day and night colours and the change notification routed to the pane.
#pragma once

#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/DockablePane.h"

class CTerralinPane : public CDockablePane
{
    DECLARE_DYNAMIC(CTerralinPane)
public:
    CTerralinPane();
    ~CTerralinPane() override;

    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }

    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }
    // The item with the data word (the panes' ITEM ids); null when not shown.
    CMFCPropertyGridProperty* FindItem(DWORD_PTR id) const { return m_wndPropList.FindItemByData(id); }
    // The text the grid shows for an item ("" when it is not shown).
    CString GetShownText(DWORD_PTR id) const;

protected:
    // The item with the data word as its kind; null when not shown or of another kind.
    template <class T> T* Item(DWORD_PTR id) const { return dynamic_cast<T*>(FindItem(id)); }
    // The value of a number item, and of an angle item (radians); DBL_MAX when the item is not
    // shown or holds no value.
    double Number(DWORD_PTR id) const;
    double Angle(DWORD_PTR id) const;

    // Makes the pane and its grid, then InitPropList. FALSE when a window cannot be made.
    BOOL CreatePane(CWnd* pParent, int nID, const char* caption);
    virtual void InitPropList() = 0;
    // An item the user changed and the grid accepted.
    virtual void OnItemChanged(CMFCPropertyGridProperty* pProp) = 0;

    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CMyMFCPropertyGridCtrl m_wndPropList;
    CWnd* m_pOwner = nullptr;
};
