#include "features/LoadDigThread.h"

#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"
#include "platform/core/FileApi.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CLoadDigThread, CWinThread)

namespace
{
void Set(LoadCounter* counter, ULONGLONG value)
{
    if (counter)
        counter->store(value, std::memory_order_relaxed);
}
} // namespace

void CLoadDigThread::RebuildFromDxf(CDxf& dxf)
{
    dxf.Clear();
    if (!dxf.Open(m_pDig->m_FileName))
        return;
    Set(m_pBytesTotal, dxf.m_FileLength);
    Set(m_pBytesDone, 0);
    while (!Stopped() && dxf.ReadSection(m_pBytesDone, &m_bStop))
    {
    }
    dxf.Close();
    m_pDig->m_strProblem = dxf.m_strProblem;
    // A stopped or cut-short read holds only part of the drawing: a cache made of it would
    // carry the source's stamp and be taken as current by every later load.
    if (!Stopped() && dxf.IsWhole())
        m_pDig->FromDxf(&dxf);
}

void CLoadDigThread::ReadCache()
{
    CDig* dig = m_pDig;
    const CString cacheName = dig->GetCacheFileName();
    dig->Clear();
    FILE* file = nullptr;
    if (fopen_s(&file, cacheName, "rb") != 0 || !file)
        return;
    dig->m_pCacheFile = file;

    FileStampDef header;
    bool plausible = false;
    if (std::fread(&header, sizeof(header), 1, file) == 1)
    {
        dig->m_Stamp = header;
        plausible = dig->DescribeStamp();
    }
    if (!plausible)
    {
        // A file of points only: its first bytes are points, and the stamp is the source's.
        std::fseek(file, 0, SEEK_SET);
        dig->StampSource(dig->m_FileName);
        dig->DescribeStamp();
    }
    const long position = std::ftell(file);
    std::fseek(file, 0, SEEK_END);
    dig->m_CacheLength = std::ftell(file);
    std::fseek(file, position, SEEK_SET);

    dig->m_bBusy = true;
    Set(m_pBytesTotal, static_cast<ULONGLONG>(dig->m_CacheLength));
    Set(m_pBytesDone, static_cast<ULONGLONG>(position));
    dig->ReadPoints(file, m_pBytesDone, &m_bStop);
    dig->ComputeExtents();
    std::fclose(file);
    dig->m_pCacheFile = nullptr;
    dig->m_bBusy = false;
}

int CLoadDigThread::Run()
{
    const HWND owner = m_hOwner;
    if (m_pDig)
    {
        CDxf dxf;
        CString folder, title, extension;
        SplitFilePath(m_pDig->m_FileName, folder, title, extension);
        if (extension.CompareNoCase("DXF") == 0)
        {
            if (m_pDig->NeedsRebuild())
                RebuildFromDxf(dxf);
        }
        else if (extension.CompareNoCase("CSV") == 0)
        {
            m_pDig->NeedsRebuild(); // reads the cache's stamp and texts; nothing is converted
        }
        dxf.Clear();
        ReadCache();
    }
    const bool stopped = Stopped();
    ::PostMessage(owner, UM_DIG_THREAD, stopped ? 1 : 0, 0);
    return 0;
}
