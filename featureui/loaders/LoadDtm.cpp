#include "featureui/loaders/LoadDtm.h"

#include "featureui/loaders/DtmDepths.h"
#include "featureui/loaders/ImportDtm.h"
#include "featureui/loaders/LoadDtmDlg.h"
#include "features/Dtm.h"
#include "platform/ui/MessageBox.h"

bool LoadDtm(CDtm* dtm)
{
    if (!dtm)
        return false;
    CLoadDtmDlg load;
    CImportDtm import;
    CDtmDepths depths;
    load.m_pDtm = dtm;
    import.m_pDtm = dtm;
    depths.m_pDtm = dtm;

    if (!dtm->NeedsRebuild())
    {
        if (load.DoModal() != IDOK)
            return false;
        // A cache that shrank or vanished since its header was read leaves no grid.
        if (!dtm->m_pCells)
            return false;
        if (!dtm->m_strNotice.IsEmpty())
            AfxMessageBox(dtm->m_strNotice, MB_OK | MB_ICONINFORMATION);
        return true;
    }

    if (import.DoModal() != IDOK)
        return false;
    if (!dtm->m_strRefusal.IsEmpty())
    {
        AfxMessageBox(dtm->m_strRefusal, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (depths.DoModal() != IDOK)
        return false;
    if (!dtm->m_pCells)
    {
        if (!dtm->m_strRefusal.IsEmpty())
            AfxMessageBox(dtm->m_strRefusal, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The header again, so that the working extents and file texts match the cache; without
    // a cache (it could not be written) the grid in memory still serves.
    const DtmHeaderDef built = dtm->m_Header;
    if (!dtm->ReadCacheHeader())
        dtm->ApplyHeader(built);
    return true;
}
