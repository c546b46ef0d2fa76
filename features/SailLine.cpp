#include "features/SailLine.h"

#include "features/Route.h"
#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>

namespace
{
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

bool IsPoint(double e, double n)
{
    return e != DBL_MAX && n != DBL_MAX && !(e == 0.0 && n == 0.0);
}
} // namespace

const char* const CSailLine::m_DataOrderTxt[SAIL_LINE_DATA_ORDER_COUNT] = {
    "SOL Eng, SOL Nng, EOL Eng, EOL Nng"};

CSailLine::CSailLine() : m_DataOrder(SAIL_SOL_EOL) {}

CSailLine::~CSailLine() = default;

CString CSailLine::GetDataOrderFileName(const char* path)
{
    CString folder, title, extension;
    SplitFilePath(path, folder, title, extension);
    CConfigFile file;
    return file.GetSettingsFileName(title + "_DATA_ORDER");
}

int CSailLine::ReadDataOrder(const char* path)
{
    int order = SAIL_SOL_EOL;
    CConfigFile file;
    if (!file.Open(GetDataOrderFileName(path), kReadFlags))
        return order;
    try
    {
        order = file.ReadShort(SAIL_SOL_EOL);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        order = SAIL_SOL_EOL;
    }
    // No other column layout exists: an order without one would skip every line of the file.
    if (order < 0 || order >= SAIL_LINE_DATA_ORDER_COUNT)
        order = SAIL_SOL_EOL;
    return order;
}

bool CSailLine::Load(const char* path)
{
    // A copy: the pane rereads a file by passing its own m_FilePath.
    const CString newPath(path ? path : "");
    m_DataOrder = ReadDataOrder(newPath);

    RemoveAll();
    LoadStatus(newPath);

    CStdioFile file;
    if (!newPath.IsEmpty() && file.Open(newPath, kReadFlags))
    {
        try
        {
            CCsvParser parser;
            CString line;
            while (file.ReadString(line))
            {
                parser.SetLine(line);
                SailLineDef record = {};
                record.Start.x = parser.GetDouble();
                record.Start.y = parser.GetDouble();
                record.End.x = parser.GetDouble();
                record.End.y = parser.GetDouble();
                if (!IsPoint(record.Start.x, record.Start.y) || !IsPoint(record.End.x, record.End.y))
                    continue;
                ComputeLegGeometry(record.Start.x, record.Start.y, record.End.x, record.End.y, &record.Leg);
                Add(record);
            }
            file.Close();
        }
        catch (CException* e)
        {
            // A file that cannot be read to its end keeps the lines read before the failure.
            e->Delete();
            file.Abort();
        }
    }
    CDrawingOptions::Load(CRoute::GetRoutesFolder(), m_Title);
    return GetSize() > 0;
}

void CSailLine::SaveDataOrder()
{
    // Without a file the name would be "_DATA_ORDER", shared by every unnamed file.
    if (m_FilePath.IsEmpty())
        return;
    CConfigFile file;
    if (!file.Open(GetDataOrderFileName(m_FilePath), kWriteFlags))
        return;
    try
    {
        file.WriteInt("Data Order", static_cast<int16_t>(m_DataOrder));
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
    }
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
