// CGridToGeogPane: type a grid position and see its latitude and longitude, the grid
// convergence and the point scale factor on the working projection; or type a latitude and
// longitude and see the grid position.
#pragma once

#include "outside/terralin/TerralinPane.h"

class CProjection;

class CGridToGeogPane : public CTerralinPane
{
    DECLARE_DYNAMIC(CGridToGeogPane)
public:
    CGridToGeogPane();
    ~CGridToGeogPane() override;

    // The projection is not owned and must outlive the pane.
    BOOL Create(CWnd* pParent, int nID, CProjection* pProjection);
    using CDockablePane::Create;

    // The projection changed: its names are shown again and the position recomputed from the
    // grid co-ordinates typed last.
    void RefreshProjection();
    // The user's notations changed: the shown values take them.
    void UpdateAngles();
    void UpdateGeographicals();
    void UpdateGrid();

    // The position shown (DBL_MAX while there is none): grid units and radians.
    double GetEasting() const;
    double GetNorthing() const;
    double GetLatitude() const;
    double GetLongitude() const;
    double GetConvergence() const;
    double GetScaleFactor() const;

    enum ITEM
    {
        ITEM_PROJECTION = 1,
        ITEM_ZONE,
        ITEM_SPHEROID,
        ITEM_EASTING,
        ITEM_NORTHING,
        ITEM_LATITUDE,
        ITEM_LONGITUDE,
        ITEM_CONVERGENCE,
        ITEM_SCALE
    };

protected:
    void InitPropList() override;
    void OnItemChanged(CMFCPropertyGridProperty* pProp) override;

private:
    void ShowProjection();
    void GridToGeographic();
    void GeographicToGrid();
    void ClearComputed(bool grid);

    CProjection* m_pProjection = nullptr;
    // Which side the user typed last: the other is computed from it.
    bool m_bGridTyped = true;
};
