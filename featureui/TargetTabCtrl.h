// CMyMFCTabCtrl and CMFCTargetTabCtrl: the tab control of the target pane. It shows the target
// settings of one tracked object (a vessel or a subsea template) in up to three property grids,
// "Sail Line" (vessels only), "Target" and "Shadow", edits the host's object in place, and after
// every change saves the object's file and asks the host for a chart redraw.
#pragma once

#include "featureui/TolvarApi.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/Font.h"
#include "platform/ui/TabCtrl.h"

class CBarge;
class CGridWaypointList;
class CSailLineList;
class CTemplate;
class CTrackObject;

// The tab control that passes its grids' change notifications on to an owner.
class TOLVAR_API CMyMFCTabCtrl : public CMFCTabCtrl
{
    DECLARE_DYNAMIC(CMyMFCTabCtrl)
public:
    CMyMFCTabCtrl() = default;
    ~CMyMFCTabCtrl() override = default;

    CWnd* m_pOwner = nullptr;

protected:
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class TOLVAR_API CMFCTargetTabCtrl : public CMyMFCTabCtrl
{
    DECLARE_DYNAMIC(CMFCTargetTabCtrl)
public:
    CMFCTargetTabCtrl();
    ~CMFCTargetTabCtrl() override;

    // Makes the grids and the tabs for the objects set; 1, or -1 when a grid cannot be made
    // (no tab is then added).
    int CreateTabs(CWnd* pOwner);
    // Sizes the active tab's grid to the parent's client area below the tab strip.
    void AdjustLayout();
    void SetPropListFont();
    // Colours the active tab's grid from the visual manager's tab face, for day or night.
    void SetTabColours();
    void InitSailLinePropList();
    void InitTargetPropList();
    void InitShadowPropList();
    // The selected line's co-ordinates and parameters shown again; nothing without a sail-line
    // tab.
    void UpdateSailLine();

    // The tint of a face colour: night a quarter darker, day 60 % towards white.
    static COLORREF TintFaceColour(COLORREF face, bool night);

    CFont m_fntPropList;
    CMyMFCPropertyGridCtrl m_wndSailLinePropList;
    CMyMFCPropertyGridCtrl m_wndTargetPropList;
    CMyMFCPropertyGridCtrl m_wndShadowPropList;
    bool m_bNight = false;
    CWnd* m_pOwnerWnd = nullptr;
    CBarge* m_pBarge = nullptr;
    CTemplate* m_pTemplate = nullptr;
    CTrackObject* m_pTrackObject = nullptr;
    CGridWaypointList* m_pWaypointList = nullptr;
    CSailLineList* m_pSailLineList = nullptr;

    enum ITEM_ID
    {
        ITEM_SAIL_LINE_FILE = 34,
        ITEM_SAIL_LINE = 35,
        ITEM_SAIL_LINE_COLOUR = 36
    };

protected:
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The grid of the active tab; null without tabs.
    CMyMFCPropertyGridCtrl* GetActiveGrid() const;
    // "Line 1" .. "Line n" of the selected sail-line file; none when it is missing.
    void FillLineOptions(CMFCPropertyGridProperty* pItem) const;
    // The tracked object's file saved as its kind saves it.
    void SaveTrackObject();
};
