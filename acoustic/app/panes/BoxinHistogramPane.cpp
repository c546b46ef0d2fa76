#include "acoustic/app/panes/BoxinHistogramPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CBoxinHistogramPane, CDockablePane)

BOOL CBoxinHistogramPane::Create(CWnd* pFrame, CBoxin* pBoxin)
{
    m_pBoxin = pBoxin;
    return CreateFramePane(*this, pFrame, "Boxin Histogram Pane", ID_ACOUSTIC_BOXIN_HISTOGRAM);
}
