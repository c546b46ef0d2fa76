#include "navhost/HostData.h"

#include "featureui/loaders/LoadDig.h"
#include "featureui/loaders/LoadDtm.h"
#include "featureui/loaders/LoadDxf.h"
#include "featureui/loaders/LoadShape.h"
#include "features/SettingsLines.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"
#include "foundation/Folders.h"
#include "navhost/GpxReader.h"
#include "navhost/TrackedObjects.h"
#include "navhost/WindFarmReader.h"
#include "platform/core/FileFind.h"

#include <algorithm>

namespace
{
// The names of the lists' "FLS" files in the settings folder, as the panes save them.
const char kBoundaryList[] = "Boundary";
const char kRouteList[] = "Route";
const char kDesignRouteList[] = "Design Route";
const char kSailLineList[] = "SailLine";
const char kStructureList[] = "Structure";
const char kShapeFileList[] = "Shape Files";
const char kHostSettings[] = "Host";
const char kTargetPlotSettings[] = "Target Plot";

// Appends every path of the list's "FLS" file through `add`, which says whether it loaded.
template <class List, class Add> void AddListedFiles(const List& list, Add add, CStringArray& failed)
{
    CStringArray paths;
    list.LoadFileList(paths);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        if (!add(paths[i]))
            failed.Add(paths[i]);
}
} // namespace

CHostData::CHostData() : m_Mutex(FALSE, nullptr)
{
    m_Spheroid.SetFromTable(CSpheroid::WGS84_ROW);
    m_Projection.SetSpheroid(&m_Spheroid);
    m_Projection.SetZone(31, 0, 0);
    m_Boundaries.m_ListName = kBoundaryList;
    m_Routes.m_ListName = kRouteList;
    m_DesignRoutes.m_ListName = kDesignRouteList;
    m_SailLines.m_ListName = kSailLineList;
    m_Structures.m_ListName = kStructureList;
    m_ShapeFiles.m_ListName = kShapeFileList;
    m_Ebls.spheroid = nullptr;
}

CHostData::~CHostData()
{
    // The receivers' conversions must not reach a projection that is gone.
    if (GetCurrentProjection() == &m_Projection)
        SetCurrentProjection(nullptr);
}

CHostData::HOST_SETTINGS CHostData::LoadHostSettings()
{
    HOST_SETTINGS settings;
    CConfigFile::ReadSettingsFile(kHostSettings, [&](CConfigFile& file) {
        settings.VesselName = file.ReadText("");
        settings.TemplateName = file.ReadText("");
        settings.WindFarmFile = file.ReadText("");
        settings.GpxFile = file.ReadText("");
    });
    return settings;
}

bool CHostData::SaveHostSettings(const HOST_SETTINGS& settings)
{
    return CConfigFile::WriteSettingsFile(kHostSettings, [&](CConfigFile& file) {
        file.WriteText("Vessel Name", settings.VesselName);
        file.WriteText("Template Name", settings.TemplateName);
        file.WriteText("Wind Farm File", settings.WindFarmFile);
        file.WriteText("GPX File", settings.GpxFile);
    });
}

void CHostData::Problem(const char* what, const char* path)
{
    CString line;
    line.Format("%s could not be read: %s", what, path);
    m_LoadProblems.Add(line);
}

void CHostData::Load()
{
    m_LoadProblems.RemoveAll();
    // The grid of the working projection, as the geodetic program keeps it: every receiver's
    // position and every geographic file meet the features there.
    m_Projection.LoadSettings();
    SetCurrentProjection(&m_Projection);

    LoadStructureShapes();
    LoadFeatureLists();
    const HOST_SETTINGS settings = LoadHostSettings();
    LoadTrackObjects(settings);
    LoadTargetPlot();
    if (!settings.WindFarmFile.IsEmpty() && !ReadWindFarms(settings.WindFarmFile, m_Projection, m_WindFarms))
        Problem("Wind farm file", settings.WindFarmFile);
    if (!settings.GpxFile.IsEmpty() && !ReadGpx(settings.GpxFile, m_Gpx))
        Problem("GPX file", settings.GpxFile);
}

