// CGridView: the chart: a child window that paints a plan view of grid coordinates (eastings
// and northings in metres of the host's projection) with the survey features, the vessel, a
// subsea template, AIS targets, vanes and bearing lines on it. The host creates it, then hands
// it pointers to what it owns (feature lists, vessel, projection, mutex); the view never owns,
// copies or frees any of them, and reads them each time it paints.
#pragma once

#include "chart/ChartexaApi.h"
#include "chart/objects/ChartObjects.h"
#include "chart/objects/Feature.h"
#include "chart/plot/GridPlot.h"
#include "foundation/SymbolTypes.h"
#include "chart/capture/ScreenGrab.h"
#include "chart/objects/Vane.h"
#include "platform/core/Array.h"
#include "platform/core/Sync.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/View.h"

#include <functional>
#include <vector>

class CAis;
class CAnchorPattern;
class CBarge;
class CBoundaryList;
class CChartexaStatusBar;
class CDataView;
class CDesignRouteList;
class CDigList;
class CDivider;
class CDtm;
class CDxfList;
class CEBLList;
class CGps;
class CGridWaypointList;
class CPipeline;
class CPipelineList;
class CProjection;
class CRoute;
class CRouteList;
class CRPLList;
class CSailLineList;
class CStructureList;
class CTemplate;
class CTrackObject;
class CTrail;
struct AnchorPatternDef;
struct TrackingPointDef;
class CTugs;

// The kind of feature the left button edits; one value for every view of the process.
enum LIVE_EDIT_MODE
{
    EDIT_NONE = 0,
    EDIT_WAYPOINTS = 1,
    EDIT_ROUTES = 2,
    EDIT_DESIGN_ROUTES = 3,
    EDIT_SAIL_LINES = 4,
    EDIT_BOUNDARIES = 5,
    EDIT_STRUCTURES = 6,
    EDIT_EBL = 7,
};

// The receivers of an object, entry i belonging to its antenna (or crane point) i.
using CGpsArray = CArray<CGps*, CGps*>;
using CLaserArray = CArray<CLaser*, CLaser*>;
using CObjectArray = CArray<ObjectDef, const ObjectDef&>;
// A host's drawing called during each paint with the plot, the view and the host's data.
using ChartDrawFunction = void (*)(CGridPlot*, class CGridView*, void*);

class CHARTEXA_API CGridView : public CView
{
    DECLARE_DYNCREATE(CGridView)

public:
    // The ten symbol bitmaps a host supplies, in the order the view keeps them after the
    // anchor strip.
    static constexpr int kSymbolBitmaps = 10;
    static const UINT symbolBitmapIds[kSymbolBitmaps];

    CGridView();
    ~CGridView() override;
    CGridView(const CGridView&) = delete;
    CGridView& operator=(const CGridView&) = delete;

    // The window: a visible child of `parent` (0, 0, 200, 200), control id 0, of a class with
    // double clicks; the cursor read-out goes to `bar`, grabs are named "B_...". Nonzero when
    // made.
    BOOL Create(CWnd* parent, CChartexaStatusBar* bar);
    // The remote display's form: the cursor read-out goes to `box`, and the view only displays.
    BOOL Create(CWnd* parent, CDataView* box);
    // Paints at once through OnDraw, then invalidates.
    void Redraw();
    // The next paint also grabs the view.
    void Capture() { m_bCapture = true; }
    // Empties the status bar's two read-outs.
    void ClearCursorCoords();
    // The parent frame's caption: `text`, or the loaded drawings' file titles joined by " / "
    // (DIG files first, else DXF files; cut to 30 characters and ".." beyond 40), else
    // "Navigation Display".
    void SetTitle(const char* text);
    void SetTitle();
    // The paint: every layer into a bitmap of the client size under the host's mutex, then one
    // copy to `pDC`. Nothing without a mutex, or while a paint is under way.
    void OnDraw(CDC* pDC) override;

