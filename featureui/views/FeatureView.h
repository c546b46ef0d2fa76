// CFeatureView: a list view that tabulates the points of one feature file of one feature type:
// the waypoints of a waypoint file, the points and legs of a route, the start, tangent and
// intersection points of a design route, the vertices of a boundary, or the structures of a
// structure file; always the file at its list's edit file index. A left click makes the row's
// point the edit point of its list; a right click offers the table's export.
#pragma once

#include "featureui/TolvarApi.h"
#include "features/FeatureList.h"
#include "features/FeatureTypes.h"
#include "foundation/MyListView.h"

class CBoundaryList;
class CDesignRouteList;
class CGridWaypointList;
class CPipelineList;
class CRouteList;
class CStructureList;

// Command ids of the right-click menu.
#define ID_FEATUREVIEW_TITLE 1000
#define ID_FEATUREVIEW_SAVE_CSV 1
#define ID_FEATUREVIEW_SAVE_EXCEL 2
#define ID_FEATUREVIEW_PRINT 3
#define ID_FEATUREVIEW_COORDINATE_LISTING 4

class TOLVAR_API CFeatureView : public CMyListView
{
    DECLARE_DYNCREATE(CFeatureView)
protected:
    // Made by the framework (CreateObject): no type, no lists.
    CFeatureView();

public:
    ~CFeatureView() override;

    // The host's lists, which must outlive the view; nothing is redrawn.
    void SetWaypointFiles(CGridWaypointList* pList) { m_pWaypointList = pList; }
    void SetRouteFiles(CRouteList* pList) { m_pRouteList = pList; }
    void SetDesignRouteFiles(CDesignRouteList* pList) { m_pDesignRouteList = pList; }
    void SetBoundaryFiles(CBoundaryList* pList) { m_pBoundaryList = pList; }
    void SetPipelineFiles(CPipelineList* pList) { m_pPipelineList = pList; }
    void SetStructureFiles(CStructureList* pList) { m_pStructureList = pList; }

    // Takes the type, rebuilds the columns of that type (none when its list is not set or the
    // type has no table), then Update.
    void SetFeatureType(FEATURE_TYPES type);
    FEATURE_TYPES GetFeatureType() const { return static_cast<FEATURE_TYPES>(m_EditState.m_Editing); }

    // Refills the rows from the file at the list's edit file index and titles the parent frame
    // "<type> - <file name>".
    void Update();

    // The file and point of the last row clicked (-1 none).
    int GetClickedFile() const { return m_EditState.m_EditFileIndex; }
    int GetClickedPoint() const { return m_EditState.m_EditPointIndex; }

    // Names of the symbol sizes, label positions and label modes in the order of their values,
    // each table ended by a null pointer: for hosts that fill choices with them.
    static const char* const m_SymbolSizeTxt[];
    static const char* const m_LabelPositionTxt[];
    static const char* const m_LabelModeTxt[];

protected:
    // Reflected NM_CLICK: the clicked row's point becomes its list's edit point.
    void OnNMClick(NMHDR* pNMHDR, LRESULT* pResult);
    // Reflected NM_RCLICK: the export menu.
    void OnNMRClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The list of the current type as its feature-list part, and its number of files; null
    // (and 0) when the type has none or its list is not set.
    CFeatureList* CurrentList(INT_PTR* pFileCount = nullptr) const;
    // The rows of the file at the list's edit file index; the file's name, empty when there is
    // no such file.
    CString FillRows();
    // The point a design-route row stands for; -1 for a tangent-point row.
    int DesignRoutePointOfRow(int row) const;
    // Writes the coordinate list of the design route at the list's edit file index.
    void ExportCoordinateList();

    // Flag: the feature type; file and point index: the last row clicked.
    CFeatureList m_EditState;
    CDesignRouteList* m_pDesignRouteList = nullptr;
    CRouteList* m_pRouteList = nullptr;
    CGridWaypointList* m_pWaypointList = nullptr;
    CBoundaryList* m_pBoundaryList = nullptr;
    CPipelineList* m_pPipelineList = nullptr;
    CStructureList* m_pStructureList = nullptr;
};