void CHostData::LoadFeatureLists()
{
    CStringArray failed;
    m_Waypoints.LoadFileList();
    failed.Append(m_Waypoints.GetFailedPaths());
    m_Pipelines.LoadFileList();
    failed.Append(m_Pipelines.GetFailedPaths());
    AddListedFiles(m_Boundaries, [this](const CString& path) { return m_Boundaries.AddFile(path); }, failed);
    AddListedFiles(m_Routes, [this](const CString& path) { return m_Routes.AddFile(path); }, failed);
    AddListedFiles(m_DesignRoutes, [this](const CString& path) { return m_DesignRoutes.AddFile(path); }, failed);
    AddListedFiles(m_SailLines, [this](const CString& path) { return m_SailLines.AddFile(path); }, failed);
    AddListedFiles(m_Structures, [this](const CString& path) { return m_Structures.AddFile(path); }, failed);

    CStringArray rplPaths;
    CRPLList::LoadFileList(rplPaths);
    for (INT_PTR i = 0; i < rplPaths.GetSize(); ++i)
    {
        auto* rpl = new CRPL;
        if (rpl->Load(rplPaths[i]))
        {
            m_Rpls.Add(rpl);
            continue;
        }
        delete rpl;
        failed.Add(rplPaths[i]);
    }
    for (INT_PTR i = 0; i < failed.GetSize(); ++i)
        Problem("Feature file", failed[i]);

    const CString pipeRoute = CPipeline::LoadActivePath();
    if (!pipeRoute.IsEmpty() && !m_PipeRoute.Load(pipeRoute))
        Problem("Pipe route", pipeRoute);
    m_ShapeFiles.LoadFileList();
}

