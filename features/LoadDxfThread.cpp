#include "features/LoadDxfThread.h"

#include "features/Dig.h"
#include "foundation/WindowMessages.h"

IMPLEMENT_DYNCREATE(CLoadDxfThread, CWinThread)

int CLoadDxfThread::Run()
{
    const HWND owner = m_hOwner;
    if (m_pDxf)
    {
        CDig dig;
        const CString path = m_pDxf->m_FileName;
        if (m_pDxf->Open(path))
        {
            if (m_pBytesTotal)
                m_pBytesTotal->store(m_pDxf->m_FileLength, std::memory_order_relaxed);
            if (m_pBytesDone)
                m_pBytesDone->store(0, std::memory_order_relaxed);
            while (!Stopped() && m_pDxf->ReadSection(m_pBytesDone, &m_bStop))
            {
            }
            m_pDxf->Close();
            m_pDxf->LoadDisplaySettings();
            // A stopped or cut-short read holds only part of the drawing: its cache would
            // carry the source's stamp and be taken as current by every later load.
            if (!Stopped() && m_pDxf->IsWhole())
                dig.FromDxf(m_pDxf);
            dig.RemoveAll();
        }
    }
    const bool stopped = Stopped();
    ::PostMessage(owner, UM_DXF_THREAD, stopped ? 1 : 0, 0);
    return 0;
}
