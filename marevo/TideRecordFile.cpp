#include "marevo/TideRecordFile.h"

#include "marevo/RecordBytes.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cstdint>

bool ReadNextTideRecord(CFile& file, const CString& path, uint8_t* bytes, int size, int number, int limit,
                        std::vector<TideLoadProblem>& problems)
{
    const UINT got = file.Read(bytes, static_cast<UINT>(size));
    CString reason;
    if (got == 0)
    {
        if (number == 1)
            AddTideLoadProblem(problems, path, number, "the file is empty");
        return false;
    }
    if (number > limit)
        reason.Format("more than %d records; the rest is not read", limit);
    else if (got < static_cast<UINT>(size))
        reason.Format("%u of %d bytes", got, size);
    else
        return true;
    AddTideLoadProblem(problems, path, number, reason);
    return false;
}

bool ReadTideRecordFile(const CString& path, int size, int limit, std::vector<TideLoadProblem>& problems,
                        const std::function<bool(const CRecordBytes&, int, CString&)>& take)
{
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    try
    {
        for (int record = 1; ReadNextTideRecord(file, path, bytes.data(), size, record, limit, problems); ++record)
        {
            CString reason;
            if (!take(CRecordBytes(bytes.data(), size), record, reason))
            {
                AddTideLoadProblem(problems, path, record, reason);
                break;
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AddTideLoadProblem(problems, path, 0, "the file cannot be read");
    }
    file.Close();
    return true;
}
