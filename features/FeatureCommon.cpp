#include "features/FeatureCommon.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

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

namespace
{
CString DataOrderSettingsName(const char* path)
{
    CString folder, title, extension;
    SplitFilePath(path, folder, title, extension);
    return title + "_DATA_ORDER";
}
} // namespace

CString CFeatureCommon::GetDataOrderFileName(const char* path)
{
    CConfigFile file;
    return file.GetSettingsFileName(DataOrderSettingsName(path));
}

int CFeatureCommon::ReadDataOrderFile(const char* path, int fallback, int orderCount)
{
    int order = fallback;
    CConfigFile::ReadSettingsFile(DataOrderSettingsName(path), [&](CConfigFile& file) {
        order = file.ReadShort(static_cast<int16_t>(fallback));
    });
    if (order < 0 || order >= orderCount)
        order = fallback;
    return order;
}

void CFeatureCommon::SaveDataOrderFile(const char* path, int order)
{
    CConfigFile::WriteWhole(
        GetDataOrderFileName(path),
        CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText,
        [order](CConfigFile& file) { file.WriteInt("Data Order", static_cast<int16_t>(order)); });
}

void CFeatureCommon::SaveStatus()
{
    // Without a file there is nothing to sit beside: a nameless ".INI" would be shared by every
    // feature that has no file.
    if (m_FilePath.IsEmpty())
        return;
    CConfigFile::WriteWhole(GetStatusFileName(),
                            CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText,
                            [this](CConfigFile& file) {
                                file.WriteBool("Status", m_Status);
                                file.WriteBool("Highlight", m_Highlight);
                            });
}

CString CFeatureCommon::GetStatusFileName() const
{
    return CConfigFile::MakeFileName(m_Folder, m_Title, "INI");
}

bool CFeatureCommon::ReadCsvLines(const char* path, const std::function<void(CCsvParser&)>& record)
{
    CStdioFile file;
    if (!path || !*path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return false;
    try
    {
        CCsvParser parser;
        CString line;
        while (file.ReadString(line))
        {
            parser.SetLine(line);
            record(parser);
        }
        file.Close();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
}
