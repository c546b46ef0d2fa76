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
struct TrackingPointDef;

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
    // The target waypoint's file, name and position, and the alignments, shown again.
    void UpdateWaypoint();
    // Where the common reference point must be for the tracked point to lie on the target.
    void UpdateCrp();
    // The tracking point shown again, the target recomputed and the file saved.
    void UpdateVessel();

    // The heading zone round a grid alignment: start and stop bearings within 0..360.
    static void ComputeZoneLimits(double gridAlignment, double tolerance, double& start, double& stop);

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
        ITEM_WAYPOINT_FILE = 1,
        ITEM_WAYPOINT = 2,
        ITEM_TRUE_ALIGNMENT = 3,
        ITEM_DRAW_RINGS = 4,
        ITEM_TOLERANCE_TYPE = 5,
        ITEM_BOX_X = 6,
        ITEM_BOX_Y = 7,
        ITEM_RINGS = 9,
        ITEM_RING_SIZE = 10,
        ITEM_RING_COLOUR = 11,
        ITEM_HEADING_TOLERANCE = 12,
        ITEM_DRAW_ZONE = 13,
        ITEM_ZONE_COLOUR = 14,
        ITEM_PITCH = 15,
        ITEM_ROLL = 16,
        ITEM_DEPTH = 17,
        ITEM_SHOW_OUTLINE = 18,
        ITEM_SHADOW_TRUE_ALIGNMENT = 21,
        ITEM_POINT_TYPE = 22,
        ITEM_POINT = 23,
        ITEM_POINT_X = 24,
        ITEM_POINT_Y = 25,
        ITEM_OUTLINE_COLOUR = 26,
        ITEM_OUTLINE_THICKNESS = 27,
        ITEM_OUTLINE_FILL = 28,
        ITEM_LABEL_CARDINALS = 30,
        ITEM_CARDINAL_COLOUR = 31,
        ITEM_LABEL_RINGS = 32,
        ITEM_RING_LABEL_COLOUR = 33,
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
    // The grids' common start: no items, the look of every tab.
    static void BeginList(CMyMFCPropertyGridCtrl& grid);
    // The changes of the Target and Shadow tabs.
    void OnTargetChanged(CMFCPropertyGridProperty* item);
    void OnShadowChanged(CMFCPropertyGridProperty* item);
    // The waypoint-file and waypoint items filled from the target.
    void FillWaypointFiles(CMFCPropertyGridProperty* pItem) const;
    void FillWaypoints(CMFCPropertyGridProperty* pItem) const;
    // The tracking-point type names this object offers, and the names of the points of its
    // current type.
    void FillPointTypes(CMFCPropertyGridProperty* pItem) const;
    void FillPoints(CMFCPropertyGridProperty* pItem) const;
    // The selected tracking point; null for the reference point or one that does not exist.
    const TrackingPointDef* SelectedPoint() const;
    // Alignment items of one tab (true, grid, convergence) shown again.
    void ShowAlignment(CMyMFCPropertyGridCtrl& grid, bool withTrue);
    void ShowZoneLimits();
    void ShowPointOffsets();
    void ShowTargetWaypoint();
};
