#include "features/Structure.h"

#include "features/GridValueCheck.h"
#include "features/StructureList.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cstdlib>
#include <cstring>

namespace
{
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

const char kBlockKeyword[] = "STRUCTURE";
const int kBlockKeywordLength = 9;

bool StartsBlock(const CString& line)
{
    return std::strncmp(line, kBlockKeyword, kBlockKeywordLength) == 0;
}

// The text after the first blank of `line`; false when the line has none, so that the member
// it would set keeps its cleared value.
bool AfterBlank(const CString& line, CString& value)
{
    const int blank = line.Find(' ');
    if (blank < 0)
        return false;
    value = line.Mid(blank + 1);
    return true;
}
} // namespace

StructureDef::StructureDef()
    : ShapeIndex(0), Show(true), Position{0.0, 0.0}, Height(0.0), Heading(0.0),
      Length(0.0), Work{}, WorkBlock{}
{
}

CString CStructure::GetDefaultFilePath()
{
    CString folder;
    if (!GetMyDrivesDataFolder(folder, "Structures"))
        GetMyDataFolder(folder, "Structures");
    CString path;
    path.Format("%s%s.dat", (LPCSTR)folder, "StructureConfig");
    return path;
}

bool CStructure::Load(const char* path)
{
    RemoveAll();
    m_strRefusal.Empty();
    if (path)
        LoadStatus(path);
    else
        LoadStatus(GetDefaultFilePath());

    CStdioFile file;
    if (m_FilePath.IsEmpty() || !file.Open(m_FilePath, kReadFlags))
        return false;

    CGridValueCheck check(m_FilePath);
    try
    {
        CString line;
        bool haveLine = file.ReadString(line);
        check.NextLine();
        while (haveLine && StartsBlock(line))
        {
            StructureDef record;
            CString value;
            if (AfterBlank(line, value))
                record.ShapeIndex = std::atoi(value);

            // The seven lines after the keyword, by place; a block cut short is dropped.
            CString lines[7];
            int64_t lineNumbers[7] = {};
            int got = 0;
            while (got < 7 && file.ReadString(lines[got]))
            {
                check.NextLine();
                lineNumbers[got] = check.GetLine();
                ++got;
            }
            if (got < 7)
                break;

            if (AfterBlank(lines[0], value))
            {
                StripCrLf(value);
                record.Name = value.Trim();
            }
            if (AfterBlank(lines[1], value))
            {
                StripCrLf(value);
                record.Shape = value.Trim();
            }
            if (AfterBlank(lines[2], value))
                record.Show = std::atoi(value) != 0;
            // The easting runs up to the letter E, which ends the number.
            record.Position.x = AtofC(lines[3]);
            if (AfterBlank(lines[3], value))
                record.Position.y = AtofC(value);
            if (AfterBlank(lines[4], value))
                record.Height = AtofC(value);
            if (AfterBlank(lines[5], value))
                record.Heading = AtofC(value);
            if (record.Heading < 0.0 || record.Heading > 360.0)
                record.Heading = 0.0;
            if (AfterBlank(lines[6], value))
                record.Length = AtofC(value);
            if (!check.AcceptLine(lineNumbers[3], {record.Position.x, record.Position.y}) ||
                !check.AcceptLine(lineNumbers[4], {record.Height}) ||
                !check.AcceptLine(lineNumbers[5], {record.Heading}) ||
                !check.AcceptLine(lineNumbers[6], {record.Length}))
                break;

            record.Name = CStructureList::MakeStructureName(record.Name, static_cast<int>(GetSize()));
            Add(record);

            // Blocks are parted by one empty line. A file edited by hand may have lost it: the
            // next block then starts at once instead of being taken for the separator.
            haveLine = file.ReadString(line);
            check.NextLine();
            if (haveLine && !StartsBlock(line))
            {
                haveLine = file.ReadString(line);
                check.NextLine();
            }
        }
        file.Close();
    }
    catch (CException* e)
    {
        // A file that cannot be read to its end keeps the structures read before the failure.
        e->Delete();
        file.Abort();
    }
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        RemoveAll();
    return GetSize() > 0;
}

bool CStructure::Save() const
{
    if (m_FilePath.IsEmpty())
        return false;
    return CConfigFile::WriteWhole(m_FilePath, kWriteFlags, [this](CConfigFile& file) {
        CString text;
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const StructureDef& s = GetAt(i);
            if (i > 0)
                file.WriteString("\n");
            text.Format("STRUCTURE %d\n", s.ShapeIndex);
            file.WriteString(text);
            text.Format("NAME %s\n", (LPCSTR)s.Name);
            file.WriteString(text);
            text.Format("SHAPE %s\n", (LPCSTR)s.Shape);
            file.WriteString(text);
            file.WriteString(s.Show ? "SHOW 1\n" : "SHOW 0\n");
            text.Format("%.3lfE %.3lf\n", s.Position.x, s.Position.y);
            file.WriteString(text);
            text.Format("HEIGHT %.2lf\n", s.Height);
            file.WriteString(text);
            text.Format("HEADING %.1lf\n", s.Heading);
            file.WriteString(text);
            text.Format("LENGTH %.2lf\n", s.Length);
            file.WriteString(text);
        }
    });
}
