// CUsblPane: the "Ultra Short Baseline " pane: one group per transponder that the host's
// ultra-short-baseline system tracks, with its position, quality, attitude, heave and its KP
// and DCC along the reference line. A button in each group lets the user pick the transponder
// whose fixes the navigation follows; the pick goes into the host's record and is written at
// once to the system's settings file, named after the record's name.
#pragma once

#include "platform/core/Array.h"
#include "rov/RovApi.h"
#include "rov/RovGridPane.h"

class CUsbl;
class CMFCGroupPropertyGridProperty;
class CMFCPropertyGridButton;

class ROV_API CUsblPane : public CRovGridPane
{
public:
    // The rows of a transponder's group, in order.
    enum ROW
    {
        ROW_BUTTON = 0,
        ROW_EASTING,
        ROW_NORTHING,
        ROW_X,
        ROW_Y,
        ROW_Z,
        ROW_QUALITY,
        ROW_HEADING,
        ROW_PITCH,
        ROW_ROLL,
        ROW_HEAVE,
        ROW_KP,
        ROW_DCC,
        ROW_COUNT
    };
    // The highlight timer of group i has the id TIMER_BASE + i and runs HIGHLIGHT_MS.
    static constexpr UINT TIMER_BASE = 100;
    static constexpr UINT HIGHLIGHT_MS = 250;
    static constexpr COLORREF ACTIVE_COLOUR = 0xCCFFCC;
    static constexpr COLORREF MONITOR_COLOUR = 0xEBEBEB;

    CUsblPane();
    ~CUsblPane() override;

    // Titled "Ultra Short Baseline " (string 10003); on success keeps the host's record (null:
    // updates are ignored) and whether the user may pick the active transponder, and builds the
    // grid. Non-zero when created.
    int Create(CWnd* pOwner, int nID, CUsbl* pUsbl, bool bAllowActivation);
    using CMyDockablePane::Create;

    // The grid rebuilt: a group per transponder of the record, in order.
    void InitPropList();
    // Transponder `index` has a new fix: the grid is rebuilt when the transponder set changed,
    // the group highlighted and its rows shown by what the fix holds. An index the record does
    // not hold shows nothing.
    void Update(int index);
    // Transponder `index` fell silent: its group shows it.
    void SetTimeout(int index);
    using CRovGridPane::SetTimeout;

    // A button pressed (AFX_WM_PROPERTY_CHANGED, lParam the item): its transponder becomes the
    // active one, the settings file is written and every button shows the pick. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    // Writes the record's settings file whole; false (and the old file left) when the record
    // has no name or the file cannot be written.
    static bool WriteSettings(const CUsbl& usbl);
    // The record's name as a file name: the characters no file name may hold, and "..", as
    // '_'. Empty for an empty name.
    static CString SettingsName(const CString& name);

    // Group `index`, null when there is none.
    CMFCGroupPropertyGridProperty* GetGroup(int index) const;
    // Row `row` of group `index`, null when there is none.
    CMFCPropertyGridProperty* GetRow(int index, int row) const;
    CMFCPropertyGridButton* GetButton(int index) const;
    int GetGroupCount() const;
    bool IsActivationAllowed() const { return m_bAllowActivation; }

protected:
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // Whether the set of transponders differs from the one the grid was built for (names
    // compared with regard to case).
    bool TransponderSetChanged() const;
    void ColourButtons();

    CUsbl* m_pUsbl = nullptr;
    bool m_bAllowActivation = false;
    CStringArray m_Names;
};
