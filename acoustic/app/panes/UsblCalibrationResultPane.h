// CUsblCalibrationResultPane: the USBL calibration's results.
#pragma once

#include "platform/ui/DockablePane.h"

class CUsblCalibration;

class CUsblCalibrationResultPane : public CDockablePane
{
    DECLARE_DYNAMIC(CUsblCalibrationResultPane)
public:
    // A pane of the frame; the USBL calibration is handed over afterwards (SetData).
    BOOL Create(CWnd* pFrame);
    void SetData(CUsblCalibration* pUsbl) { m_pUsbl = pUsbl; }
    using CDockablePane::Create;

    CUsblCalibration* m_pUsbl = nullptr;
};
