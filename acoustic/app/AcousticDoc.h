// CAcousticDoc: the Acoustic program's document. Every calibration lives in the main frame, so
// the document holds nothing and does what the framework's document does.
#pragma once

#include "platform/ui/Document.h"

class CAcousticDoc : public CDocument
{
    DECLARE_DYNCREATE(CAcousticDoc)

public:
    CAcousticDoc() = default;
    ~CAcousticDoc() override = default;
};