    // Data given by the host: each stores the pointer and does nothing else.
    void SetWaypointList(CGridWaypointList* list) { m_pWaypointList = list; }
    void SetSailLineList(CSailLineList* list) { m_pSailLineList = list; }
    void SetDesignRouteList(CDesignRouteList* list) { m_pDesignRouteList = list; }
    void SetRouteList(CRouteList* list) { m_pRouteList = list; }
    void SetPipelineList(CPipelineList* list) { m_pPipelineList = list; }
    void SetPipeRoute(CPipeline* pipeline) { m_pPipeRoute = pipeline; }
    void SetRPLList(CRPLList* list) { m_pRPLList = list; }
    void SetBoundaryList(CBoundaryList* list) { m_pBoundaryList = list; }
    void SetStructureList(CStructureList* list) { m_pStructureList = list; }
    void SetDxfList(CDxfList* list) { m_pDxfList = list; }
    void SetDigList(CDigList* list) { m_pDigList = list; }
    void SetDtm(CDtm* dtm) { m_pDtm = dtm; }
    void SetDivider(CDivider* divider) { m_pDivider = divider; }
    void SetEBL(CEBLList* list) { m_pEBLList = list; }
    // The vessel and its receivers; the view takes up the declutter choice kept with the
    // vessel's display settings.
    void SetVessel(CBarge* vessel, CGpsArray* gps);
    void SetAnchorPattern(CAnchorPattern* anchors, CTugs* tugs)
    {
        m_pAnchorPattern = anchors;
        m_pTugs = tugs;
    }
    void SetTemplate(CTemplate* object, CGpsArray* gps)
    {
        m_pTemplate = object;
        m_pTemplateGps = gps;
    }
    void SetCrane(CGpsArray* gps) { m_pCraneGps = gps; }
    void SetLaser(CLaserArray* lasers) { m_pLasers = lasers; }
    void SetAis(CAis* ais) { m_pAis = ais; }
    void SetTrainingData(CObjectArray* objects, bool training)
    {
        m_pTrainingObjects = objects;
        m_bTraining = training;
    }
    void SetTransitFix(TransitFixDef* fix) { m_pTransitFix = fix; }
    void SetProjection(CProjection* projection) { m_pProjection = projection; }
    // Must be given before the view paints at all.
    void SetMutex(CMutex* mutex) { m_pMutex = mutex; }
    void SetStatusBar(CChartexaStatusBar* bar) { m_pStatusBar = bar; }
    void SetCustomDraw(void* data, ChartDrawFunction function)
    {
        m_pCustomDrawData = data;
        m_pCustomDraw = function;
    }
    void SetLiveDraw(void* data, ChartDrawFunction function)
    {
        m_pLiveDrawData = data;
        m_pLiveDraw = function;
    }

    // View modes. None of them repaints unless it says so.
    // The plot's settings from the settings file `name` ("Grid View Pane", "Remote Display").
    void ReadSettings(const char* name);
    // The working background colour, kept also as the saved one so that the next paint shows it.
    void SetBackgroundColour(COLORREF colour);
    void SetDeclutter(bool declutter) { m_bDeclutter = declutter; }
    void SetShowTools(bool show) { m_bShowTools = show; }
    // Scale index − 1 within 2..30, + 1 within 0..28: the zoom keeps the index within 1..29.
    void ZoomIn();
    void ZoomOut();
    // Moves the centre one grid spacing of the scale (metres) in the direction, turned by the
    // display angle unless north-up; other directions move nothing.
    void PanScreen(PANNING_DIRECTIONS direction);
    void SetTickMode(TICK_MODES mode) { m_Plot.tickMode = mode; }
    TICK_MODES GetTickMode() const { return static_cast<TICK_MODES>(m_Plot.tickMode); }
    // North-up on sets the bow-up offset to 0.
    void SetNorthUp(bool on);
    bool GetNorthUp() const { return m_Plot.northUp; }
    // Clears north-up; offset 0 for bow up, 180 for stern up.
    void SetBowUp(bool bow);
    // True unless the chart is not north-up and the offset is 180.
    bool GetBowUp() const;
    void SetTrackMode(TRACK_MODE mode) { m_Plot.trackMode = mode; }
    TRACK_MODE GetTrackMode() const { return static_cast<TRACK_MODE>(m_Plot.trackMode); }
    void SetTrackObject(TRACKING_OBJECT object) { m_Plot.trackObject = object; }
    TRACKING_OBJECT GetTrackObject() const { return static_cast<TRACKING_OBJECT>(m_Plot.trackObject); }
    // x easting, y northing; only a different centre is taken.
    void SetCentre(tagXY centre);
    // Centre (0, 0): the next tracking update centres on the tracked position.
    void CentreScreen();
    // Black background; grid 0x00FF00 by day, 0x004000 by night. Both repaint the window.
    void SetDaylightMode();
    void SetNightMode(bool night);
    bool GetNightMode() const { return m_Plot.nightMode; }
    CGridPlot* GetPlot() { return &m_Plot; }
    // Drops the vessel's clump weight `index` where it is now (drop), or marks its record
    // picked up, keeping the position; nothing without a vessel or for an index outside the
    // arrays.
    void SetClumpWeight(int index, bool drop);

