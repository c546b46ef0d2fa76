#include "outside/quentra/TiffDoc.h"

IMPLEMENT_DYNCREATE(CTiffDoc, CDocument)
