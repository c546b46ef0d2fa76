// CTraining: the state of the training simulator that the training pane edits and the training
// output sends: time of day, weather, sea, the helicopter's and three vessels' runs.
#pragma once

#include "geodesy/ComArray.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "survey/records/UdpSender.h"

#include <cstdint>

// A run along a route: stopped, running or paused.
enum RUN_STATE
{
    RUN_STOPPED = 0,
    RUN_RUNNING = 1,
    RUN_PAUSED = 2
};

// One of the simulated vessels.
struct TrainingVesselDef
{
    CString RouteName;
    int32_t RouteIndex = -1; // -1 none
    int32_t RunState = RUN_STOPPED;
    double RunClock = 0.0;   // seconds; 0 when a run starts from stopped
    BYTE HostFields1[8] = {};
};

const int TRAINING_VESSELS = 3;

class CTraining
{
public:
    CTraining() = default;

    // The training output, carried by the Survey library (survey/training/Training.cpp). All
    // of it runs on the host's user-interface thread; sentences go out only when called.
    //
    // Writes the "Training" settings file whole, then always the "Environment" one
    // (SaveEnvironmentSettings). A file that cannot be written is skipped; the old one stays.
    void SaveSettings();
    void SaveEnvironmentSettings();
    // "$NTSTP, nn" CR LF for an object (1 the helicopter, 10..12 vessels one to three), only
    // while the output is in use: to the serial port when one is set (and the port array is
    // there), then to the navigation sender's targets whatever the serial write gave.
    void SendStop(int object);
    // "$GPMWV, <direction>, T, <speed>, M, A*hh" CR LF to the environment sender's targets.
    void SendWind();
    // "$GPGOD, <time of day>, <rain>, <fog>, <fog density>*hh" CR LF to the same.
    void SendEnvironment();
    // Takes the wind state: states 0..5 set the wind speed from the Beaufort-like table, a
    // higher one keeps it; the waves are reset; then the wind and environment sentences go
    // out. Nothing is saved.
    void SetWindState(int state);

    void* m_pSenderOwner = nullptr; // handed to the navigation sender when it is reopened; null: not reopened
    CComArray* m_pComArray = nullptr; // not owned; the stop sentence is written to these ports too
    int32_t m_TimeOfDay = 1;        // 0 dawn, 1 day, 2 dusk, 3 night
    int32_t m_WindState = 0;        // 0..5
    bool m_Rain = false;
    bool m_Fog = false;             // directly after the rain flag
    float m_FogDensity = 0.01f;     // 0.010..0.060
    double m_WindSpeed = 0.0;       // metres per second, set from the wind state
    float m_WindDirection = 0.0f;   // degrees, where the wind blows from
    float m_WaveFrequency = 0.0f;
    float m_WaveSpeed = 0.0f;
    int32_t m_NumberOfWaves = 0;
    int32_t m_ConnectionType = 0;
    int32_t m_SerialPort = 0;       // port of the navigation output, 0 none
    uint32_t m_BaudRate = 9600;
    uint32_t m_IpAddress = 0;       // this computer's IPv4 address, network byte order
    CString m_ComputerName;
    int32_t m_EnvironmentPort = 0;  // UDP port of the environment sender
    CUdpSender m_EnvironmentSender;
    bool m_Use = false;             // training output on
    int32_t m_VesselPort = 0;       // UDP port of the navigation sender (16-bit value)
    int32_t m_HelicopterMode = 0;   // 0 not used, 1 route, 2 circle, 3 hover
    double m_HelicopterSpeed = 0.0; // metres per second
    CString m_HelicopterRouteName;  // empty for none
    int32_t m_HelicopterRouteIndex = -1;
    int32_t m_HelicopterRunState = RUN_STOPPED;
    double m_HelicopterRunClock = 0.0;
    CString m_WaypointFileName;     // empty for none
    CString m_WaypointName;         // empty for none
    TrainingVesselDef m_Vessels[TRAINING_VESSELS];
    CUdpSender m_NavigationSender;
};
