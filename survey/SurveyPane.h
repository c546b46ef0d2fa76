// CSurveyPane: the base of the Survey library's panes: one property grid filling the pane, its
// font from the system's message font, the grey scheme the panes start in, the day and night
// and look setters, and the order in which a pane is created.
//
// A pane keeps the pointers the host hands to Create and reads them only in its update methods
// and while painting; it never copies or frees them, and ignores updates while the pointer an
// update needs is null.
#pragma once

#include "foundation/PropertyGridPane.h"
#include "survey/SurveyApi.h"

#include <functional>

class CMFCPropertyGridProperty;

// Adds the group to the grid, expanded, at the next position; that position.
int AddExpandedGroup(CMyMFCPropertyGridCtrl& grid, CMFCPropertyGridProperty* pGroup);

class SURVEY_API CSurveyPane : public CPropertyGridPane
{
    DECLARE_DYNAMIC(CSurveyPane)

public:
    // How AdjustLayout places the grid: at the size of the client area where it stands, or also
    // moved to the client area's top-left corner.
    enum LAYOUT
    {
        LAYOUT_SIZE_ONLY,
        LAYOUT_SIZE_AND_MOVE
    };
    // The grid's control id inside the pane, and its layout.
    explicit CSurveyPane(UINT gridId = 2, LAYOUT layout = LAYOUT_SIZE_ONLY);

    // Scheme 1, which every pane starts in: background, text, group background, group text,
    // description background, description text, lines (COLORREF 0x00BBGGRR), by day and night.
    static const COLORREF DAY_COLOURS[7];
    static const COLORREF NIGHT_COLOURS[7];
    static constexpr int START_SCHEME = 1;

    // Builds the grid's content anew; each pane begins with BeginPropList.
    virtual void InitPropList() = 0;
    // Panes with device groups show only the groups of active devices; nothing by default.
    virtual void UpdateGpsPanes() {}

    // The grid fills the client area; nothing before the pane and its grid have windows.
    void AdjustLayout() override;
    // The grid's font: the GUI font in the face and height of the system's message font.
    void SetPropListFont() override;

    // The VS.NET look and group names across the whole width, both on or off.
    void SetVSDotNetLook(int bSet);
    // Night off or on, the grid's current scheme applied again; the grid's night flag. Here,
    // rather than only in the base, so that a host finds them in the library it loads.
    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const;

protected:
    // The grid made with the pane, kept filling it, given the pane's focus, and its font
    // remade when the system's fonts change; as the base does them.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()


    // Creation in the order every pane keeps: the docking pane (hidden when the profile's
    // "IsVisible" of "Workspace\BasePane-<id>" is -1), then `storePointers`, InitPropList,
    // UpdateGpsPanes and the layout. 0, with nothing stored or built, when the docking pane
    // cannot be made; 1 otherwise.
    int CreatePane(CWnd* pParent, int nID, const CString& strTitle, const std::function<void()>& storePointers);
    // The opening of every InitPropList: the font, the grid emptied, no header ("Property",
    // "Value"), description area, VS.NET look and modified values on, scheme 1 in its day or
    // night colours (by the grid's night flag) and the grid repainted.
    void BeginPropList();
    // The group added expanded at the next position; that position.
    int AddGroup(CMFCPropertyGridProperty* pGroup) { return AddExpandedGroup(m_wndPropList, pGroup); }
    // The group at `position` marked silent; nothing for -1 or a position without a group.
    void SetTimeout(int position);

private:
    LAYOUT m_Layout;
};
