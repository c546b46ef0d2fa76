// CTrainingPane: the "Training" pane, where the instructor sets up an exercise: the training
// output on or off, its serial and UDP ports, the environment (time of day, rain, fog, wind,
// waves), and a helicopter and three vessels with their routes and play, pause and stop
// controls. It edits the host's training record in place, saves it, sends the environment to
// the simulator as it changes, and tells the host's main window when the output is switched on
// or off ("UM_TRAINING", wParam 1 on, 0 off, lParam 0).
//
// Choices of this pane:
//   - The "UDP PORT" of "Environment Output" carries id 4. Its edit sets the record's
//     environment UDP port and saves; the host reopens its environment sender.
//   - "Waypoint File" lists, after "Not Selected", the file titles of the loaded grid-waypoint
//     files in list order; "Waypoint " lists the points of the chosen file, in file order.
//   - UpdateWaypoint fills "Easting", "Northing", "Height" and "Radius" from the chosen
//     waypoint, and empties them (0) when none is chosen.
//   - A navigation "UDP PORT" of 0 means none: the open sender is closed and not reopened.
//   - The fog density shows as density x 1000 rounded to the nearest whole number, so that a
//     density typed in is shown back as typed whatever precision the product is formed in.
//
// The record, the waypoint list and the route list are the host's; they must outlive the pane
// and are never freed by it. The pane reads no files.
#pragma once

#include "survey/SurveyApi.h"
#include "survey/SurveyPane.h"

class CTraining;
class CGridWaypointList;
class CDesignRouteList;

class SURVEY_API CTrainingPane : public CSurveyPane
{
    DECLARE_DYNAMIC(CTrainingPane)

public:
    // The data words of the editable items; display-only items carry 0.
    enum ITEM_DATA
    {
        DATA_USE = 1,
        DATA_COM_PORT = 2,
        DATA_NAVIGATION_PORT = 3,
        DATA_ENVIRONMENT_PORT = 4,
        DATA_TIME_OF_DAY = 5,
        DATA_RAIN = 6,
        DATA_FOG = 7,
        DATA_DENSITY = 8,
        DATA_BEAUFORT = 9,
        DATA_WIND_DIRECTION = 10,
        DATA_WAVE_FREQUENCY = 11,
        DATA_WAVE_SPEED = 12,
        DATA_NUMBER_OF_WAVES = 13,
        DATA_HELICOPTER_MODE = 14,
        DATA_WAYPOINT_FILE = 15,
        DATA_WAYPOINT = 16,
        DATA_HELICOPTER_SPEED = 17,
        DATA_HELICOPTER_ROUTE = 18,
        DATA_HELICOPTER_PLAY = 19,
        DATA_VESSEL_ONE_ROUTE = 20,
        DATA_VESSEL_ONE_PLAY = 21,
        DATA_VESSEL_TWO_ROUTE = 22,
        DATA_VESSEL_TWO_PLAY = 23,
        DATA_VESSEL_THREE_ROUTE = 24,
        DATA_VESSEL_THREE_PLAY = 25
    };
    // The top-level groups, in grid order.
    enum GROUP
    {
        GROUP_TRAINING,
        GROUP_NETWORKING,
        GROUP_NAVIGATION_OUTPUT,
        GROUP_ENVIRONMENT_OUTPUT,
        GROUP_WIND,
        GROUP_HELICOPTER,
        GROUP_VESSEL_ONE,
        GROUP_VESSEL_TWO,
        GROUP_VESSEL_THREE,
        GROUP_COUNT
    };
    // The sub-items of the "Helicopter" group; a vessel group holds a route (0) and a play
    // control (1).
    enum HELICOPTER_ITEM
    {
        HELI_MODE,
        HELI_WAYPOINT_FILE,
        HELI_WAYPOINT,
        HELI_EASTING,
        HELI_NORTHING,
        HELI_HEIGHT,
        HELI_SPEED,
        HELI_RADIUS,
        HELI_ROUTE,
        HELI_PLAY
    };
    enum HELICOPTER_MODE
    {
        HELICOPTER_NOT_USED,
        HELICOPTER_ROUTE,
        HELICOPTER_CIRCLE,
        HELICOPTER_HOVER,
        HELICOPTER_MODE_COUNT
    };

    // "Not Used", "Route", "Circle", "Hover".
    static const char* const m_HelicopterModeTxt[HELICOPTER_MODE_COUNT];
    // "Dawn", "Day", "Dusk", "Night".
    static const char* const m_TimeOfDayTxt[4];
    // "0-1 Calm" ... "7-8 Gale", the wind states.
    static const char* const m_WindStateTxt[6];
    // The first option of every file, waypoint and route list.
    static const char NOT_SELECTED[];

    // Play-control colours (COLORREF): button one stopped or paused, running; button two.
    static constexpr COLORREF PLAY_COLOUR = 0xCCFFCC;
    static constexpr COLORREF PAUSE_COLOUR = 0x99FFFF;
    static constexpr COLORREF STOP_COLOUR = 0xCC99FF;

    CTrainingPane();
    ~CTrainingPane() override;

    // Stores the pointers, makes the docking pane titled "Training", builds and lays out the
    // grid; the creation result (0 when the pane could not be made).
    int Create(CWnd* pParent, int nID, CTraining* pTraining, CGridWaypointList* pWaypoints,
               CDesignRouteList* pRoutes);

    // The grid rebuilt from the record, then UpdateComboBox.
    void InitPropList() override;
    // The waypoint and route lists refilled from the host's lists; the host calls it when its
    // waypoint files or design routes change. Names that no longer match are cleared.
    void UpdateComboBox();
    // Nothing without a window or while the application's main window is minimised.
    void AdjustLayout() override;

    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    // The fog density as the "Density" item shows it (x 1000, nearest whole number).
    static int DensityShown(float density);

protected:
    // "Waypoint " refilled from the chosen waypoint file.
    void UpdateWaypointComboBox();
    // "Easting", "Northing", "Height" and "Radius" from the chosen waypoint.
    void UpdateWaypoint();

    DECLARE_MESSAGE_MAP()

private:
    CMFCPropertyGridProperty* GroupItem(int group, int item) const;
    void ShowHelicopterItems();
    // A route list refilled against that object's route name and index.
    void FillRouteList(CMFCPropertyGridProperty* item, CString& name, int32_t& index);
    // The chosen route: name and index, or empty and -1.
    void TakeRoute(CMFCPropertyGridProperty* item, CString& name, int32_t& index);
    void Play(CMFCPropertyGridProperty* item, int32_t& runState, double& runClock, int object);

    CTraining* m_pTraining = nullptr;
    CGridWaypointList* m_pWaypoints = nullptr;
    CDesignRouteList* m_pRoutes = nullptr;
};
