#include "features/Boundary.h"

#include "features/GridValueCheck.h"
#include "foundation/CsvParser.h"
#include "foundation/Folders.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>

CString CBoundary::GetBoundariesFolder()
{
    CString folder;
    if (!GetMyDrivesDataFolder(folder, "Boundaries"))
        GetMyDataFolder(folder, "Boundaries");
    return folder;
}

bool CBoundary::Load(const char* path)
{
    // A copy: a caller may pass this boundary's own m_FilePath.
    const CString newPath(path ? path : "");
    RemoveAll();
    LoadStatus(newPath);

    CGridValueCheck check(newPath);
    ReadCsvLines(newPath, [this, &check](CCsvParser& parser) {
        check.NextLine();
        const double e = parser.GetDouble();
        const double n = parser.GetDouble();
        if (!check.Accept({e, n}) || e == DBL_MAX || n == DBL_MAX || (e == 0.0 && n == 0.0))
            return;
        Add(tagXY{e, n});
    });
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        RemoveAll();
    BuildVertexBuffer();
    CDrawingOptions::Load(GetBoundariesFolder(), m_Title);
    return GetSize() > 0;
}

void CBoundary::SaveDrawingOptions() const
{
    // Without a title the file would be ".DRW", shared by every unnamed boundary.
    if (m_Title.IsEmpty())
        return;
    CDrawingOptions::Save(GetBoundariesFolder(), m_Title);
}

void CBoundary::BuildVertexBuffer()
{
    m_VertexBuffer.reset();
    m_VertexCount = 0;
    const INT_PTR count = GetSize();
    if (count < 3 || count > INT32_MAX)
        return;
    m_VertexBuffer.reset(new tagXY[static_cast<size_t>(count)]);
    for (INT_PTR i = 0; i < count; ++i)
        m_VertexBuffer[static_cast<size_t>(i)] = GetAt(i);
    m_VertexCount = static_cast<int>(count);
}
