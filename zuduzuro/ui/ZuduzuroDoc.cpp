#include "zuduzuro/ui/ZuduzuroDoc.h"

IMPLEMENT_DYNCREATE(CZuduzuroDoc, CDocument)