    // Vanes: the current (0) and the wind (1). An index outside the list, negative or beyond,
    // does nothing (GetVaneStatus false).
    // Stores direction (degrees) and speed (m/s), shows the vane and marks it updated.
    void UpdateVane(int index, double direction, double speed);
    // Shows or hides it, clears its updated flag and saves which vanes show.
    void SetVaneStatus(int index, bool on);
    void ToggleStatus(int index);
    bool GetVaneStatus(int index) const;

    // Edit mode.
    static LIVE_EDIT_MODE GetEditMode() { return m_EditMode; }
    static void SetEditMode(LIVE_EDIT_MODE mode) { m_EditMode = mode; }
    // False above 7; true for 0 and 7; for 1..6 true only when the matching list is set and
    // holds a file or item.
    bool ValidateEditMode(LIVE_EDIT_MODE mode) const;

    // Drawing of survey features, during a paint, into the plot. Each does nothing for a null
    // argument; files whose show flag is off, entries that are null and points outside the
    // plot are skipped.
    // One point symbol with its label: nothing for size 0 or a position outside the plot.
    // Bitmap 0 draws vector symbol `shape` (4 × size + 4 pixels across) filled with `fill` and
    // outlined with `pen`; bitmaps 1..10 draw the host's symbol bitmaps (12000, 12001, 12023,
    // 12018, 12020, 12007, 12016, 12010, 12004, 12013) scaled by the size. The label by mode:
    // 1 and 4 the text, 2 the position, 3 the text and the position, else none.
    void DrawSymbol(const tagXY& position, short bitmap, short shape, short spare, COLORREF pen, COLORREF fill,
                    SYMBOL_SIZE size, const char* label, SYMBOL_LABEL_MODE labelMode, LABEL_POSITION labelPosition);
    // A vector symbol in one colour.
    void DrawVectorSymbol(double easting, double northing, short shape, COLORREF colour, SYMBOL_SIZE size,
                          const char* label, SYMBOL_LABEL_MODE labelMode, LABEL_POSITION labelPosition);
    void DrawVectorSymbol(const tagXY& position, short shape, COLORREF colour, SYMBOL_SIZE size, const char* label,
                          SYMBOL_LABEL_MODE labelMode, LABEL_POSITION labelPosition);
    void DrawWaypoints(CGridWaypointList* list);
    void DrawRoutes(CRouteList* list, bool labels);
    void DrawDesignRoutes(CDesignRouteList* list);
    void DrawSailLine(CSailLineList* list, CBarge* vessel);
    void DrawBoundary(CBoundaryList* list);
    void DrawStructures(CStructureList* list);
    void DrawPipelines(CPipelineList* list);
    void DrawPipeRoute(CPipeline* pipeline);
    void DrawRPLs(CRPLList* list);
    void DrawDtm(CDtm* dtm);

