#include "features/FeatureList.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Exception.h"

namespace
{
const UINT kListWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kListReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
} // namespace

CFeatureList::CFeatureList() : m_Changed(0)
{
    ResetEditState();
}

void CFeatureList::ResetEditState()
{
    m_Editing = 0;
    m_EditFileIndex = -1;
    m_EditPointIndex = -1;
    m_EditSubIndex = -1;
    for (CString& text : m_EditText)
        text.Empty();
}

void CFeatureList::SetEditPoint(int file, int point, INT_PTR fileCount,
                                const std::function<INT_PTR(int)>& pointCount)
{
    if (file < 0)
        file = m_EditFileIndex;
    if (point < 0)
        point = m_EditPointIndex;
    ResetEditState();
    if (file < 0 || file >= fileCount || file > INT16_MAX)
        return;
    m_EditFileIndex = static_cast<int16_t>(file);
    if (point < 0 || !pointCount || point >= pointCount(file))
        return;
    m_EditPointIndex = point;
}

bool CFeatureList::SaveEditIndices() const
{
    // A list without a name would share its settings file with every other unnamed list.
    if (m_ListName.IsEmpty())
        return false;
    return CConfigFile::WriteSettingsFile(m_ListName, [this](CConfigFile& file) {
        file.WriteInt("Edit File Index", m_EditFileIndex);
        file.WriteInt("Edit Point Index", m_EditPointIndex);
    });
}

bool CFeatureList::LoadEditIndices()
{
    m_EditFileIndex = -1;
    m_EditPointIndex = -1;
    if (m_ListName.IsEmpty())
        return false;
    CConfigFile file;
    if (!file.Open(file.GetSettingsFileName(m_ListName), kListReadFlags))
        return false;
    try
    {
        m_EditFileIndex = file.ReadShort(-1);
        m_EditPointIndex = file.ReadInt(-1);
        file.Close();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        m_EditFileIndex = -1;
        m_EditPointIndex = -1;
        return false;
    }
}

bool CFeatureList::SaveFileList(const char* section, CStringArray& names) const
{
    if (m_ListName.IsEmpty())
    {
        names.RemoveAll();
        return false;
    }
    CConfigFile file;
    return WriteFileList(file.GetSettingsFileName(m_ListName, "FLS"), section, names);
}

bool CFeatureList::LoadFileList(CStringArray& names) const
{
    if (m_ListName.IsEmpty())
        return false;
    CConfigFile file;
    return ReadFileList(file.GetSettingsFileName(m_ListName, "FLS"), names);
}

bool CFeatureList::WriteFileList(const char* fileName, const char* section, CStringArray& names)
{
    const bool written = CConfigFile::WriteWhole(
        fileName, kListWriteFlags, [&](CConfigFile& file) { file.WriteSection(section, names); });
    names.RemoveAll();
    return written;
}

bool CFeatureList::ReadFileList(const char* fileName, CStringArray& names)
{
    CConfigFile file;
    if (!file.Open(fileName, kListReadFlags))
        return false;
    CStringArray found;
    try
    {
        CString line;
        bool inSection = false;
        while (file.ReadString(line))
        {
            if (!inSection)
            {
                inSection = !line.IsEmpty() && line[0] == '[';
                continue;
            }
            if ((!line.IsEmpty() && line[0] == '[') || line.Find('=') >= 0)
                break;
            CString text = line;
            if (!text.Trim().IsEmpty())
                found.Add(line);
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
    names.Append(found);
    return true;
}
