// CSpheroidProjectionPane: the working projection and its spheroid, shown read-only: the grid's
// name, country, origin, false origin and scale factor, and the spheroid's name, semi-major
// axis and inverse flattening. The program that changes the projection calls Refresh.
#pragma once

#include "outside/terralin/TerralinPane.h"

class CProjection;

class CSpheroidProjectionPane : public CTerralinPane
{
    DECLARE_DYNAMIC(CSpheroidProjectionPane)
public:
    CSpheroidProjectionPane();
    ~CSpheroidProjectionPane() override;

    // A pane of the parent with the caption showing the projection (not owned; it must outlive
    // the pane) and, with bShowSpheroid, its spheroid; bNight starts it in the night colours.
    // FALSE when a window cannot be made.
    BOOL Create(CWnd* pParent, const char* caption, int nID, CProjection* pProjection, bool bShowSpheroid,
                bool bNight);
    using CDockablePane::Create;

    // Shows the projection and spheroid as they are now, in the user's units and formats.
    void Refresh();

    enum ITEM
    {
        ITEM_PROJECTION_NAME = 1,
        ITEM_COUNTRY,
        ITEM_ORIGIN_LATITUDE,
        ITEM_ORIGIN_LONGITUDE,
        ITEM_FALSE_EASTING,
        ITEM_FALSE_NORTHING,
        ITEM_SCALE_FACTOR,
        ITEM_SPHEROID_NAME = 20,
        ITEM_SEMI_MAJOR,
        ITEM_INVERSE_FLATTENING
    };

protected:
    void InitPropList() override;
    // Nothing here is edited.
    void OnItemChanged(CMFCPropertyGridProperty*) override {}

private:
    CProjection* m_pProjection = nullptr;
    bool m_bShowSpheroid = true;
};