    // Drawing of the moving objects, during a paint.
    // The target box or range rings of the object, and its outline where the target puts it.
    void DrawTarget(CTrackObject* object);
    // Each trail point in the plot as a 4-pixel disc, when the trail is enabled and shown.
    void DrawTrail(bool enabled, bool shown, COLORREF colour, CTrail* trail);
    // The first to the last point with `pen`; with ticks, a tick across each inner point.
    void DrawVelocityVector(CXYArray* points, CPen* pen, bool ticks, POINT offset);
    void DrawObject(ObjectDef* object, COLORREF colour);
    void DrawLaser();
    // The anchor of status 1..3 (the strip's cell status - 1) at its position, its label below
    // and a circle of `radius` metres round it in `pen`.
    void DrawAnchor(tagPen* pen, int status, const char* label, double easting, double northing, double radius);
    void DrawAnchors(CAnchorPattern* anchors);
    void DrawTugs(CTugs* tugs);
    // The host's call only; the paint never draws a transit fix.
    void DrawTransitFix(TransitFixDef* fix);
    // The vessel's and the template's layers, in the paint's order.
    void DrawVesselLayers();
    void DrawTemplateLayers();

    // Picking. A point is under the cursor (client pixels) when it lies in the plot and within
    // 31 pixels in both axes; a leg or line within 32 pixels. The PointOn tests append every
    // hit to m_PickedFeatures in list order and say whether they appended any; none clears it.
    bool PointOnWaypoint(CPoint point);
    bool PointOnRoute(CPoint point);
    bool PointOnRouteLeg(CPoint point);
    // The intersection points of the design routes.
    bool PointOnRPL(CPoint point);
    // Line starts ("SOL n", sub-index 0) and ends ("EOL n", 1).
    bool PointOnSailLine(CPoint point);
    bool PointOnBoundary(CPoint point);
    bool PointOnBoundaryLeg(CPoint point);
    bool PointOnStructure(CPoint point);
    // The first bearing line passing within 3 pixels; -1 for none or no list.
    int PointOnEbl(CPoint point);
    // The vessel point under the cursor, chosen from a menu when several are: its OFFSET_TYPE
    // and index. False for none or a dismissed menu.
    bool PointOnVessel(CPoint point, OFFSET_TYPE* type, int* index);
    // Whether any vessel point is under the cursor; appends nothing.
    bool PointOnVessel(CPoint point);
    // The one candidate, or the one chosen from a menu of them (background 0xD6D6D6); false,
    // the record reset, for none or a dismissed menu.
    bool SelectFeature(CFeature* feature);
    // The general pick: waypoints, structures, routes, sail lines, design routes, boundaries
    // and, unless left out, AIS targets (read under the host's mutex); one of them, chosen from
    // a menu when several are hit. A hit AIS target is posted (its identifier) to the main
    // window and becomes the selected one.
    CFeature Click(CPoint point, bool noAis);

    // The bitmaps: 0 the anchor strip, 1..10 the symbols in the order of symbolBitmapIds. A
    // bitmap that no module supplies stays empty.
    static constexpr int kBitmaps = 1 + kSymbolBitmaps;
    const CBitmap& GetBitmap(int index) const { return m_Bitmaps[index]; }

