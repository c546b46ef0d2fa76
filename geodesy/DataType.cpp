#include "geodesy/DataType.h"

#include "platform/core/Archive.h"

void CDataType::AddDataType(const char* name, int kind, void* value, short decimals)
{
    DataTypeDef entry;
    entry.strName = name;
    entry.nKind = kind;
    entry.pValue = value;
    entry.nDecimals = decimals;
    Add(entry);
}

void CDataType::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        AfxArchiveWriteCount(ar, GetSize());
        for (const DataTypeDef& entry : *this)
            ar << entry.strName << static_cast<int>(entry.nKind) << static_cast<short>(entry.nDecimals);
        return;
    }
    const INT_PTR count = AfxArchiveReadCount(ar);
    // Entry by entry: a damaged count then ends in the archive's end-of-file exception, not in
    // one huge allocation, and the list is replaced only when every entry was read.
    CArray<DataTypeDef> loaded;
    for (INT_PTR i = 0; i < count; ++i)
    {
        DataTypeDef entry;
        int kind = 0;
        short decimals = 0;
        ar >> entry.strName >> kind >> decimals;
        entry.nKind = kind;
        entry.nDecimals = decimals;
        entry.pValue = i < GetSize() ? GetAt(i).pValue : nullptr;
        loaded.Add(entry);
    }
    Copy(loaded);
}