void CHostData::LoadStructureShapes()
{
    // Every drawing of the shapes folder, in the order the folder lists them: a structure's
    // shape index counts in this order.
    CString folder;
    if (!GetMyDataFolder(folder, "Structures\\Shapes"))
        return;
    CStringArray paths;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + "*.dxf");
    while (more)
    {
        more = finder.FindNextFile();
        paths.Add(finder.GetFilePath());
    }
    finder.Close();
    std::sort(paths.GetData(), paths.GetData() + paths.GetSize(),
              [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
    {
        auto* shape = new CStructureShape;
        if (!shape->Open(paths[i]))
        {
            delete shape;
            Problem("Structure shape", paths[i]);
            continue;
        }
        while (shape->ReadSection())
        {
        }
        shape->Close();
        shape->m_FilePath = paths[i];
        shape->m_MinX = shape->m_HeaderMin.x;
        shape->m_MinY = shape->m_HeaderMin.y;
        shape->m_MaxX = shape->m_HeaderMax.x;
        shape->m_MaxY = shape->m_HeaderMax.y;
        m_Structures.m_Shapes.AddTail(shape);
    }
}

void CHostData::LoadTrackObjects(const HOST_SETTINGS& settings)
{
    m_Vessel.m_Name = settings.VesselName;
    if (!m_Vessel.m_Name.IsEmpty() && !m_Vessel.Load())
        Problem("Vessel", m_Vessel.GetSettingsFileName("VSL"));
    m_Template.m_Name = settings.TemplateName;
    if (!m_Template.m_Name.IsEmpty() && !m_Template.Load())
        Problem("Template", m_Template.GetSettingsFileName("TPL"));

    // One receiver for each antenna of the vessel, silent until its sentences arrive.
    m_VesselGps.clear();
    m_VesselGpsList.RemoveAll();
    for (INT_PTR i = 0; i < m_Vessel.m_Antennas.GetSize(); ++i)
    {
        m_VesselGps.push_back(std::make_unique<CGps>());
        m_VesselGpsList.Add(m_VesselGps.back().get());
    }
    for (CTrackObject* object : {static_cast<CTrackObject*>(&m_Vessel), static_cast<CTrackObject*>(&m_Template)})
        PrepareTrackObject(*object, m_Waypoints, m_SailLines);
    PlaceTemplateAtTarget(m_Template);
}

void CHostData::LoadTargetPlot()
{
    m_TargetPlot.SetSpheroid(m_Spheroid.m_SemiMajor, m_Spheroid.m_E2);
    CSettingsLines lines(10);
    if (!lines.Load(CConfigFile().GetSettingsFileName(kTargetPlotSettings)))
        return;
    // The writer is the target plot pane's: the centre, the orientation, then the options.
    m_TargetPlot.m_Latitude = lines.ReadDouble(m_TargetPlot.m_Latitude);
    m_TargetPlot.m_Longitude = lines.ReadDouble(m_TargetPlot.m_Longitude);
    m_TargetPlot.m_Orientation = lines.ReadInt(m_TargetPlot.m_Orientation);
    CTargetPlot::LoadOptions(lines, m_TargetPlot);
    m_TargetPlot.SetLatitude(m_TargetPlot.m_Latitude);
    m_TargetPlot.m_bChanged = false;
}

template <class List, class Reader> void CHostData::LoadListedDrawings(List& list, Reader read, const char* what)
{
    CStringArray paths;
    List::LoadFileList(paths);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
    {
        CSingleLock lock(&m_Mutex, TRUE);
        auto* drawing = list.AddFile(paths[i]);
        if (drawing != nullptr && !read(drawing))
            Problem(what, paths[i]);
    }
}

void CHostData::LoadDrawings(CWnd* parent)
{
    if (!m_Dtm.m_FileName[0].IsEmpty() && !LoadDtm(&m_Dtm))
        Problem("Terrain model", m_Dtm.m_FileName[0]);

    // Each drawing added and loaded under the mutex, as its pane adds one.
    LoadListedDrawings(m_Digs, [parent](CDig* dig) {
        CLoadDig dialog(parent);
        dialog.SetDig(dig);
        dialog.DoModal();
        return dig->GetSize() > 0;
    }, "Digitised drawing");
    LoadListedDrawings(m_Dxfs, [parent](CDxf* dxf) {
        dxf->LoadDisplaySettings();
        CLoadDxf dialog(parent);
        dialog.SetDxf(dxf);
        dialog.DoModal();
        return dxf->IsWhole();
    }, "DXF drawing");

    LoadShapeFiles(&m_ShapeFiles);
    for (INT_PTR i = 0; i < m_ShapeFiles.m_FileNames.GetSize(); ++i)
        if (m_ShapeFiles.FindShape(m_ShapeFiles.m_FileNames[i]) < 0)
            Problem("Shapefile", m_ShapeFiles.m_FileNames[i]);
}

CGps* CHostData::GetPrimaryReceiver()
{
    const int primary = m_Vessel.m_PrimaryGps;
    if (primary < 0 || primary >= static_cast<int>(m_VesselGps.size()))
        return m_VesselGps.empty() ? nullptr : m_VesselGps.front().get();
    return m_VesselGps[static_cast<size_t>(primary)].get();
}

void CHostData::FeedChart(CGridView* view)
{
    if (view == nullptr)
        return;
    view->SetMutex(&m_Mutex);
    view->SetProjection(&m_Projection);
    view->SetWaypointList(&m_Waypoints);
    view->SetSailLineList(&m_SailLines);
    view->SetDesignRouteList(&m_DesignRoutes);
    view->SetRouteList(&m_Routes);
    view->SetPipelineList(&m_Pipelines);
    view->SetPipeRoute(&m_PipeRoute);
    view->SetRPLList(&m_Rpls);
    view->SetBoundaryList(&m_Boundaries);
    view->SetStructureList(&m_Structures);
    view->SetDxfList(&m_Dxfs);
    view->SetDigList(&m_Digs);
    view->SetDtm(&m_Dtm);
    view->SetDivider(&m_Divider);
    view->SetEBL(&m_Ebls);
    view->SetVessel(&m_Vessel, &m_VesselGpsList);
    view->SetTemplate(&m_Template, nullptr);
    view->SetAis(&m_Ais);
}
