#include "acoustic/app/panes/UsblCalibrationPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CUsblCalibrationPane, CDockablePane)

BOOL CUsblCalibrationPane::Create(CWnd* pFrame, CUsblCalibration* pUsbl)
{
    m_pUsbl = pUsbl;
    return CreateFramePane(*this, pFrame, "Usbl Calibration Data Pane", ID_ACOUSTIC_USBL_DRAW);
}
