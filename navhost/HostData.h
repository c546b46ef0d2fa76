// CHostData: everything the host owns for the libraries' panes and chart to show and edit: one
// list of each kind of feature, the terrain model, the vessel and the subsea template with their
// receivers, the target plot, the AIS targets, the bearing lines and divider, the projection,
// the wind farms and GPX tracks the host reads itself, and the one mutex that guards them while
// a chart paints. The panes and views get pointers to these and never own them, so the object
// outlives every window that shows it.
#pragma once

#include "chart/objects/Ais.h"
#include "chart/objects/Divider.h"
#include "chart/objects/EblList.h"
#include "chart/view/GridView.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/DigList.h"
#include "features/Dtm.h"
#include "features/DxfList.h"
#include "features/Gpx.h"
#include "features/GridWaypointList.h"
#include "features/Pipeline.h"
#include "features/PipelineList.h"
#include "features/RouteList.h"
#include "features/RplList.h"
#include "features/SailLineList.h"
#include "features/ShapeFileList.h"
#include "features/StructureList.h"
#include "features/TargetPlot.h"
#include "features/Template.h"
#include "features/WindFarmList.h"
#include "geodesy/Gps.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "platform/core/Sync.h"

#include <memory>
#include <vector>

class CWnd;

class CHostData
{
public:
    CHostData();
    ~CHostData();
    CHostData(const CHostData&) = delete;
    CHostData& operator=(const CHostData&) = delete;

    // Reads what the settings name: the projection, every feature file list, the structures'
    // shapes, the vessel, template and target plot, the wind farms and GPX tracks. Files that
    // cannot be read are named in GetLoadProblems.
    void Load();
    // The drawings read behind their progress dialogs, each with `parent` as the dialogs'
    // parent: the terrain model, the digitised and DXF drawings (under the mutex, as their
    // panes add them) and the shapefiles.
    void LoadDrawings(CWnd* parent);
    // What could not be read, one line each; empty when all was well.
    const CStringArray& GetLoadProblems() const { return m_LoadProblems; }

    // Hands the chart every object the host owns; the mutex first, so that it can paint.
    void FeedChart(CGridView* view);

    // The receivers of the vessel's antennas, entry i belonging to antenna i.
    CGpsArray* GetVesselReceivers() { return &m_VesselGpsList; }
    // The receiver of the vessel's primary antenna; null when the vessel has no antennas.
    CGps* GetPrimaryReceiver();

    // The host's own settings file "Host": the objects it follows and the files it reads.
    struct HOST_SETTINGS
    {
        CString VesselName;
        CString TemplateName;
        CString WindFarmFile;
        CString GpxFile;
    };
    static HOST_SETTINGS LoadHostSettings();
    static bool SaveHostSettings(const HOST_SETTINGS& settings);

    // Members, in the order the windows are given them.
    CMutex m_Mutex;
    CSpheroid m_Spheroid;
    CProjection m_Projection;
    CBoundaryList m_Boundaries;
    CGridWaypointList m_Waypoints;
    CPipelineList m_Pipelines;
    CRouteList m_Routes;
    CDesignRouteList m_DesignRoutes;
    CSailLineList m_SailLines;
    CRPLList m_Rpls;
    CPipeline m_PipeRoute;
    CStructureList m_Structures;
    CDigList m_Digs;
    CDxfList m_Dxfs;
    CShapeFileList m_ShapeFiles;
    CDtm m_Dtm;
    CBarge m_Vessel;
    CTemplate m_Template;
    CTargetPlot m_TargetPlot;
    bool m_bTargetPlotOnVessel = true;
    CAis m_Ais;
    CEBLList m_Ebls;
    CDivider m_Divider;
    CWindFarmList m_WindFarms;
    CGPX m_Gpx;

private:
    void LoadFeatureLists();
    void LoadStructureShapes();
    void LoadTrackObjects(const HOST_SETTINGS& settings);
    void LoadTargetPlot();
    // Every drawing of the list's file list added to it and loaded by `read` (true when read).
    template <class List, class Reader> void LoadListedDrawings(List& list, Reader read, const char* what);
    // A problem with `what` at `path`, kept for the user.
    void Problem(const char* what, const char* path);

    std::vector<std::unique_ptr<CGps>> m_VesselGps;
    CGpsArray m_VesselGpsList;
    CStringArray m_LoadProblems;
};
