// CDatumShiftPane: a position taken through the working datum transformation, in either
// direction: type it on the "From" datum (grid or geographicals) and see it on the "To" datum,
// or type it on the "To" datum and see it taken back.
#pragma once

#include "outside/terralin/TerralinPane.h"

class CDatum;

class CDatumShiftPane : public CTerralinPane
{
    DECLARE_DYNAMIC(CDatumShiftPane)
public:
    CDatumShiftPane();
    ~CDatumShiftPane() override;

    // The datum is not owned and must outlive the pane. bShowGeocentric adds the geocentric
    // X, Y and Z of both sides; bShowHeight the ellipsoidal heights.
    BOOL Create(CWnd* pParent, int nID, CDatum* pDatum, bool bShowGeocentric, bool bShowHeight);
    using CDockablePane::Create;

    // The datum changed: its names are shown again and the position converted again from the
    // side the user typed last.
    void RefreshDatum();
    void UpdateAngles();
    void UpdateGeographicals();
    void UpdateGrid();

    // Item ids: the "From" side, then the same offset by TO_SIDE for the "To" side.
    enum ITEM
    {
        ITEM_FROM_NAME = 1,
        ITEM_TO_NAME,
        ITEM_REGION,
        ITEM_STATUS,
        ITEM_EASTING = 10,
        ITEM_NORTHING,
        ITEM_LATITUDE,
        ITEM_LONGITUDE,
        ITEM_HEIGHT,
        ITEM_X,
        ITEM_Y,
        ITEM_Z,
        TO_SIDE = 20
    };

protected:
    void InitPropList() override;
    void OnItemChanged(CMFCPropertyGridProperty* pProp) override;

private:
    void AddSide(const char* caption, int offset);
    void ShowNames();
    // Converts from the side and input the user typed last; shows both sides.
    void Convert();

    CDatum* m_pDatum = nullptr;
    bool m_bShowGeocentric = false;
    bool m_bShowHeight = true;
    // What the user typed last: the side (0 "From", TO_SIDE "To") and grid or geographicals.
    int m_nTypedSide = 0;
    bool m_bGridTyped = false;
};
