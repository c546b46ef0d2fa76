#include "features/BoundaryList.h"

CBoundaryList::~CBoundaryList()
{
    DeleteAll();
}

void CBoundaryList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

int CBoundaryList::FindFile(const char* path) const
{
    const CString wanted(path ? path : "");
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CBoundary* boundary = GetAt(i);
        if (boundary && boundary->m_FilePath.CompareNoCase(wanted) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool CBoundaryList::AddFile(const char* path)
{
    const CString wanted(path ? path : "");
    // A boundary without a path could never be saved, and every such one would be "the same".
    if (wanted.IsEmpty() || FindFile(wanted) >= 0)
        return false;

    bool loaded = false;
    CBoundary* boundary = LoadNewFeature(new CBoundary, wanted, loaded);
    if (!boundary)
        return false;
    if (!loaded)
    {
        boundary->Add(tagXY{0.0, 0.0});
        boundary->BuildVertexBuffer();
    }
    Add(boundary);
    SaveFileList();
    return true;
}

bool CBoundaryList::SaveFileList()
{
    SaveEditIndices();
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CBoundary* boundary = GetAt(i))
            paths.Add(boundary->m_FilePath);
    }
    return CFeatureList::SaveFileList("Boundary", paths);
}

void CBoundaryList::SetEditPoint(int file, int point)
{
    CFeatureList::SetEditPoint(file, point, GetSize(), [this](int f) -> INT_PTR {
        const CBoundary* boundary = GetAt(f);
        return boundary ? boundary->GetSize() : 0;
    });
}
