// CRangeAndBearingPane: the range and bearing between two positions, each typed as grid
// co-ordinates or as latitude and longitude on the working projection: the grid distance and
// bearings, and the geodesic distance and azimuths on the projection's spheroid.
#pragma once

#include "outside/terralin/TerralinPane.h"

class CProjection;

class CRangeAndBearingPane : public CTerralinPane
{
    DECLARE_DYNAMIC(CRangeAndBearingPane)
public:
    CRangeAndBearingPane();
    ~CRangeAndBearingPane() override;

    // The projection is not owned and must outlive the pane.
    BOOL Create(CWnd* pParent, int nID, CProjection* pProjection);
    using CDockablePane::Create;

    // The projection changed: both points are converted again from what the user typed.
    void RefreshProjection();
    void UpdateAngles();
    void UpdateGeographicals();
    void UpdateGrid();

    // The results (DBL_MAX while there are none): metres and radians clockwise from north.
    double GetGridDistance() const;
    double GetGridBearing() const;
    double GetGeodesicDistance() const;
    double GetForwardAzimuth() const;
    double GetReverseAzimuth() const;

    // Item ids: a point's items, then the same offset by SECOND_POINT for the second point.
    enum ITEM
    {
        ITEM_PROJECTION = 1,
        ITEM_EASTING = 10,
        ITEM_NORTHING,
        ITEM_LATITUDE,
        ITEM_LONGITUDE,
        SECOND_POINT = 10,
        ITEM_GRID_DISTANCE = 40,
        ITEM_GRID_BEARING,
        ITEM_REVERSE_GRID_BEARING,
        ITEM_GEODESIC_DISTANCE,
        ITEM_FORWARD_AZIMUTH,
        ITEM_REVERSE_AZIMUTH
    };

protected:
    void InitPropList() override;
    void OnItemChanged(CMFCPropertyGridProperty* pProp) override;

private:
    void AddPoint(const char* caption, int offset);
    void ConvertPoint(int offset);
    void Compute();

    CProjection* m_pProjection = nullptr;
    // Per point: whether the grid co-ordinates were typed last (else the geographicals).
    bool m_bGridTyped[2] = {true, true};
};
