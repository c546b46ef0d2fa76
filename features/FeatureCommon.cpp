#include "features/FeatureCommon.h"

#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"
#include "platform/core/Exception.h"

void CFeatureCommon::LoadStatus(const char* path)
{
    m_FilePath = path;
    if (m_FilePath.IsEmpty())
    {
        m_Folder.Empty();
        m_Title.Empty();
    }
    else
    {
        CString extension;
        SplitFilePath(m_FilePath, m_Folder, m_Title, extension);
    }

    m_Status = true;
    m_Highlight = false;
    if (m_FilePath.IsEmpty())
        return;
    CConfigFile file;
    if (!file.Open(GetStatusFileName(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return;
    try
    {
        m_Status = file.ReadInt(1) != 0;
        m_Highlight = file.ReadInt(0) != 0;
        file.Close();
    }
    catch (CException* e)
    {
        // An unreadable companion counts as a missing one.
        e->Delete();
        file.Abort();
        m_Status = true;
        m_Highlight = false;
    }
}

void CFeatureCommon::SaveStatus()
{
    // Without a file there is nothing to sit beside: a nameless ".INI" would be shared by every
    // feature that has no file.
    if (m_FilePath.IsEmpty())
        return;
    CConfigFile file;
    if (!file.Open(GetStatusFileName(),
                   CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText))
        return;
    try
    {
        file.WriteBool("Status", m_Status);
        file.WriteBool("Highlight", m_Highlight);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
}

CString CFeatureCommon::GetStatusFileName() const
{
    return CConfigFile::MakeFileName(m_Folder, m_Title, "INI");
}
