// CSettingsPane: the pane where the user sets how angles, latitudes and longitudes are shown
// and typed, and the grid units and decimals. Each change is saved at once ("Angle Settings",
// "Geographicals Settings", "Grid Settings") and the owner is told with UM_SETTINGS_UPDATE,
// wParam saying what changed (SETTINGS_ANGLES, SETTINGS_GEOGRAPHICALS, SETTINGS_GRID).
#pragma once

#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/DockablePane.h"

// The groups the pane shows (Create's options) and the wParam of UM_SETTINGS_UPDATE.
enum SETTINGS_OPTION : unsigned long
{
    SETTINGS_ANGLES = 0x01,        // angle format and decimals
    SETTINGS_DESCRIPTION = 0x04,   // a description area under the grid (options only)
    SETTINGS_GEOGRAPHICALS = 0x08, // latitude/longitude format, decimals and default letters
    SETTINGS_GRID = 0x80,          // units and the decimals of grid co-ordinates and distances
    SETTINGS_ALL = 0x8D
};

class CSettingsPane : public CDockablePane
{
    DECLARE_DYNAMIC(CSettingsPane)
public:
    CSettingsPane();
    ~CSettingsPane() override;

    // A pane of the parent (its owner: UM_SETTINGS_UPDATE goes there, or to the main window
    // when the parent is null) with the groups of `options` (SETTINGS_OPTION bits; 0 shows
    // them all). FALSE when the window cannot be made.
    BOOL Create(CWnd* pParent, int nID, unsigned long options);
    using CDockablePane::Create;

    // Reads the three settings files again and shows them.
    void Reload();

    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }

    CMyMFCPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }
    // The item of a setting (its data word, IDs below); null when the pane does not show it.
    CMFCPropertyGridProperty* FindItem(DWORD_PTR id) const { return m_wndPropList.FindItemByData(id); }

    enum ITEM
    {
        ITEM_ANGLE_FORMAT = 1,
        ITEM_ANGLE_DECIMALS,
        ITEM_ANGLE_EXAMPLE,
        ITEM_GEOG_FORMAT,
        ITEM_GEOG_DECIMALS,
        ITEM_GEOG_LATITUDE,
        ITEM_GEOG_LONGITUDE,
        ITEM_GEOG_EXAMPLE,
        ITEM_UNITS,
        ITEM_GRID_DECIMALS,
        ITEM_DISTANCE_DECIMALS
    };

protected:
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void InitPropList();
    void ShowExamples();
    // Saves the group of the item; false when the file could not be written.
    bool SaveGroup(unsigned long group);
    void Notify(unsigned long what);

    CMyMFCPropertyGridCtrl m_wndPropList;
    CWnd* m_pOwner = nullptr;
    unsigned long m_options = SETTINGS_ALL;
};
