// CGeodeticDoc: the document of the Geodetic program. The spreadsheet keeps its data in the
// view's list, so the document has no data and no behaviour of its own.
#pragma once

#include "platform/ui/Document.h"

class CGeodeticDoc : public CDocument
{
    DECLARE_DYNCREATE(CGeodeticDoc)

public:
    CGeodeticDoc() = default;
    ~CGeodeticDoc() override = default;
};
