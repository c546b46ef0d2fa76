#include "marevo/TidalDiamond.h"

#include "foundation/ConfigFile.h"
#include "marevo/RecordBytes.h"
#include "marevo/StandardPortList.h"
#include "marevo/TideFileReader.h"
#include "marevo/TideRecordFile.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace
{
// The letter of a code (code + 64, so 1 is 'A'); a code that wraps round to NUL is none, so
// that a name never holds a NUL.
void AppendLetter(CString& name, int code)
{
    const char letter = static_cast<char>(code + 64);
    if (letter != '\0')
        name += letter;
}

// "%03d%c%c", "%03d%c" or "%03d" from the number and its letter codes (0 none; the second
// also none at 255).
CString DiamondName(int number, int first, int second)
{
    CString name;
    name.Format("%03d", number);
    if (first != 0)
        AppendLetter(name, first);
    if (second != 0 && second != 255)
        AppendLetter(name, second);
    return name;
}

CString ReferenceText(int number, int letter)
{
    CString text;
    if (number == 0)
        return text;
    text.Format("%d", number);
    if (letter != 0)
        text += static_cast<char>(letter);
    return text;
}

// Header, then rows; false (with the reason) where the file cannot give the whole diamond.
bool ReadDiamond(CStdioFile& file, const CRecordBytes& header, TidalDiamondDef& def, int& skippedRows,
                 CString& reason)
{
    if (!header.AreFinite(8, 2))
    {
        reason = "a position that is not finite";
        return false;
    }
    def.strName = DiamondName(header.GetBigEndianUInt16(0), header.GetByte(2), header.GetByte(3));
    def.strReference = ReferenceText(header.GetBigEndianUInt16(4), header.GetByte(6));
    def.dPosition[0] = header.GetDouble(8);
    def.dPosition[1] = header.GetDouble(16);
    def.nKept[0] = header.GetByte(24);
    def.nKept[1] = header.GetByte(25);
    const int announced = header.GetByte(25);
    def.nRows = 0;
    skippedRows = 0;
    uint8_t bytes[CTidalDiamond::kRowSize];
    for (int i = 0; i < announced; ++i)
    {
        const UINT got = file.Read(bytes, CTidalDiamond::kRowSize);
        if (got < static_cast<UINT>(CTidalDiamond::kRowSize))
        {
            reason.Format("row %d of %d: %u of %d bytes", i + 1, announced, got, CTidalDiamond::kRowSize);
            return false;
        }
        // Rows past the diamond's room are read past, so that the next diamond starts where
        // it is stored.
        if (i >= TidalDiamondDef::kMaxRows)
        {
            ++skippedRows;
            continue;
        }
        const CRecordBytes row(bytes, CTidalDiamond::kRowSize);
        TidalDiamondRow& to = def.Rows[def.nRows++];
        to.dHours = static_cast<int8_t>(row.GetByte(0)) / 10.0;
        to.nDirection = row.GetBigEndianUInt16(1);
        to.dSpringRate = row.GetByte(3) / 20.0;
        to.dNeapRate = row.GetByte(4) / 20.0;
    }
    return true;
}
} // namespace

CTidalDiamond::CTidalDiamond()
    : m_nDisplayValue(3), m_bDisplayFlag(false), m_dDisplayValue(-1.0), m_nDisplayIndex(-1)
{
    m_Spheroid.m_FileName.Empty();
    m_Spheroid.m_Name = "WGS84";
    m_Spheroid.m_Country.Empty();
    m_Spheroid.m_SemiMajor = 6378137.0;
    m_Spheroid.m_InverseFlattening = 298.257223563;
    m_Spheroid.m_SemiMinor = 6356752.314245179;
    m_Spheroid.m_TableIndex = 26;
    m_Spheroid.m_Code = 7030;
    m_Spheroid.ComputeConstants();
}

CTidalDiamond::~CTidalDiamond()
{
    FreeAll();
}

void CTidalDiamond::FreeAll()
{
    for (TidalDiamondDef* def : *this)
        delete def;
    RemoveAll();
}

bool CTidalDiamond::Load()
{
    CString folder;
    CTideFileReader::FindTideFolder(folder);
    return LoadFromFolder(folder);
}

bool CTidalDiamond::LoadFromFolder(const CString& folder)
{
    m_LoadProblems.clear();
    FreeAll();
    m_strFolder = folder;
    if (folder.IsEmpty())
        return false;
    CString path;
    path.Format("%s%s.%s", folder.GetString(), "TidalDiamond", "TDD");
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return false;
    uint8_t bytes[kHeaderSize];
    try
    {
        for (int number = 1; ReadNextTideRecord(file, path, bytes, kHeaderSize, number, kMaxDiamonds, m_LoadProblems);
             ++number)
        {
            CString reason;
            auto def = std::make_unique<TidalDiamondDef>();
            int skippedRows = 0;
            if (!ReadDiamond(file, CRecordBytes(bytes, kHeaderSize), *def, skippedRows, reason))
            {
                AddTideLoadProblem(m_LoadProblems, path, number, reason);
                break;
            }
            def->pPort = nullptr;
            Add(def.release());
            if (skippedRows > 0)
            {
                reason.Format("%d rows; the last %d are left out", TidalDiamondDef::kMaxRows + skippedRows, skippedRows);
                AddTideLoadProblem(m_LoadProblems, path, number, reason);
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
        AddTideLoadProblem(m_LoadProblems, path, 0, "the file cannot be read");
    }
    file.Close();
    return true;
}

void CTidalDiamond::Link(const CStandardPortList& ports)
{
    // The first port of each number without regard to case, so that many diamonds and many
    // ports are not a search of every port per diamond.
    std::unordered_map<std::string, CStandardPort*> byNumber;
    for (CStandardPort* port : ports)
        byNumber.emplace(CString(port->m_strNumber).MakeLower().GetString(), port);
    CStringArray missing;
    for (TidalDiamondDef* def : *this)
    {
        // A relink after the ports were reloaded must not keep a port of the old list; a
        // diamond without a reference has no port, not even one whose number is empty.
        const auto found = byNumber.find(CString(def->strReference).MakeLower().GetString());
        def->pPort = def->strReference.IsEmpty() || found == byNumber.end() ? nullptr : found->second;
        def->strReferenceName = def->pPort ? def->pPort->m_strName : CString();
        if (def->pPort || def->strReference.IsEmpty())
            continue;
        if (missing.IsEmpty() || missing[missing.GetUpperBound()] != def->strReference)
            missing.Add(def->strReference);
    }
    if (m_strFolder.IsEmpty())
        return;
    CConfigFile::WriteWhole(CConfigFile::MakeFileName(m_strFolder, "Missing", "txt"),
                            CFile::modeCreate | CFile::modeWrite | CFile::typeText, [&](CConfigFile& file) {
                                for (const CString& reference : missing)
                                {
                                    CString line;
                                    line.Format("%s\n", reference.GetString());
                                    file.WriteString(line);
                                }
                            });
}
