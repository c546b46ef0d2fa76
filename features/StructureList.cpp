#include "features/StructureList.h"

#include "foundation/FilePath.h"

#include <algorithm>
#include <cstring>

namespace
{
const char kDefaultName[] = "Structure";
const int kDefaultNameLength = 9;

// "Structure" alone, or "Structure" with one blank and nothing but digits after it: the names
// this system gives. A user's "Structure A" or "Structure 2b" is not one of them.
bool IsDefaultName(const char* name)
{
    if (std::strncmp(name, kDefaultName, kDefaultNameLength) != 0)
        return false;
    const char* rest = name + kDefaultNameLength;
    if (*rest == '\0')
        return true;
    if (*rest != ' ' || rest[1] == '\0')
        return false;
    for (++rest; *rest; ++rest)
    {
        if (*rest < '0' || *rest > '9')
            return false;
    }
    return true;
}
} // namespace

CString CStructureShape::GetName() const
{
    return GetFileTitleFromPath(m_FilePath);
}

CStructureList::~CStructureList()
{
    DeleteAll();
    DeleteAllShapes();
}

void CStructureList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

void CStructureList::DeleteAllShapes()
{
    POSITION pos = m_Shapes.GetHeadPosition();
    while (pos)
        delete m_Shapes.GetNext(pos);
    m_Shapes.RemoveAll();
}

CString CStructureList::MakeStructureName(const char* name, int index)
{
    if (!name || *name == '\0' || IsDefaultName(name))
    {
        CString made;
        made.Format("Structure %d", index + 1);
        return made;
    }
    return CString(name);
}

bool CStructureList::AddFile(const char* path)
{
    const CString wanted(path);
    // A file without a path could never be saved, and every such file would be "the same".
    if (wanted.IsEmpty())
        return false;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CStructure* set = GetAt(i);
        if (set && set->m_FilePath == wanted)
            return false;
    }

    bool loaded = false;
    CStructure* set = LoadNewFeature(new CStructure, wanted, loaded);
    if (!set)
        return false;
    if (!loaded)
    {
        StructureDef record;
        record.Name = MakeStructureName(nullptr, 0);
        SetDefaultShape(record);
        set->Add(record);
    }
    Add(set);
    SaveFileList();
    return true;
}

bool CStructureList::SaveFileList()
{
    SaveEditIndices();
    CStringArray paths;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (const CStructure* set = GetAt(i))
            paths.Add(set->m_FilePath);
    }
    return CFeatureList::SaveFileList("Structure", paths);
}

void CStructureList::SetEditPoint(int file, int point)
{
    CFeatureList::SetEditPoint(file, point, GetSize(), [this](int f) -> INT_PTR {
        const CStructure* set = GetAt(f);
        return set ? set->GetSize() : 0;
    });
}

CString CStructureList::GetEditFileName() const
{
    const int file = m_EditFileIndex;
    if (file < 0 || file >= GetSize() || !GetAt(file))
        return CString();
    return GetAt(file)->m_FilePath;
}

bool CStructureList::Save()
{
    const int file = m_EditFileIndex;
    if (file < 0 || file >= GetSize() || !GetAt(file))
        return false;
    return GetAt(file)->Save();
}

const StructureDef* CStructureList::GetStructure(int file, int structure) const
{
    if (file < 0 || file >= GetSize())
        return nullptr;
    const CStructure* set = GetAt(file);
    if (!set || structure < 0 || structure >= set->GetSize())
        return nullptr;
    return &set->GetAt(structure);
}

CStructureShape* CStructureList::ShapeAt(int shapeIndex) const
{
    const POSITION pos = m_Shapes.FindIndex(static_cast<INT_PTR>(shapeIndex) - 1);
    return pos ? m_Shapes.GetAt(pos) : nullptr;
}

CStructureShape* CStructureList::FindShape(int file, int structure) const
{
    const StructureDef* record = GetStructure(file, structure);
    if (!record)
        return nullptr;
    CStructureShape* atIndex = ShapeAt(record->ShapeIndex);
    if (atIndex && atIndex->GetName() == record->Shape)
        return atIndex;
    POSITION pos = m_Shapes.GetHeadPosition();
    while (pos)
    {
        CStructureShape* shape = m_Shapes.GetNext(pos);
        if (shape && shape->GetName() == record->Shape)
            return shape;
    }
    return atIndex;
}

void CStructureList::GetShapeSize(int file, int structure, double* width, double* height) const
{
    const CStructureShape* shape = FindShape(file, structure);
    if (width)
        *width = shape ? shape->GetWidth() : 0.0;
    if (height)
        *height = shape ? shape->GetHeight() : 0.0;
}

double CStructureList::GetShapeScale(int file, int structure) const
{
    const StructureDef* record = GetStructure(file, structure);
    if (!record)
        return 1.0;
    double width = 0.0, height = 0.0;
    GetShapeSize(file, structure, &width, &height);
    const double larger = std::max(width, height);
    if (!(larger > 0.0))
        return 1.0;
    return record->Length / larger;
}

void CStructureList::SetDefaultShape(StructureDef& record) const
{
    if (!record.Shape.IsEmpty() || m_Shapes.IsEmpty())
        return;
    const CStructureShape* first = m_Shapes.GetHead();
    if (!first)
        return;
    record.ShapeIndex = 1;
    record.Shape = first->GetName();
    record.Length = std::max(first->GetWidth(), first->GetHeight());
}
