// CUsblCalibrationPane: the list of the imported USBL observations.
#pragma once

#include "platform/ui/DockablePane.h"

class CUsblCalibration;

class CUsblCalibrationPane : public CDockablePane
{
    DECLARE_DYNAMIC(CUsblCalibrationPane)
public:
    // A pane of the frame showing the USBL calibration
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CUsblCalibration* pUsbl);
    using CDockablePane::Create;

    CUsblCalibration* m_pUsbl = nullptr;
};