    // Members, in this order.
    CMutex* m_pMutex = nullptr;
    CGridPlot m_Plot;
    CVane m_Vanes;
    CBitmap m_Bitmaps[kBitmaps];
    CPen m_WhitePen;
    bool m_bCapture = false;
    bool m_bDeclutter = false;
    bool m_bPainting = false;
    bool m_bRemote = false;
    CProjection* m_pProjection = nullptr;
    bool m_bShowTools = true;
    CGridWaypointList* m_pWaypointList = nullptr;
    CSailLineList* m_pSailLineList = nullptr;
    CDesignRouteList* m_pDesignRouteList = nullptr;
    CRouteList* m_pRouteList = nullptr;
    CPipelineList* m_pPipelineList = nullptr;
    CPipeline* m_pPipeRoute = nullptr;
    CRPLList* m_pRPLList = nullptr;
    CBoundaryList* m_pBoundaryList = nullptr;
    CStructureList* m_pStructureList = nullptr;
    CDxfList* m_pDxfList = nullptr;
    CDigList* m_pDigList = nullptr;
    CDtm* m_pDtm = nullptr;
    CDivider* m_pDivider = nullptr;
    CEBLList* m_pEBLList = nullptr;
    CBarge* m_pVessel = nullptr;
    CAnchorPattern* m_pAnchorPattern = nullptr;
    CTugs* m_pTugs = nullptr;
    CGpsArray* m_pVesselGps = nullptr;
    CLaserArray* m_pLasers = nullptr;
    CAis* m_pAis = nullptr;
    CObjectArray* m_pTrainingObjects = nullptr;
    bool m_bTraining = false;
    CTemplate* m_pTemplate = nullptr;
    CGpsArray* m_pTemplateGps = nullptr;
    CGpsArray* m_pCraneGps = nullptr;
    TransitFixDef* m_pTransitFix = nullptr;
    ChartDrawFunction m_pCustomDraw = nullptr;
    ChartDrawFunction m_pLiveDraw = nullptr;
    void* m_pCustomDrawData = nullptr;
    void* m_pLiveDrawData = nullptr;
    CChartexaStatusBar* m_pStatusBar = nullptr;
    CDataView* m_pDataView = nullptr;
    // pick state: the feature the mouse picked
    CString m_PickTitle;
    CString m_PickName;
    CString m_PickMenuText;
    int16_t m_PickFileIndex = -1;
    int16_t m_PickSubIndex = -1;
    int16_t m_PickType = -1;
    int32_t m_PickPointIndex = -1;
    bool m_bPicked = false;
    bool m_bDragging = false;
    uint32_t m_PickItem = 0;
    bool m_bPickMoved = false; // the dragged feature moved since the press
    CArray<CFeature, const CFeature&> m_PickedFeatures;
    CScreenGrab m_SnapShot;

