// The host's sensor records filled with demo values that drift slowly, so that every ROV and
// Survey pane docked in the host moves while a person looks at it: an ROV working over a pipe
// in 85 m of water below a vessel heading north-east.
#pragma once

class CHostRecords;

// The ROV's own MRU among the host's MRUs (the others are the vessel's): it rolls, pitches and
// turns more, as a vehicle in the water column does, so that its attitude shows moving.
constexpr int DEMO_ROV_MRU = 1;

// Fills every record for the moment `seconds` after the host started: each device is active
// and has just reported. Values move by a small step from one second to the next.
void FillDemoRecords(CHostRecords& records, double seconds);
