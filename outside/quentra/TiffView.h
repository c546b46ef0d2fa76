// CTiffView: the raster chart library's view, blank (the window colour) while its document
// holds no chart.
#pragma once

#include "platform/ui/View.h"

class CTiffView : public CView
{
    DECLARE_DYNCREATE(CTiffView)

public:
    CTiffView() = default;
    ~CTiffView() override = default;

    void OnDraw(CDC* pDC) override;
};
