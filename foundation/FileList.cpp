#include "foundation/FileList.h"

#include "foundation/FilePath.h"

INT_PTR CFileList::Add(const char* path)
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i) == path)
            return i;
    m_Folder = GetFilePathFolder(path);
    return CStringArray::Add(path);
}

CString CFileList::GetFolder(INT_PTR index) const
{
    const CString& entry = GetAt(index);
    const int slash = entry.ReverseFind('\\');
    return slash > 0 ? entry.Left(slash) : entry;
}

CString CFileList::GetFileName(INT_PTR index) const
{
    const CString& entry = GetAt(index);
    return entry.Mid(entry.ReverseFind('\\') + 1);
}
