// Where network files live and how their sections are named. CNetwork::Load and CNetwork::Save
// (NetworkFile.cpp) read and write them.
//
// A network file is text: the two-way travel time flag and the speed of sound as settings
// lines, then three sections of comma-separated records: the stations (every station, in
// order, so that station indices hold), the ranges and the bearings. Sections are taken by
// position, not by name.
#pragma once

#include "platform/core/String.h"

extern const char NETWORK_FILE_EXTENSION[];   // "NET"
extern const char NETWORK_FOLDER[];           // "Calibration\\Network Adjustment"
extern const char NETWORK_SECTION_STATIONS[]; // "StationT"
extern const char NETWORK_SECTION_RANGES[];   // "Range"
extern const char NETWORK_SECTION_BEARINGS[]; // "Bearing"

// The folder of network files, ending in '\\': the data folder named by the data-folder
// pointer file, else the "MyData" folder found on the drives, with the network sub-folder,
// made when missing. False (and an empty folder) when no data folder can be had.
bool GetNetworkFolder(CString& folder);

// The full path of the network file `name` ("<folder><name>.NET").
CString GetNetworkFilePath(const char* name);
