// CZuduzuroDoc: the anchor-cable program's document. The frame owns the model, so the document
// keeps nothing but the framework's modified flag.
#pragma once

#include "platform/ui/Document.h"

class CZuduzuroDoc : public CDocument
{
    DECLARE_DYNCREATE(CZuduzuroDoc)

public:
    CZuduzuroDoc() = default;
    ~CZuduzuroDoc() override = default;
};
