#include "acoustic/app/panes/UsblCalibrationParameterPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CUsblCalibrationParameterPane, CDockablePane)

BOOL CUsblCalibrationParameterPane::Create(CWnd* pFrame)
{
    return CreateFramePane(*this, pFrame, "Usbl Calibration Parameters", ID_ACOUSTIC_USBL_PARAMETERS);
}
