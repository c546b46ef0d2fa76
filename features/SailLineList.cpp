#include "features/SailLineList.h"

CSailLineList::~CSailLineList()
{
    DeleteAll();
}

void CSailLineList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

int CSailLineList::FindFile(const char* path) const
{
    const CString wanted(path ? path : "");
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CSailLine* file = GetAt(i);
        if (file && file->m_FilePath.CompareNoCase(wanted) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool CSailLineList::AddFile(const char* path)
{
    const CString wanted(path ? path : "");
    if (wanted.IsEmpty() || FindFile(wanted) >= 0)
        return false;

    bool loaded = false;
    CSailLine* file = LoadNewFeature(new CSailLine, wanted, loaded);
    if (!file)
        return false;
    if (!loaded)
        file->AddEmptyLine();
    Add(file);
    SaveFileList();
    return true;
}

bool CSailLineList::SaveFileList()
{
    SaveEditIndices();
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CSailLine* file = GetAt(i))
            paths.Add(file->m_FilePath);
    }
    return CFeatureList::SaveFileList("SailLine", paths);
}

void CSailLineList::SetEditPoint(int file, int line)
{
    if (file < 0)
        file = m_EditFileIndex;
    if (line < 0)
        line = m_EditPointIndex;
    const int16_t end = m_EditSubIndex;
    ResetEditState();
    if (file < 0 || file >= GetSize() || file > INT16_MAX)
        return;
    m_EditFileIndex = static_cast<int16_t>(file);
    const CSailLine* lines = GetAt(file);
    if (line < 0 || !lines || line >= lines->GetSize())
        return;
    m_EditPointIndex = line;
    m_EditSubIndex = end;
}

const SailLineDef* CSailLineList::GetSailLine(int file, int line) const
{
    if (file < 0 || file >= GetSize())
        return nullptr;
    const CSailLine* lines = GetAt(file);
    if (!lines || line < 0 || line >= lines->GetSize())
        return nullptr;
    return &lines->GetAt(line);
}
