// CAcousticView: the plan view in the middle of the Acoustic program's frame. For now it clears
// itself to white; the plan of the calibrations is drawn here once the plan view arrives.
#pragma once

#include "platform/ui/View.h"

class CAcousticView : public CView
{
    DECLARE_DYNCREATE(CAcousticView)

public:
    CAcousticView() = default;
    ~CAcousticView() override = default;

    void OnDraw(CDC* pDC) override;
};