    static LIVE_EDIT_MODE m_EditMode;
    // Wheel notches since the last zoom by the wheel, in every view of the process.
    static int16_t m_WheelCount;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    // The left button edits the features of the edit mode in place: a press grabs a point or
    // adds one to the edited file, moves drag it, the release saves its file. With shift or
    // control it places the divider; in mode 7 it grabs or draws bearing lines; otherwise a
    // drag pans the chart (never in mode 4). Changes are posted to the main window.
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    // The right button opens the menu of what lies under the cursor: a bearing line, a
    // feature point or leg, the vessel, or the empty chart's display settings.
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    // The owner-drawn items of those menus: titles (10000), the colour item (20000) and the
    // line styles (30000..30004).
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // Six notches either way zoom one step (the count is shared by every view) and repaint;
    // keys go to the plot's navigation. A remote view only runs the default handling.
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // Characters do not move the chart: the key itself already did.
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // Shows the message of the last grab, once the paint that made it has let go of the mutex.
    LRESULT OnGrabDone(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateChartWindow(CWnd* parent, CChartexaStatusBar* bar, CDataView* box);
    void LoadBitmaps();
    // A tracking point's symbol at a grid position, its label dropped while decluttered.
    void DrawPoint(const TrackingPointDef& point, const tagXY& position, const char* label);
    // The object's outline by its outline mode at a position and heading (degrees).
    void DrawOutlineByMode(CTrackObject& object, const tagXY& position, double heading, bool shadow);
    bool IsUnderCursor(double e, double n, CPoint point, int reach = 32) const;
    bool IsLegUnderCursor(const tagXY& from, const tagXY& to, CPoint point, int tolerance = 32) const;
    void AddCandidate(int type, int file, const char* title, int index, const char* name, uint32_t item, int sub);
    // The candidates' menu at the cursor: the chosen position, or -1 when dismissed or when no
    // menu could be made.
    int ChooseCandidate(CPoint point, COLORREF background, bool coloured);
    // Appends the points under the cursor of `files` route files.
    bool AddRoutePoints(INT_PTR files, const std::function<const CRoute*(INT_PTR)>& fileAt, int type, CPoint point);
    // Appends the vessel's points under the cursor in picking order.
    bool AddVesselCandidates(CPoint point);
    void DrawDigs();
    void DrawAisTargets();
    void DrawLayers(const CRect& client);
    CString m_GrabMessage; // shown by OnGrabDone
    // A cell of the anchor strip, 20 × 20 pixels centred on the screen point, transparently.
    void DrawAnchorCell(int cell, int x, int y);
    // Edit marking: a white vector symbol labelled below the point; the picked point large
    // (shape `pickedShape`, size 4, name and position), every other point small (shape 7,
    // size 2, name).
    void DrawEditMark(const tagXY& position, bool picked, const char* label, short pickedShape = 18);
    // Whether the pick state names this point.
    bool IsPicked(int type, int file, int point, int subIndex = -1) const;
    // A feature's corridor: the closed polygon of the port edge forward and the starboard edge
    // back, filled and outlined by `style`, then both edges in 1-pixel lines of its colour.
    void DrawCorridor(const std::vector<tagXY>& port, const std::vector<tagXY>& starboard, const tagPen& style);
    // The vane at `index`, or null outside the list.
    VaneDef* Vane(int index);

    // Live editing (GridViewEdit.cpp).
    // The cursor's grid position on the status bar; false, the read-out emptied, outside the
    // plotted rectangle.
    bool ShowCursorPosition(CPoint point, double* e, double* n);
    // The pick state takes the feature; type 0 resets it.
    void SetPickState(const CFeature& feature);
    void ResetPickState();
    // A press in modes 1..6: grabs the point under the cursor into the pick state and the
    // list's edit state; false when none was chosen.
    bool GrabFeature(CPoint point);
    // A press in modes 1..6 that grabbed nothing: the new point at (e, n) in the list's edit
    // file, saved at once.
    void AddFeature(double e, double n);
    // Mode 7: grabs an end of a bearing line under the cursor, else draws out a new line.
    bool GrabEbl(CPoint point, double e, double n);
    void NewEbl(CPoint point, double e, double n);
    // The dragged feature moves to (e, n); false when its indices name nothing.
    bool MovePickedFeature(double e, double n);
    // Writes the file of the dragged feature with its type's writer.
    void SavePickedFile();
    // A sail line added by the press and never drawn out leaves memory and its file.
    void DropUndrawnSailLine();
    // The last bearing line goes when its ends lie within 20 pixels in both axes.
    void DropShortEbl();

    // Context menus (GridViewMenu.cpp).
    // The command chosen from the menu shown at the client point; 0 when dismissed.
    UINT TrackMenu(CMenu& menu, CPoint point);
    // A one-command menu under a title; true when the command was chosen.
    bool ConfirmMenu(const char* title, const char* command, CPoint point);
    void EblMenu(int index, CPoint point);
    // The steps of a right click on a feature: each gets the chosen feature and the press.
    void EditWaypoint(const CFeature& chosen, CPoint point);
    void EditSailLine(const CFeature& chosen, CPoint point);
    void EditRoutePoint(const CFeature& chosen, CPoint point);
    void InsertRoutePoint(const CFeature& chosen, CPoint point);
    void DeleteDesignRoutePoint(const CFeature& chosen, CPoint point);
    void EditBoundaryVertex(const CFeature& chosen, CPoint point);
    void InsertBoundaryVertex(const CFeature& chosen, CPoint point);
    void EditStructure(const CFeature& chosen, CPoint point);
    void DeclutterMenu(CPoint point);
    void ChartMenu(CPoint point);
    // An owner-drawn item's background, selected or not, and its text after the indent.
    void DrawMenuItemBackground(CDC* dc, const DRAWITEMSTRUCT* item, const char* text);
};
