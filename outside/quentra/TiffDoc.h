// CTiffDoc: the raster chart library's document. A program that names it in its template gets
// an empty document: no chart is opened through it.
#pragma once

#include "platform/ui/Document.h"

class CTiffDoc : public CDocument
{
    DECLARE_DYNCREATE(CTiffDoc)

public:
    CTiffDoc() = default;
    ~CTiffDoc() override = default;
};
