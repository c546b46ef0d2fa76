#include "acoustic/app/panes/UsblCalibrationResultPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CUsblCalibrationResultPane, CDockablePane)

BOOL CUsblCalibrationResultPane::Create(CWnd* pFrame)
{
    return CreateFramePane(*this, pFrame, "Usbl Calibration Results", ID_ACOUSTIC_USBL_RESULTS);
}
