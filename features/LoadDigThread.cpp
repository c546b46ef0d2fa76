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

bool CLoadDigThread::ReadCache()
{
    CDig* dig = m_pDig;
    const CString cacheName = dig->GetCacheFileName();
    dig->Clear();
    FILE* file = nullptr;
    if (fopen_s(&file, cacheName, "rb") != 0 || !file)
        return true;
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
    std::fclose(file);
    dig->m_pCacheFile = nullptr;
    // Whole records of finite points with a colour code: anything else is no cache of ours,
    // whatever its first bytes looked like.
    const bool whole = (dig->m_CacheLength - position) % static_cast<long>(sizeof(BinaryDigDef)) == 0;
    const bool sound = whole && dig->HasOnlyValidPoints();
    if (!sound)
    {
        dig->RemoveAll();
        dig->m_strProblem.Format("The DIG cache %s is damaged and was not loaded.", cacheName.GetString());
    }
    dig->ComputeExtents();
    dig->m_bBusy = false;
    return sound;
}

int CLoadDigThread::Run()
{
    const HWND owner = m_hOwner;
    if (m_pDig)
    {
        m_pDig->m_strProblem.Empty();
        CDxf dxf;
        CString folder, title, extension;
        SplitFilePath(m_pDig->m_FileName, folder, title, extension);
        const bool fromDxf = extension.CompareNoCase("DXF") == 0;
        bool rebuilt = false;
        if (fromDxf)
        {
            if (m_pDig->NeedsRebuild())
            {
                RebuildFromDxf(dxf);
                rebuilt = true;
            }
        }
        else if (extension.CompareNoCase("CSV") == 0)
        {
            m_pDig->NeedsRebuild(); // reads the cache's stamp and texts; nothing is converted
        }
        dxf.Clear();
        // A damaged cache of a drawing is made anew from the drawing, once.
        if (!ReadCache() && fromDxf && !rebuilt && !Stopped())
        {
            const CString damage = m_pDig->m_strProblem;
            RebuildFromDxf(dxf);
            dxf.Clear();
            if (ReadCache())
                m_pDig->m_strProblem = damage + (m_pDig->m_strProblem.IsEmpty() ? "" : "\n") +
                                       m_pDig->m_strProblem + "\nIt was made again from its drawing.";
        }
    }
    const bool stopped = Stopped();
    ::PostMessage(owner, UM_DIG_THREAD, stopped ? 1 : 0, 0);
    return 0;
}
