// What the geodesy editors share: telling the program that the geodetic settings changed.
#pragma once

class CWnd;

// Posts UM_GEODETIC_UPDATE to the application's main window (to `fallback` when there is
// none), so the program reloads the settings the editor saved.
void PostGeodeticUpdate(CWnd* fallback);
