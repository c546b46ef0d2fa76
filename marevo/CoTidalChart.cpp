#include "marevo/CoTidalChart.h"

#include "marevo/RecordBytes.h"
#include "marevo/TideFileReader.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>
#include <cmath>

namespace
{
// Degrees in a radian, as the chart files were made with.
constexpr double kDegreesPerRadian = 57.2957795131;

// Nodes along one side: 1 - int(span x -degrees x 60 / spacing), 0 for a spacing <= 0. False
// where the quotient is not finite or the count falls outside 1..32767, so that no float is
// ever converted beyond int's range.
bool NodeCount(double from, double to, int spacing, int16_t* count)
{
    if (spacing <= 0)
        return false;
    const double steps = (to - from) * (-kDegreesPerRadian) * 60.0 / spacing;
    if (!(steps > -32767.0 && steps < 1.0))
        return false;
    *count = static_cast<int16_t>(1 - static_cast<int>(steps));
    return true;
}

CoTidalDef EmptyNode()
{
    CoTidalDef node;
    for (int i = 0; i < 8; ++i)
        node.dValue[i] = i < 4 ? 0.0 : DBL_MAX;
    return node;
}
} // namespace

CCoTidalChart::CCoTidalChart()
    : m_dCorner1{0.0, 0.0}, m_dCorner2{0.0, 0.0}, m_dCorner3{0.0, 0.0}, m_dCorner4{0.0, 0.0}, m_nRowSpacing(0),
      m_nColumnSpacing(0), m_nRows(0), m_nColumns(0)
{
}

void CCoTidalChart::SetUnread()
{
    RemoveAll();
    for (double* corner : {m_dCorner1, m_dCorner2, m_dCorner3, m_dCorner4})
        corner[0] = corner[1] = DBL_MAX;
    m_nRowSpacing = m_nColumnSpacing = 0x7FFF;
    m_nRows = m_nColumns = 0;
}

bool CCoTidalChart::Load(const char* name)
{
    CString folder;
    CTideFileReader::FindTideFolder(folder);
    return LoadFromFolder(folder, name);
}

bool CCoTidalChart::LoadFromFolder(const CString& folder, const char* name)
{
    m_LoadProblems.clear();
    m_strFileName = name;
    SetUnread();
    CString path;
    path.Format("%s%s.%s", folder.GetString(), name, "CTC");
    CStdioFile file;
    if (folder.IsEmpty() || !file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return false;
    bool loaded = false;
    try
    {
        uint8_t header[kHeaderSize];
        const UINT got = file.Read(header, kHeaderSize);
        const CRecordBytes bytes(header, kHeaderSize);
        int16_t rows = 0, columns = 0;
        CString reason;
        if (got < static_cast<UINT>(kHeaderSize))
            reason.Format("the header has %u of %d bytes", got, kHeaderSize);
        else if (!bytes.AreFinite(0, 4))
            reason = "a corner that is not finite";
        else if (!NodeCount(bytes.GetDouble(8), bytes.GetDouble(24), bytes.GetInt16(32), &rows) ||
                 !NodeCount(bytes.GetDouble(0), bytes.GetDouble(16), bytes.GetInt16(34), &columns))
            reason = "the corners and spacings give no grid";
        else if (static_cast<int64_t>(rows) * columns > kMaxNodes)
            reason.Format("a grid of %d x %d nodes, more than %d", rows, columns, kMaxNodes);
        if (!reason.IsEmpty())
        {
            AddTideLoadProblem(m_LoadProblems, path, 0, reason);
        }
        else
        {
            m_dCorner1[0] = bytes.GetDouble(0);
            m_dCorner1[1] = bytes.GetDouble(8);
            m_dCorner2[0] = bytes.GetDouble(16);
            m_dCorner2[1] = bytes.GetDouble(24);
            m_dCorner3[0] = m_dCorner2[0];
            m_dCorner3[1] = m_dCorner1[1];
            m_dCorner4[0] = m_dCorner1[0];
            m_dCorner4[1] = m_dCorner2[1];
            m_nRowSpacing = bytes.GetInt16(32);
            m_nColumnSpacing = bytes.GetInt16(34);
            m_nRows = rows;
            m_nColumns = columns;
            // Nodes the file does not reach keep the values of a chart without records.
            const int count = rows * columns;
            SetSize(count);
            const CoTidalDef empty = EmptyNode();
            for (int i = 0; i < count; ++i)
                ElementAt(i) = empty;
            loaded = true;
            uint8_t record[kNodeSize];
            for (int i = 0; i < count; ++i)
            {
                const UINT read = file.Read(record, kNodeSize);
                if (read == 0)
                    break;
                const CRecordBytes node(record, kNodeSize);
                if (read < static_cast<UINT>(kNodeSize))
                    reason.Format("%u of %d bytes", read, kNodeSize);
                else if (!node.AreFinite(0, 8))
                    reason = "a number that is not finite";
                if (!reason.IsEmpty())
                {
                    AddTideLoadProblem(m_LoadProblems, path, i + 1, reason);
                    break;
                }
                for (int k = 0; k < 8; ++k)
                    ElementAt(i).dValue[k] = node.GetDouble(8 * k);
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AddTideLoadProblem(m_LoadProblems, path, 0, "the file cannot be read");
    }
    file.Close();
    if (!loaded)
        SetUnread();
    return loaded;
}
