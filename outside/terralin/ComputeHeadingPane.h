// CComputeHeadingPane: the heading between two grid positions (say a vessel's stern and bow
// antennas): the user types the two positions, the pane gives the grid bearing from the first
// to the second and the distance between them.
#pragma once

#include "outside/terralin/TerralinPane.h"

class CComputeHeadingPane : public CTerralinPane
{
    DECLARE_DYNAMIC(CComputeHeadingPane)
public:
    CComputeHeadingPane();
    ~CComputeHeadingPane() override;

    // A pane of the parent titled "Compute Heading". FALSE when a window cannot be made.
    BOOL Create(CWnd* pParent, int nID);
    using CDockablePane::Create;

    // The results (DBL_MAX while there are none): radians clockwise from grid north, and grid
    // units.
    double GetHeading() const;
    double GetDistance() const;

    enum ITEM
    {
        ITEM_FROM_EASTING = 1,
        ITEM_FROM_NORTHING,
        ITEM_TO_EASTING,
        ITEM_TO_NORTHING,
        ITEM_HEADING = 10,
        ITEM_DISTANCE
    };

protected:
    void InitPropList() override;
    void OnItemChanged(CMFCPropertyGridProperty* pProp) override;

private:
    void Compute();
};
