#include "features/SailLine.h"

#include "features/GridValueCheck.h"
#include "features/Route.h"
#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>

namespace
{

bool IsPoint(double e, double n)
{
    return e != DBL_MAX && n != DBL_MAX && !(e == 0.0 && n == 0.0);
}
} // namespace

const char* const CSailLine::m_DataOrderTxt[SAIL_LINE_DATA_ORDER_COUNT] = {
    "SOL Eng, SOL Nng, EOL Eng, EOL Nng"};

CSailLine::CSailLine() : m_DataOrder(SAIL_SOL_EOL) {}

CSailLine::~CSailLine() = default;

int CSailLine::ReadDataOrder(const char* path)
{
    // No other column layout exists: an order without one would skip every line of the file.
    return ReadDataOrderFile(path, SAIL_SOL_EOL, SAIL_LINE_DATA_ORDER_COUNT);
}

bool CSailLine::Load(const char* path)
{
    // A copy: the pane rereads a file by passing its own m_FilePath.
    const CString newPath(path ? path : "");
    m_DataOrder = ReadDataOrder(newPath);

    RemoveAll();
    LoadStatus(newPath);

    CGridValueCheck check(newPath);
    ReadCsvLines(newPath, [this, &check](CCsvParser& parser) {
        check.NextLine();
        SailLineDef record = {};
        record.Start.x = parser.GetDouble();
        record.Start.y = parser.GetDouble();
        record.End.x = parser.GetDouble();
        record.End.y = parser.GetDouble();
        if (!check.Accept({record.Start.x, record.Start.y, record.End.x, record.End.y}))
            return;
        if (!IsPoint(record.Start.x, record.Start.y) || !IsPoint(record.End.x, record.End.y))
            return;
        ComputeLegGeometry(record.Start.x, record.Start.y, record.End.x, record.End.y, &record.Leg);
        Add(record);
    });
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        RemoveAll();
    CDrawingOptions::Load(CRoute::GetRoutesFolder(), m_Title);
    return GetSize() > 0;
}

void CSailLine::SaveDataOrder()
{
    // Without a file the name would be "_DATA_ORDER", shared by every unnamed file.
    if (m_FilePath.IsEmpty())
        return;
    SaveDataOrderFile(m_FilePath, m_DataOrder);
}

void CSailLine::SaveDrawingOptions() const
{
    if (m_Title.IsEmpty())
        return;
    CDrawingOptions::Save(CRoute::GetRoutesFolder(), m_Title);
}

void CSailLine::AddEmptyLine()
{
    Add(SailLineDef{});
}
