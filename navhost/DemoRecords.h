// The host's sensor records filled with demo values that drift slowly, so that every ROV and
// Survey pane docked in the host moves while a person looks at it: an ROV working over a pipe
// in 85 m of water below a vessel heading north-east.
#pragma once

class CHostRecords;

// Fills every record for the moment `seconds` after the host started: each device is active
// and has just reported. Values move by a small step from one second to the next.
void FillDemoRecords(CHostRecords& records, double seconds);
