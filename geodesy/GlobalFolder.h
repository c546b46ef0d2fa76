// The "Global" data folder that holds the user geodesy files (spheroids "SPD", projections
// "PRJ", transformations and grids).
#pragma once

#include "platform/core/String.h"

// The folder named by the data-drives redirect file, else the data folder, with the
// sub-folder "Global" (made when missing); ends in '\\'. False, with an empty path, when
// neither can be found or made.
bool GetGlobalDataFolder(CString& folder);
