// CTraversePane: a traverse on the working projection's grid: a start point (grid or
// geographicals) and legs of grid bearing and grid distance, with each leg's end point and
// the end point's latitude and longitude.
#pragma once

#include "outside/terralin/TerralinPane.h"

#include <vector>

class CProjection;

// One leg: grid bearing (radians clockwise from grid north) and grid distance (metres).
struct TraverseLegDef
{
    double Bearing;
    double Distance;
};

class CTraversePane : public CTerralinPane
{
    DECLARE_DYNAMIC(CTraversePane)
public:
    enum
    {
        MAX_LEGS = 20
    };

    CTraversePane();
    ~CTraversePane() override;

    // The projection is not owned and must outlive the pane.
    BOOL Create(CWnd* pParent, int nID, CProjection* pProjection);
    using CDockablePane::Create;

    void RefreshProjection();
    void UpdateAngles();
    void UpdateGeographicals();
    void UpdateGrid();

    int GetLegCount() const { return static_cast<int>(m_legs.size()); }
    // The end of the traverse (DBL_MAX while a leg or the start is missing).
    double GetEndEasting() const;
    double GetEndNorthing() const;
    double GetEndLatitude() const;
    double GetEndLongitude() const;

    // Item ids. A leg's items are LEG_BASE + LEG_STRIDE * leg + the field.
    enum ITEM
    {
        ITEM_PROJECTION = 1,
        ITEM_START_EASTING,
        ITEM_START_NORTHING,
        ITEM_START_LATITUDE,
        ITEM_START_LONGITUDE,
        ITEM_LEG_COUNT,
        ITEM_END_EASTING,
        ITEM_END_NORTHING,
        ITEM_END_LATITUDE,
        ITEM_END_LONGITUDE,
        ITEM_TOTAL_DISTANCE,
        LEG_BASE = 100,
        LEG_STRIDE = 10,
        LEG_BEARING = 0,
        LEG_DISTANCE = 1,
        LEG_EASTING = 2,
        LEG_NORTHING = 3
    };
    static DWORD_PTR LegItem(int leg, int field) { return LEG_BASE + LEG_STRIDE * leg + field; }

protected:
    void InitPropList() override;
    void OnItemChanged(CMFCPropertyGridProperty* pProp) override;

private:
    void ConvertStart();
    void Compute();

    CProjection* m_pProjection = nullptr;
    bool m_bGridTyped = true;
    // DBL_MAX marks a value not typed yet; kept across a change of the number of legs.
    std::vector<TraverseLegDef> m_legs;
    double m_startEasting = DBL_MAX, m_startNorthing = DBL_MAX;
    double m_startLatitude = DBL_MAX, m_startLongitude = DBL_MAX;
};
