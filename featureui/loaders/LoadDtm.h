// LoadDtm: brings a terrain model into memory behind its progress dialogs, from its cache when
// that is current, else by rebuilding the grid and the cache from the XYZ files.
#pragma once

#include "featureui/TolvarApi.h"

class CDtm;

// True when the work ran to its end and the model holds its grid; false when a dialog was
// quit, the grid was refused (the user is told why) or no grid could be made.
TOLVAR_API bool LoadDtm(CDtm* dtm);
