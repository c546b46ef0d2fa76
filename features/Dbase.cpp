#include "features/Dbase.h"

#include "features/ShapeIo.h"
#include "platform/core/FileApi.h"

#include <cstring>

namespace
{
// Bytes of a field descriptor, and of the name at its start.
const int kDescriptorBytes = 32;
const int kNameBytes = 11;
} // namespace

void CDbase::SetFile(const char* path)
{
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    if (_splitpath_s(path ? path : "", drive, dir, fname, ext) != 0)
    {
        m_BasePath.Empty();
        m_Title.Empty();
        return;
    }
    m_BasePath.Format("%s%s%s", drive, dir, fname);
    m_Title = fname;
}

CString CDbase::FieldNameFromDescriptor(const char* descriptor)
{
    char name[kNameBytes + 1];
    std::memcpy(name, descriptor, kNameBytes);
    name[kNameBytes] = '\0';
    for (int i = static_cast<int>(std::strlen(name)) - 1; i > 0 && name[i] == ' '; --i)
        name[i] = '\0';
    return CString(name);
}

bool CDbase::ReadFieldNames()
{
    m_FieldNames.RemoveAll();
    if (m_BasePath.IsEmpty())
        return false;
    // The full name, so that a dot in the title is not taken for an extension; shapelib then
    // tries ".dbf" and ".DBF".
    const CString fileName = m_BasePath + ".dbf";
    DBFHandle table = DBFOpenLL(fileName, "rb", GetShapeFileHooks());
    if (!table)
        return false;
    const int fields = DBFGetFieldCount(table);
    for (int i = 0; i < fields; ++i)
        m_FieldNames.Add(FieldNameFromDescriptor(table->pszHeader + i * kDescriptorBytes));
    DBFClose(table);
    return true;
}

int CDbase::FindFieldName(const char* name) const
{
    for (INT_PTR i = 0; i < m_FieldNames.GetSize(); ++i)
        if (m_FieldNames[i] == name)
            return static_cast<int>(i);
    return -1;
}
