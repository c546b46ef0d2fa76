#include "geodesy/app/GeodeticDoc.h"

IMPLEMENT_DYNCREATE(CGeodeticDoc, CDocument)
