#include "acoustic/app/panes/BoxinParameterPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CBoxinParameterPane, CDockablePane)

BOOL CBoxinParameterPane::Create(CWnd* pFrame)
{
    return CreateFramePane(*this, pFrame, "Boxin Data", ID_ACOUSTIC_BOXIN_PROPERTIES);
}
