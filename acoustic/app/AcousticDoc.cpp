#include "acoustic/app/AcousticDoc.h"

IMPLEMENT_DYNCREATE(CAcousticDoc, CDocument)
