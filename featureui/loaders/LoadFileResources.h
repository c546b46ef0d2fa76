// The dialog template shared by the DIG, DXF and shapefile loaders: a status line, a progress
// bar and "Quit".
#pragma once

#define IDD_LOAD_FILE 12059
#define IDC_LOAD_STATUS 32241
#define IDC_LOAD_PROGRESS 12061

// Registers the template (once; later calls do nothing). Each dialog made from it calls this
// when constructed, which also keeps the template in a program that links the subsystem
// statically.
void RegisterLoadFileTemplate();
