// CTargetPlotPane: the docking pane in which a host edits its target-plot display: the centre
// of the rings (a fixed position or the vessel), the orientation, the rings, the zone lines and
// the labels. It edits the host's record in place, writes the "Target Plot" settings file after
// every change and asks the chart to redraw, or to move to a new centre.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/PropertyGridPane.h"

class CProjection;
class CTargetPlot;

class TOLVAR_API CTargetPlotPane : public CPropertyGridPane
{
    DECLARE_DYNAMIC(CTargetPlotPane)
public:
    CTargetPlotPane() : CPropertyGridPane(1) {}

    // The pane "Target Plot Window" over the host's record, and its flag for centring on the
    // vessel (null: the pane offers no mode or orientation). With the host's projection a new
    // centre moves the chart there; without it the chart is only redrawn. All must outlive the
    // pane. FALSE when the window cannot be made.
    BOOL Create(CWnd* pOwner, int nID, CTargetPlot* pTargetPlot, bool* pVesselMode,
                CProjection* pProjection = nullptr);
    using CMyDockablePane::Create;

    void InitPropList();
    // The record is replaced; the list is rebuilt only by InitPropList.
    void SetTargetPlot(CTargetPlot* pTargetPlot) { m_pTargetPlot = pTargetPlot; }

    void SetVSDotNetLook(BOOL bSet) { m_wndPropList.SetVSDotNetLook(bSet); }

    static const char* const m_UnitsTxt[2];
    static const char* const m_ModeTxt[2];
    static const char* const m_OrientationTxt[2];

    enum ITEM_ID
    {
        ITEM_MODE = 1,
        ITEM_LATITUDE = 2,
        ITEM_LONGITUDE = 3,
        ITEM_DRAW_RINGS = 4,
        ITEM_HEADING_MODE = 5,
        ITEM_ORIENTATION = 6,
        ITEM_UNITS = 7,
        ITEM_RINGS = 8,
        ITEM_RING_SIZE_METRES = 9,
        ITEM_RING_SIZE_NM = 10,
        ITEM_RING_COLOUR = 12,
        ITEM_DRAW_ZONE = 13,
        ITEM_START_BEARING = 14,
        ITEM_STOP_BEARING = 15,
        ITEM_ZONE_COLOUR = 16,
        ITEM_LABEL_CARDINALS = 17,
        ITEM_CARDINAL_COLOUR = 18,
        ITEM_LABEL_RINGS = 19,
        ITEM_RING_LABEL_COLOUR = 20
    };

protected:
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The record's change for the item; true when the centre moved.
    bool StoreChange(CMFCPropertyGridProperty* item);
    // A zone bearing of 0 to 360 (360 kept as 0); any other puts the kept one back in the item.
    void StoreZoneBearing(CMFCPropertyGridProperty* item, double& bearing);
    // "Target Plot": the centre, the orientation, then the options; written whole or not at all.
    void SaveSettings() const;
    // The chart moved to the record's centre, in grid metres of the host's projection.
    void MoveChartToCentre() const;

    CTargetPlot* m_pTargetPlot = nullptr;
    bool* m_pVesselMode = nullptr;
    CMFCPropertyGridProperty* m_pOrientation = nullptr;
    CMFCPropertyGridProperty* m_pHeadingMode = nullptr;
    CProjection* m_pProjection = nullptr;
};
