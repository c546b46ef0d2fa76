#include "geodetic/GeodeticDoc.h"

IMPLEMENT_DYNCREATE(CGeodeticDoc, CDocument)
